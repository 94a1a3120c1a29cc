#pragma once
// Small valid media files built in code, for tests of the picture loader and
// the sound players.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace landora::test {

struct Rgb {
    std::uint8_t r, g, b;
};

// A GIF89a picture with a four-colour palette; `pixels` holds width x height
// palette indices (0..3), row by row from the top.
std::string TinyGif(int width, int height, const std::array<Rgb, 4> &palette, const std::vector<int> &pixels);

// A mono 8-bit PCM WAV file of `samples` samples at 11025 Hz (a short tone).
std::string TinyWav(int samples);

// A format-0 MIDI file playing one note.
std::string TinyMidi();

} // namespace landora::test
