#pragma once
// A finished run as one signed 32-bit score value:
//   percent * 100000 + (100000 - seconds)   for a packed result (101 and above)
//   0..100                                  a bare percentage, no time recorded
// A plain integer comparison orders results: higher percentage first, then
// shorter time. 99999 seconds is the mark for "no time recorded".
#include <cstdint>
#include <string>

namespace landora {

inline constexpr std::int32_t NoTimeSeconds = 99999;
// The longest time a packed value holds: 0 % in 99899 s packs to 101, the
// lowest value that is not a bare percentage.
inline constexpr std::int32_t LongestPackedSeconds = 99899;

std::string PadZeros(std::string text, int width);
// "mm:ss", minutes not capped; empty for NoTimeSeconds.
std::string TimeText(std::int32_t seconds);
std::int32_t PackScore(std::int32_t percent, std::int32_t seconds);
std::int32_t ScorePercent(std::int32_t value);
std::int32_t ScoreSeconds(std::int32_t value);

} // namespace landora
