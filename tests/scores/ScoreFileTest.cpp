#include "scores/ScoreFile.h"

#include "FileSizeLimit.h"
#include "data/Errors.h"
#include "data/ScoreValue.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace landora;
using landora::test::FileSizeLimit;
using landora::test::TempDir;

namespace {

// "P1".."P10", built without operator+ on a literal, which GCC 12 warns
// about falsely when optimising.
std::string Signature(int rank)
{
    std::string text = "P";
    text += std::to_string(rank);
    return text;
}

std::string Record(
    const std::string &exercise, const std::string &rank, const std::string &signature, const std::string &score)
{
    return exercise + "\r\n" + rank + "\r\n" + signature + "\r\n" + score + "\r\n";
}

// Ten results of `percent` %, rank r taking r * 10 seconds.
void FillList(HighScoreTable &table, int exercise, int percent)
{
    for (int rank = 1; rank <= ScoreRanks; ++rank)
        table.At(exercise, rank) = ScoreEntry { PackScore(percent, rank * 10), Signature(rank) };
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(text.substr(pos) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

} // namespace

// ---- insertion ----------------------------------------------------------

TEST(ScoreInsertion, FirstResultTakesRankOneOfAnEmptyList)
{
    HighScoreTable table;
    EXPECT_EQ(table.Insert(12, PackScore(93, 125), "XYZ"), 1);
    EXPECT_EQ(table.At(12, 1), (ScoreEntry { 9399875, "XYZ" }));
    EXPECT_EQ(table.At(12, 2), ScoreEntry {});
    EXPECT_EQ(table.At(11, 1), ScoreEntry {}) << "other exercises keep their lists";
}

TEST(ScoreInsertion, TieGoesAboveTheStoredResultAndTheRestMoveDown)
{
    HighScoreTable table;
    FillList(table, 5, 80);
    const std::int32_t third = table.At(5, 3).Score;

    EXPECT_EQ(table.Insert(5, third, "New"), 3);
    EXPECT_EQ(table.At(5, 2).Signature, "P2");
    EXPECT_EQ(table.At(5, 3), (ScoreEntry { third, "New" }));
    EXPECT_EQ(table.At(5, 4), (ScoreEntry { third, "P3" }));
    EXPECT_EQ(table.At(5, 10).Signature, "P9") << "the old rank 10 drops out";
}

TEST(ScoreInsertion, TooLowOrViewOnlyChangesNothing)
{
    HighScoreTable table;
    FillList(table, 5, 80);
    const HighScoreTable before = table;

    EXPECT_EQ(table.Insert(5, PackScore(80, 500), "Slow"), 0);
    EXPECT_EQ(table.Insert(5, PackScore(79, 1), "Worse"), 0);
    EXPECT_EQ(table.Insert(5, -1, "View"), 0);
    EXPECT_TRUE(table == before);

    HighScoreTable empty;
    EXPECT_EQ(empty.Insert(7, -1, "View"), 0) << "-1 never enters, even an empty list";
    EXPECT_EQ(empty.At(7, 1), ScoreEntry {});
    EXPECT_EQ(empty.Insert(0, PackScore(50, 5), "x"), 0) << "an exercise without a list";
    EXPECT_EQ(empty.Insert(191, PackScore(50, 5), "x"), 0);
}

TEST(ScoreInsertion, BarePercentageRanksBetweenLowerPercentAndEveryTimedEqualPercent)
{
    EXPECT_EQ(RankingValue(0), 1);
    EXPECT_EQ(RankingValue(85), 8500001);
    EXPECT_EQ(RankingValue(PackScore(85, 10)), PackScore(85, 10));

    HighScoreTable table;
    table.At(3, 1) = ScoreEntry { 85, "Bare" };
    EXPECT_EQ(table.Insert(3, PackScore(84, 1), "84 fast"), 2);
    EXPECT_EQ(table.Insert(3, PackScore(85, NoTimeSeconds - 1), "85 slowest"), 1);
    EXPECT_EQ(table.At(3, 2).Signature, "Bare");
    EXPECT_EQ(table.At(3, 3).Signature, "84 fast");

    // Huge values from a foreign file rank without overflow.
    table.At(4, 1) = ScoreEntry { 2147483647, "Max" };
    EXPECT_EQ(table.Insert(4, PackScore(100, 1), "Best"), 2);
}

// ---- the written file ---------------------------------------------------

TEST(ScoreFileWriting, WholeFileIs7600CrLfLinesInExerciseThenRankOrder)
{
    HighScoreTable table;
    table.At(12, 1) = ScoreEntry { 9399875, "XYZ" };
    table.At(190, 10) = ScoreEntry { 85, std::string(60, 'a') };
    table.At(1, 1) = ScoreEntry { PackScore(50, 3), UnknownSignature };

    const std::string text = ScoreFileText(table);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 7600u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7600);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 7600);

