#pragma once
// What the processor offers beyond the baseline, asked once per program: the
// canvas and the projection take their wide-vector paths only where these
// say so, and give the same results either way.
#if defined(__x86_64__) && defined(__GNUC__)
namespace landora {

// 256-bit integer vectors (AVX2).
inline const bool HasAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();

// AVX2 with the bit-scan and population-count instructions (BMI1, POPCNT).
inline const bool HasAvx2BitScan = [] {
    __builtin_cpu_init();
    return HasAvx2 && __builtin_cpu_supports("bmi") != 0 && __builtin_cpu_supports("popcnt") != 0;
}();

} // namespace landora
#endif
