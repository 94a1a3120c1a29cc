#pragma once
// Reader of the scrambled .crp data files: bytes, little-endian integers and
// length-prefixed texts whose bytes are stored shifted by the text offset.
// Every data file is read in one forward pass through a 512-byte buffer.
#include <cstdint>
#include <cstdio>
#include <string>

namespace landora {

// The text offset of the shipped data set: a writer stores each text byte as
// (character - TextOffset) mod 256, the reader adds it back.
inline constexpr std::uint8_t TextOffset = 0x53;

// Undo the storage shift of a text, byte by byte, wrapping modulo 256.
std::string UnshiftText(std::string text);
// The inverse, for writers of data files (the atlas pipeline, tests).
std::string ShiftText(std::string text);

class TByteFile {
public:
    static constexpr int BufferSize = 512;

    // Opens fileName read-only, resolved against the current directory when
    // relative. Throws EFileNotFound ("File "<name>" not found.") when the file
    // does not exist, EFileOpenFailed ("File open failed: <cause>") when it
    // cannot be opened.
    explicit TByteFile(const std::string &fileName);
    ~TByteFile();
    TByteFile(const TByteFile &) = delete;
    TByteFile &operator=(const TByteFile &) = delete;

    // Each read throws EInOutError("Read beyond end of file") when the data is
    // used up.
    std::uint8_t ReadByte();
    // 0..32767; a value above throws ERangeError.
    std::int32_t ReadInt16();
    std::int32_t ReadInt32();
    // A length byte n, then n shifted bytes; returns the unshifted text.
    std::string ReadString();
    void ReadString(std::string &text) { text = ReadString(); }

    // True once every byte of the file has been handed out.
    bool AtEnd() const;

private:
    void FillBuffer();

    std::FILE *file_ = nullptr;
    long long fileSize_ = 0;
    long long fileRead_ = 0;
    std::uint8_t Buffer[BufferSize] = {};
    std::uint16_t BufferCount = 0;
    std::uint16_t BufferPos = 0;
};

} // namespace landora