    // exercise 1 rank 1, then exercise 1 rank 2 (empty)
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], "1");
    EXPECT_EQ(lines[2], "Ok\xE4nd");
    EXPECT_EQ(lines[3], "5099997");
    EXPECT_EQ(lines[4], "1");
    EXPECT_EQ(lines[5], "2");
    EXPECT_EQ(lines[6], "") << "an empty rank has an empty signature";
    EXPECT_EQ(lines[7], "0");

    const std::size_t twelve = (11 * 10) * 4;
    EXPECT_EQ(lines[twelve], "12");
    EXPECT_EQ(lines[twelve + 1], "1");
    EXPECT_EQ(lines[twelve + 2], "XYZ");
    EXPECT_EQ(lines[twelve + 3], "9399875");

    EXPECT_EQ(lines[7596], "190");
    EXPECT_EQ(lines[7597], "10");
    EXPECT_EQ(lines[7598], std::string(50, 'a')) << "a 60-character signature is stored as its first 50";
    EXPECT_EQ(lines[7599], "85");
}

TEST(ScoreFileWriting, LineBreakInASignatureCannotShiftTheRecords)
{
    HighScoreTable table;
    table.At(1, 1) = ScoreEntry { PackScore(90, 9), "two\r\nlines" };
    EXPECT_EQ(Lines(ScoreFileText(table)).size(), 7600u);
    EXPECT_EQ(Lines(ScoreFileText(table))[2], "two  lines");
}

TEST(ScoreFileWriting, SavedFileReadsBackTheSameTable)
{
    TempDir dir;
    HighScoreTable table;
    FillList(table, 17, 66);
    table.At(190, 1) = ScoreEntry { 42, "\xC5sa \xD8stberg \x80" };
    SaveScoreFile(dir.File(ScoreFileName), table);

    HighScoreTable back;
    ReadScoreFile(dir.File(ScoreFileName), back);
    EXPECT_TRUE(back == table);
    EXPECT_EQ(QDir(QString::fromStdString(dir.Path())).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no temporary file is left beside it";
}

// ---- reading ------------------------------------------------------------

TEST(ScoreFileReading, RecordsInAnyOrderAndNumberLaterOnesWin)
{
    TempDir dir;
    dir.Write("s.hgh",
        Record("7", "2", "second", "7000050") + Record("7", "1", "first", "8000010")
            + Record("7", "2", "again", "7000060") + Record("190", "10", "last", "55"));
    HighScoreTable table;
    table.At(9, 1) = ScoreEntry { 5, "kept" };
    ReadScoreFile(dir.File("s.hgh"), table);
    EXPECT_EQ(table.At(7, 1), (ScoreEntry { 8000010, "first" }));
    EXPECT_EQ(table.At(7, 2), (ScoreEntry { 7000060, "again" }));
    EXPECT_EQ(table.At(7, 3), ScoreEntry {});
    EXPECT_EQ(table.At(190, 10), (ScoreEntry { 55, "last" }));
    EXPECT_EQ(table.At(9, 1), (ScoreEntry { 5, "kept" })) << "ranks no record mentions keep what they held";
}

TEST(ScoreFileReading, UnknownExerciseOrRankIsSkippedSilently)
{
    TempDir dir;
    dir.Write("s.hgh",
        Record("250", "1", "far", "9000000") + Record("3", "11", "deep", "9000000") + Record("0", "11", "both", "1")
            + Record("3", "1", "ok", "9000000"));
    HighScoreTable table;
    ASSERT_NO_THROW(ReadScoreFile(dir.File("s.hgh"), table));
    EXPECT_EQ(table.At(3, 1), (ScoreEntry { 9000000, "ok" }));
    EXPECT_EQ(table.At(3, 10), ScoreEntry {});
}

TEST(ScoreFileReading, RankOrExerciseBelowOneStopsAndKeepsWhatWasRead)
{
    TempDir dir;
    dir.Write("rank0.hgh",
        Record("3", "1", "before", "9000000") + Record("3", "0", "bad", "1") + Record("3", "2", "after", "8000000"));
    HighScoreTable table;
    try {
        ReadScoreFile(dir.File("rank0.hgh"), table);
        FAIL() << "rank 0 must stop the reading";
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), "Range check error");
    }
    EXPECT_EQ(table.At(3, 1).Signature, "before");
    EXPECT_EQ(table.At(3, 2), ScoreEntry {}) << "nothing after the failure is read";

    dir.Write("ex0.hgh", Record("0", "1", "bad", "1"));
    EXPECT_THROW(ReadScoreFile(dir.File("ex0.hgh"), table), ERangeError);
    dir.Write("neg.hgh", Record("-4", "1", "bad", "1"));
    EXPECT_THROW(ReadScoreFile(dir.File("neg.hgh"), table), ERangeError);
}

