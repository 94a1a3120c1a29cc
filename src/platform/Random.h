#pragma once
// Random draws for the exercises: a uniform real in [0, 1) from a 64-bit
// Mersenne twister.
#include <cstdint>
#include <random>

#include "data/Services.h"

namespace landora {

// Reseeded from the clock at every run start: each run asks in a new order.
class CClockRandom final : public IRandom {
public:
    CClockRandom();
    void Reseed() override;
    double Next() override;

private:
    std::mt19937_64 engine_;
};

// Always the same sequence for the same seed; Reseed() does not change it.
// For tests and for runs that must be reproduced.
class CSeededRandom final : public IRandom {
public:
    explicit CSeededRandom(std::uint64_t seed) : engine_(seed) {}
    void Reseed() override {}
    double Next() override;

private:
    std::mt19937_64 engine_;
};

// The top 53 bits of a 64-bit draw as a double: never 1.0, which
// std::uniform_real_distribution can round up to.
inline double UnitInterval(std::uint64_t bits)
{
    return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

} // namespace landora
