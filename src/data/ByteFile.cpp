#include "data/ByteFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "data/Errors.h"

namespace landora {

std::string UnshiftText(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) + TextOffset));
    return text;
}

std::string ShiftText(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) - TextOffset));
    return text;
}

TByteFile::TByteFile(const std::string &fileName)
{
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR))
        throw EFileNotFound("File \"" + fileName + "\" not found.");
    if (S_ISDIR(info.st_mode))
        throw EFileOpenFailed("File open failed: " + std::string(std::strerror(EISDIR)));
    file_ = std::fopen(fileName.c_str(), "rb");
    if (file_ == nullptr)
        throw EFileOpenFailed("File open failed: " + std::string(std::strerror(errno)));
    fileSize_ = static_cast<long long>(info.st_size);
}

TByteFile::~TByteFile()
{
    if (file_ != nullptr)
        std::fclose(file_); // a failure while closing is of no consequence to a reader
}

void TByteFile::FillBuffer()
{
    const std::size_t got = std::fread(Buffer, 1, BufferSize, file_);
    if (got == 0) {
        if (std::ferror(file_))
            throw EInOutError(std::strerror(errno));
        throw EInOutError("Read beyond end of file");
    }
    fileRead_ += static_cast<long long>(got);
    BufferCount = static_cast<std::uint16_t>(got);
    BufferPos = 0;
}

std::uint8_t TByteFile::ReadByte()
{
    if (BufferPos >= BufferCount)
        FillBuffer();
    return Buffer[BufferPos++];
}

std::int32_t TByteFile::ReadInt16()
{
    const std::int32_t low = ReadByte();
    const std::int32_t high = ReadByte();
    const std::int32_t value = high * 256 + low;
    if (value > 32767)
        throw ERangeError();
    return value;
}

std::int32_t TByteFile::ReadInt32()
{
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8)
        value |= static_cast<std::uint32_t>(ReadByte()) << shift;
    return static_cast<std::int32_t>(value);
}

std::string TByteFile::ReadString()
{
    const std::uint8_t length = ReadByte();
    std::string text(length, '\0');
    for (std::uint8_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(ReadByte());
    return UnshiftText(std::move(text));
}

bool TByteFile::AtEnd() const
{
    // The size is taken when the file is opened: data files are not written
    // while the program reads them.
    return fileRead_ >= fileSize_ && BufferPos >= BufferCount;
}

} // namespace landora