TEST(ScoreFileReading, DamagedLinesStopWithTheirCause)
{
    TempDir dir;
    const std::string good = Record("1", "1", "ok", "100");
    const struct {
        const char *name;
        std::string bytes;
        const char *message;
    } cases[] = {
        { "letters for a rank", good + Record("1", "x", "s", "5"), "Invalid numeric input" },
        { "letters after a number", good + Record("1", "2", "s", "5x"), "Invalid numeric input" },
        { "empty score line", good + Record("1", "2", "s", ""), "Invalid numeric input" },
        { "beyond 32 bits", good + Record("1", "2", "s", "2147483648"), "Invalid numeric input" },
        { "record cut short", good + "1\r\n2\r\nsig\r\n", "Read beyond end of file" },
    };
    for (const auto &c : cases) {
        dir.Write("bad.hgh", c.bytes);
        HighScoreTable table;
        try {
            ReadScoreFile(dir.File("bad.hgh"), table);
            ADD_FAILURE() << c.name << ": read without an error";
        } catch (const Exception &e) {
            EXPECT_EQ(e.Message(), c.message) << c.name;
        }
        EXPECT_EQ(table.At(1, 1), (ScoreEntry { 100, "ok" })) << c.name;
    }
}

TEST(ScoreFileReading, LenientWhereNothingIsLost)
{
    TempDir dir;
    // Bare LF lines, blanks around numbers, a '+' sign, a last line without
    // its line end, and empty lines after the last record.
    dir.Write("s.hgh", "4\n1\nLF only\n 8000000 \n+4\r\n2\r\n\r\n-7\r\n4\r\n3\r\nend\r\n77\r\n\r\n\r\n");
    HighScoreTable table;
    ASSERT_NO_THROW(ReadScoreFile(dir.File("s.hgh"), table));
    EXPECT_EQ(table.At(4, 1), (ScoreEntry { 8000000, "LF only" }));
    EXPECT_EQ(table.At(4, 2), (ScoreEntry { -7, "" }));
    EXPECT_EQ(table.At(4, 3), (ScoreEntry { 77, "end" }));

    dir.Write("nolf.hgh", "4\r\n1\r\nx\r\n9");
    ASSERT_NO_THROW(ReadScoreFile(dir.File("nolf.hgh"), table));
    EXPECT_EQ(table.At(4, 1), (ScoreEntry { 9, "x" }));

    dir.Write("empty.hgh", "");
    EXPECT_NO_THROW(ReadScoreFile(dir.File("empty.hgh"), table));
}

TEST(ScoreFileReading, SignatureIsTheWholeLineCutTo50BytesKeptAsBytes)
{
    TempDir dir;
    const std::string sixty = "Ok\xE4nd " + std::string(54, 'z');
    dir.Write("s.hgh", Record("2", "1", sixty, "9000000") + Record("2", "2", "  12  ", "8000000"));
    HighScoreTable table;
    ReadScoreFile(dir.File("s.hgh"), table);
    EXPECT_EQ(table.At(2, 1).Signature, sixty.substr(0, 50));
    EXPECT_EQ(table.At(2, 1).Signature[2], '\xE4');
    EXPECT_EQ(table.At(2, 2).Signature, "  12  ") << "a signature line is never read as a number";
}

TEST(ScoreFileReading, MissingFileIsReportedAsSuch)
{
    TempDir dir;
    HighScoreTable table;
    EXPECT_THROW(ReadScoreFile(dir.File("none.hgh"), table), EFileNotFound);
}

// ---- saving safely ------------------------------------------------------

