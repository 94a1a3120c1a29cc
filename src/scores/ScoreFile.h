#pragma once
// The high-score file scores.hgh: for each of 190 exercises the ten best
// results with the player's signature. One text file, CR LF lines, signatures
// as Windows-1252 bytes, always written whole so that copies stay
// interchangeable between installations.
#include "data/FixedArray.h"

#include <cstdint>
#include <string>

namespace landora {

inline constexpr int ScoreExercises = 190;
inline constexpr int ScoreRanks = 10;
inline constexpr int MaxSignatureLength = 50;
inline constexpr const char *ScoreFileName = "scores.hgh";
// A whole file is at most about 141,000 bytes (1900 records of four lines, 50
// bytes of signature at most). A file far beyond that is damaged, not ours:
// it is refused without being read whole, and never copied.
inline constexpr std::int64_t MaxScoreFileBytes = 1 << 20;
// The placeholder signature of a new result until the player types one
// ("Okänd", with ä as the code-page byte 0xE4).
inline constexpr const char *UnknownSignature = "Ok\xE4nd";

// One rank of one exercise. Score is a packed score value (a bare percentage
// for 1..100); 0 with an empty signature is an empty rank.
struct ScoreEntry {
    std::int32_t Score = 0;
    std::string Signature;

    bool operator==(const ScoreEntry &) const = default;
};

// The value a stored score is ranked by. Empty ranks (0) count as 1 and a bare
// percentage p as p * 100000 + 1, so a new result of any time beats them at
// the same percentage, while every better percentage still ranks above.
std::int64_t RankingValue(std::int32_t storedScore);

// A signature as the file keeps it: at most 50 bytes, and no line breaks,
// which would shift every later record of the file.
std::string FileSignature(std::string signature);

class HighScoreTable {
public:
    // Exercise 1..190, rank 1..10; ERangeError outside.
    ScoreEntry &At(int exercise, int rank) { return entries_[exercise][rank]; }
    const ScoreEntry &At(int exercise, int rank) const { return entries_[exercise][rank]; }

    static constexpr bool HasList(int exercise) { return exercise >= 1 && exercise <= ScoreExercises; }

    // Every rank of every exercise empty.
    void Clear();

    // Puts a new result into the list of `exercise`: at the first rank whose
    // stored result does not rank above it (ties go above the stored one);
    // the ranks below move down and rank 10 drops out. Gives the rank, or 0
    // when the result is too low, negative (-1 only views the list) or the
    // exercise has no list.
    int Insert(int exercise, std::int32_t score, const std::string &signature);

    bool operator==(const HighScoreTable &other) const;

private:
    FixedArray<FixedArray<ScoreEntry, ScoreRanks>, ScoreExercises> entries_;
};

// Reads the records of a score file into `table`, over what it holds. Records
// may come in any order and number; exercise above 190 or rank above 10 is
// skipped, a later record for the same rank wins, and signatures are cut to 50
// bytes. A record with exercise or rank below 1, a line that is not a number
// where one is expected, or an incomplete record stops the reading with an
// exception carrying the cause; the records read before it stay in the table.
// A missing file fails with EFileNotFound, one larger than MaxScoreFileBytes
// with EInOutError before any record is read.
void ReadScoreFile(const std::string &path, HighScoreTable &table);

// The whole file's bytes: 1900 records of four CR LF lines, exercise 1..190,
// then rank 1..10.
std::string ScoreFileText(const HighScoreTable &table);

// Writes the whole table to a new file beside `path` and only then renames it
// over the old one, so a failure part-way (full disk, crash, no permission)
// leaves the old file as it was. A symbolic link is followed: its target is
// the file replaced, and the link stays. A file without write permission is
// the user's wish to keep it: it is left alone and the save fails. Fails with
// EInOutError carrying the cause.
void SaveScoreFile(const std::string &path, const HighScoreTable &table);

// Copies a file that could not be read to "<path>.bak" before anything
// rewrites it; when that name holds a different file already, the next free
// "<path>.bak.N" is taken, so no earlier copy is lost. Gives the path of the
// copy; fails with EInOutError when no copy could be made, also for a file
// larger than MaxScoreFileBytes, which is not read.
std::string KeepUnreadableCopy(const std::string &path);

// Where the score file lives: in the program folder when the program may write
// there (a portable copy, a build tree), otherwise in the user's data folder,
// created when needed. Decided once at start and used for reading and writing.
std::string ChooseScoreFilePath(const std::string &programFolder);

} // namespace landora
