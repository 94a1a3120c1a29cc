#include "scores/ScoreFile.h"

#include "data/Errors.h"
#include "data/ScoreValue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace landora {
namespace {

constexpr const char *InvalidNumber = "Invalid numeric input";

QString ToQtPath(const std::string &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string FromQtPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Splits the file into lines; a line ends at LF, and a CR before it belongs to
// the line end, so files with bare LF lines read as well.
class LineReader {
public:
    explicit LineReader(std::string_view bytes)
        : bytes_(bytes)
    {
    }

    bool AtEnd() const { return pos_ >= bytes_.size(); }

    // True when nothing but blanks and line ends is left: a file that ends in
    // an extra empty line is complete, not damaged.
    bool OnlyBlankLeft() const
    {
        for (std::size_t i = pos_; i < bytes_.size(); ++i) {
            const char c = bytes_[i];
            if (!IsBlank(c) && c != '\r' && c != '\n')
                return false;
        }
        return true;
    }

    std::string_view Line()
    {
        if (AtEnd())
            throw EInOutError("Read beyond end of file");
        const std::size_t end = bytes_.find('\n', pos_);
        std::string_view line
            = bytes_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
        pos_ = end == std::string_view::npos ? bytes_.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

    std::int32_t Number()
    {
        std::string_view text = Line();
        while (!text.empty() && IsBlank(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && IsBlank(text.back()))
            text.remove_suffix(1);
        if (!text.empty() && text.front() == '+')
            text.remove_prefix(1);
        std::int32_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size())
            throw EInOutError(InvalidNumber);
        return value;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// The system's own words for the last failure ("No space left on device").
std::string SystemError()
{
    return std::strerror(errno);
}

constexpr const char *TooLarge = "File too large for a score file";

// Reads a whole file of at most MaxScoreFileBytes; a larger one (or a device
// that never ends) fails after reading one byte more than that.
QByteArray ReadBounded(const std::string &path)
{
    QFile file(ToQtPath(path));
    if (!file.exists())
        throw EFileNotFound("File \"" + path + "\" not found.");
    if (!file.open(QIODevice::ReadOnly))
        throw EFileOpenFailed("File open failed: " + file.errorString().toStdString());
    if (!file.isSequential() && file.size() > MaxScoreFileBytes)
        throw EInOutError(TooLarge);
    QByteArray bytes = file.read(MaxScoreFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(file.errorString().toStdString());
    if (bytes.size() > MaxScoreFileBytes)
        throw EInOutError(TooLarge);
    return bytes;
}

// The file a save replaces: `path` itself, or the end of the chain of
// symbolic links it starts, so that the link stays a link.
std::string FollowLinks(const std::string &path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::string target(4096, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0)
            return current; // not a link, or nothing there yet
        target.resize(static_cast<std::size_t>(n));
        if (target.empty())
            return current;
        if (target.front() != '/') {
            const std::size_t slash = current.find_last_of('/');
            if (slash != std::string::npos)
                target = current.substr(0, slash + 1) + target;
        }
        current = target;
    }
    errno = ELOOP;
    throw EInOutError(SystemError());
}

// Writes `bytes` to a new file beside `path`, makes it durable, and renames it
// over `path` only when every byte is on disk. Every partial write, full disk
// or failed close is caught here: the buffered writers of the libraries can
// report a cut-off file as written. On failure the new file is removed and the
// old one is as it was.
void WriteFileWhole(const std::string &linkOrPath, std::string_view bytes)
{
    const std::string path = FollowLinks(linkOrPath);
    struct stat old { };
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // The rename needs only the folder's permission, so it would replace a
    // write-protected file without a word. Without any write permission bit
    // the file is protected also from root, who passes every access test.
    if (exists && (::access(path.c_str(), W_OK) != 0 || (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
        errno = EACCES;
        throw EInOutError(SystemError());
    }

    std::string temporary = path + ".new-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw EInOutError(SystemError());
    const auto fail = [&] {
        const std::string message = SystemError();
        ::close(fd);
        ::unlink(temporary.c_str());
        throw EInOutError(message);
    };

    const mode_t mode = exists ? (old.st_mode & 07777) : 0644;
    if (::fchmod(fd, mode) != 0)
        fail();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            fail();
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0)
        fail();
    if (::close(fd) != 0) {
        const std::string message = SystemError();
        ::unlink(temporary.c_str());
        throw EInOutError(message);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string message = SystemError();
        ::unlink(temporary.c_str());
        throw EInOutError(message);
    }
    // The rename itself is durable once the folder is synced.
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void AppendLine(std::string &out, std::string_view line)
{
    out.append(line);
    out.append("\r\n");
}

} // namespace

std::int64_t RankingValue(std::int32_t storedScore)
{
    // The packing without the clamp of PackScore: a bare percentage reads
    // back as 99999 s, which must rank below every timed result of its
    // percentage. 64 bits, because a file may hold any 32-bit value.
    return std::int64_t { ScorePercent(storedScore) } * 100000 + 100000 - ScoreSeconds(storedScore);
}

std::string FileSignature(std::string signature)
{
    if (signature.size() > static_cast<std::size_t>(MaxSignatureLength))
        signature.resize(MaxSignatureLength);
    for (char &c : signature) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return signature;
}

void HighScoreTable::Clear()
{
    for (auto &list : entries_)
        list.Fill(ScoreEntry {});
}

bool HighScoreTable::operator==(const HighScoreTable &other) const
{
    return std::equal(entries_.begin(), entries_.end(), other.entries_.begin(),
        [](const auto &a, const auto &b) { return std::equal(a.begin(), a.end(), b.begin()); });
}

int HighScoreTable::Insert(int exercise, std::int32_t score, const std::string &signature)
{
    if (score < 0 || !HasList(exercise))
        return 0;
    auto &list = entries_[exercise];
    for (int rank = 1; rank <= ScoreRanks; ++rank) {
        if (RankingValue(list[rank].Score) > score)
            continue;
        for (int below = ScoreRanks; below > rank; --below)
            list[below] = list[below - 1];
        list[rank] = ScoreEntry { score, FileSignature(signature) };
        return rank;
    }
    return 0;
}

void ReadScoreFile(const std::string &path, HighScoreTable &table)
{
    const QByteArray bytes = ReadBounded(path);
    LineReader in(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    while (!in.OnlyBlankLeft()) {
        const std::int32_t exercise = in.Number();
        const std::int32_t rank = in.Number();
        const std::string_view signature = in.Line();
        const std::int32_t score = in.Number();
        // Lists of exercises or ranks this program does not keep may come from
        // a newer copy; they are passed over, never an error.
        if (exercise > ScoreExercises || rank > ScoreRanks)
            continue;
        if (exercise < 1 || rank < 1)
            throw ERangeError();
        table.At(exercise, rank) = ScoreEntry { score, FileSignature(std::string(signature)) };
    }
}

std::string ScoreFileText(const HighScoreTable &table)
{
    std::string out;
    out.reserve(ScoreExercises * ScoreRanks * 32);
    for (int exercise = 1; exercise <= ScoreExercises; ++exercise) {
        for (int rank = 1; rank <= ScoreRanks; ++rank) {
            const ScoreEntry &entry = table.At(exercise, rank);
            AppendLine(out, std::to_string(exercise));
            AppendLine(out, std::to_string(rank));
            AppendLine(out, FileSignature(entry.Signature));
            AppendLine(out, std::to_string(entry.Score));
        }
    }
    return out;
}

void SaveScoreFile(const std::string &path, const HighScoreTable &table)
{
    WriteFileWhole(path, ScoreFileText(table));
}

std::string KeepUnreadableCopy(const std::string &path)
{
    const QString original = ToQtPath(path);
    QByteArray bytes;
    try {
        bytes = ReadBounded(path);
    } catch (const Exception &e) {
        throw EInOutError(e.Message());
    }

    for (int n = 1; n <= 99; ++n) {
        const QString candidate
            = original + QStringLiteral(".bak") + (n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        QFile existing(candidate);
        if (existing.exists()) {
            // The same damaged file seen again needs no second copy.
            if (existing.size() == bytes.size() && existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
                return FromQtPath(candidate);
            continue;
        }
        const std::string copy = FromQtPath(candidate);
        WriteFileWhole(copy, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return copy;
    }
    throw EInOutError("Too many backup copies of " + path);
}

std::string ChooseScoreFilePath(const std::string &programFolder)
{
    // Trying to create a file is the only test that tells the truth about
    // read-only mounts, access lists and an installed copy alike.
    if (!programFolder.empty() && QFileInfo(ToQtPath(programFolder)).isDir()) {
        QTemporaryFile probe(ToQtPath(programFolder) + QStringLiteral("/.landora-write-test-XXXXXX"));
        if (probe.open())
            return programFolder + "/" + ScoreFileName;
    }

    QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dataFolder.isEmpty())
        dataFolder = QDir::homePath() + QStringLiteral("/.landora");
    QDir().mkpath(dataFolder);
    return FromQtPath(dataFolder) + "/" + ScoreFileName;
}

} // namespace landora