TEST(ScoreFileSaving, FailureHalfWayLeavesTheOldFileIntact)
{
    TempDir dir;
    HighScoreTable old;
    FillList(old, 1, 90);
    SaveScoreFile(dir.File(ScoreFileName), old);
    const std::string before = dir.Read(ScoreFileName);
    ASSERT_GT(before.size(), 4096u);

    HighScoreTable changed = old;
    changed.Insert(1, PackScore(100, 1), std::string(50, 'n'));
    {
        FileSizeLimit limit(4096);
        try {
            SaveScoreFile(dir.File(ScoreFileName), changed);
            FAIL() << "a write cut off after 4096 bytes must fail";
        } catch (const EInOutError &e) {
            EXPECT_FALSE(e.Message().empty());
        }
    }
    EXPECT_EQ(dir.Read(ScoreFileName), before);
    EXPECT_EQ(QDir(QString::fromStdString(dir.Path())).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "the unfinished new file is removed";
}

TEST(ScoreFileSaving, UnwritableFolderFailsWithACause)
{
    TempDir dir;
    HighScoreTable table;
    try {
        SaveScoreFile(dir.File("no-such-folder/scores.hgh"), table);
        FAIL() << "saving into a missing folder must fail";
    } catch (const EInOutError &e) {
        EXPECT_FALSE(e.Message().empty());
    }
}

TEST(ScoreFileSaving, WriteProtectedFileIsKeptAndTheSaveFails)
{
    TempDir dir;
    HighScoreTable table;
    FillList(table, 1, 90);
    const std::string path = dir.File(ScoreFileName);
    SaveScoreFile(path, table);
    const std::string before = dir.Read(ScoreFileName);
    const auto readOnly = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(path), readOnly));
    table.Insert(1, PackScore(100, 1), "New");
    EXPECT_THROW(SaveScoreFile(path, table), EInOutError);
    EXPECT_EQ(dir.Read(ScoreFileName), before);
    EXPECT_FALSE(QFile::permissions(QString::fromStdString(path)) & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

TEST(ScoreFileSaving, LinkIsFollowedAndItsTargetReplaced)
{
    TempDir dir;
    ASSERT_TRUE(QDir(QString::fromStdString(dir.Path())).mkdir("kept"));
    HighScoreTable table;
    SaveScoreFile(dir.File("kept/real.hgh"), table);
    const QString link = QString::fromStdString(dir.File(ScoreFileName));
    ASSERT_TRUE(QFile::link("kept/real.hgh", link));
    FillList(table, 7, 60);
    SaveScoreFile(link.toStdString(), table);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    HighScoreTable read;
    ReadScoreFile(dir.File("kept/real.hgh"), read);
    EXPECT_EQ(read, table);
}

TEST(ScoreFileSaving, UnreadableFileIsKeptBesideWithoutLosingEarlierCopies)
{
    TempDir dir;
    dir.Write(ScoreFileName, "damaged one");
    const std::string path = dir.File(ScoreFileName);
    EXPECT_EQ(KeepUnreadableCopy(path), path + ".bak");
    EXPECT_EQ(dir.Read("scores.hgh.bak"), "damaged one");
    EXPECT_EQ(KeepUnreadableCopy(path), path + ".bak") << "the same damage needs no second copy";

    dir.Write(ScoreFileName, "damaged two");
    EXPECT_EQ(KeepUnreadableCopy(path), path + ".bak.2");
    EXPECT_EQ(dir.Read("scores.hgh.bak"), "damaged one");
    EXPECT_EQ(dir.Read("scores.hgh.bak.2"), "damaged two");
}

// ---- where the file lives -----------------------------------------------

TEST(ScoreFileLocation, ProgramFolderWhenWritableElseUserDataFolder)
{
    TempDir dir;
    EXPECT_EQ(ChooseScoreFilePath(dir.Path()), dir.Path() + "/scores.hgh");
    EXPECT_EQ(QDir(QString::fromStdString(dir.Path())).entryList(QDir::Files | QDir::Hidden).size(), 0)
        << "the write test leaves nothing behind";

    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir(dataFolder).removeRecursively();
    const std::string fallback = ChooseScoreFilePath(dir.File("not-there"));
    EXPECT_EQ(QString::fromStdString(fallback), dataFolder + "/scores.hgh");
    EXPECT_TRUE(QFileInfo(dataFolder).isDir()) << "the data folder is created";

    dir.Write("plain-file", "x");
    EXPECT_EQ(ChooseScoreFilePath(dir.File("plain-file")), fallback);
    EXPECT_EQ(ChooseScoreFilePath(""), fallback);
}
