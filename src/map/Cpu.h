#pragma once
// What the processor offers beyond the baseline, asked once per program: the
// canvas and the projection take their wide-vector paths only where these
// say so, and give the same results either way.
//
// LANDORA_PLAIN_PATHS set to anything but empty or "0" turns the wide paths
// off for the whole program, so that the plain fill, region index and
// projection can be run and compared on any processor (the test suite runs
// the canvas and shipped-map tests both ways).
#if defined(__x86_64__) && defined(__GNUC__)
#include <cstdlib>
#include <cstring>

namespace landora {

inline const bool PlainPathsForced = [] {
    const char *value = std::getenv("LANDORA_PLAIN_PATHS");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}();

// 256-bit integer vectors (AVX2).
inline const bool HasAvx2 = [] {
    __builtin_cpu_init();
    return !PlainPathsForced && __builtin_cpu_supports("avx2") != 0;
}();

// AVX2 with the bit-scan and population-count instructions (BMI1, POPCNT).
inline const bool HasAvx2BitScan = [] {
    __builtin_cpu_init();
    return HasAvx2 && __builtin_cpu_supports("bmi") != 0 && __builtin_cpu_supports("popcnt") != 0;
}();

} // namespace landora
#endif
