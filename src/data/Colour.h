#pragma once
// Colours cross every boundary of the model as 0x00BBGGRR values: red in the
// lowest byte, then green, then blue (0x800000 is navy). In the catalogue a
// colour of 0 means "keep the map's own colour".
#include <cstdint>

namespace landora {

using Colour = std::uint32_t;

constexpr Colour RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

} // namespace landora
