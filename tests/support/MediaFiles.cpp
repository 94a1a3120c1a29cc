#include "support/MediaFiles.h"

#include <stdexcept>

namespace landora::test {

namespace {

void Le16(std::string &out, int value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Le32(std::string &out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void Be32(std::string &out, std::uint32_t value)
{
    for (int i = 3; i >= 0; --i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Packs codes of a fixed width, least significant bit first, as GIF does.
class BitWriter {
public:
    void Put(int code, int width)
    {
        for (int i = 0; i < width; ++i) {
            if ((code >> i) & 1)
                current_ |= static_cast<std::uint8_t>(1u << bits_);
            if (++bits_ == 8) {
                bytes_ += static_cast<char>(current_);
                current_ = 0;
                bits_ = 0;
            }
        }
    }
    std::string Finish()
    {
        if (bits_ > 0)
            bytes_ += static_cast<char>(current_);
        return bytes_;
    }

private:
    std::string bytes_;
    std::uint8_t current_ = 0;
    int bits_ = 0;
};

} // namespace

std::string TinyGif(int width, int height, const std::array<Rgb, 4> &palette, const std::vector<int> &pixels)
{
    if (pixels.size() != static_cast<std::size_t>(width * height))
        throw std::invalid_argument("TinyGif: pixel count does not match the size");
    std::string out = "GIF89a";
    Le16(out, width);
    Le16(out, height);
    out += static_cast<char>(0x91); // global colour table of 4 entries
    out += '\0';                    // background colour index
    out += '\0';                    // pixel aspect ratio
    for (const Rgb &c : palette) {
        out += static_cast<char>(c.r);
        out += static_cast<char>(c.g);
        out += static_cast<char>(c.b);
    }
    out += ',';
    Le16(out, 0);
    Le16(out, 0);
    Le16(out, width);
    Le16(out, height);
    out += '\0'; // no local table, not interlaced

    // Minimum code size 2: clear = 4, end = 5. A clear code before every two
    // pixels keeps the dictionary below 8 entries, so every code stays 3 bits
    // wide and no compression is needed.
    constexpr int clear = 4, end = 5, width3 = 3;
    BitWriter bits;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (i % 2 == 0)
            bits.Put(clear, width3);
        bits.Put(pixels[i], width3);
    }
    bits.Put(end, width3);
    const std::string data = bits.Finish();

    out += '\x02';
    for (std::size_t pos = 0; pos < data.size(); pos += 255) {
        const std::string block = data.substr(pos, 255);
        out += static_cast<char>(block.size());
        out += block;
    }
    out += '\0';
    out += ';';
    return out;
}

std::string TinyWav(int samples)
{
    std::string out = "RIFF";
    Le32(out, static_cast<std::uint32_t>(36 + samples));
    out += "WAVEfmt ";
    Le32(out, 16);
    Le16(out, 1);     // PCM
    Le16(out, 1);     // mono
    Le32(out, 11025); // samples per second
    Le32(out, 11025); // bytes per second
    Le16(out, 1);     // block align
    Le16(out, 8);     // bits per sample
    out += "data";
    Le32(out, static_cast<std::uint32_t>(samples));
    for (int i = 0; i < samples; ++i)
        out += static_cast<char>((i / 12) % 2 == 0 ? 0xC0 : 0x40);
    return out;
}

std::string TinyMidi()
{
    std::string out = "MThd";
    Be32(out, 6);
    out += std::string("\x00\x00\x00\x01\x00\x60", 6); // format 0, one track, 96 ticks per quarter
    const std::string track("\x00\x90\x3C\x40"   // note on, middle C
                            "\x60\x80\x3C\x40"   // a quarter later: note off
                            "\x00\xFF\x2F\x00",  // end of track
                            12);
    out += "MTrk";
    Be32(out, static_cast<std::uint32_t>(track.size()));
    out += track;
    return out;
}

} // namespace landora::test
