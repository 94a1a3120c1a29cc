#include "platform/Random.h"

#include <chrono>

namespace landora {

CClockRandom::CClockRandom()
{
    Reseed();
}

void CClockRandom::Reseed()
{
    // Two runs started within the clock's resolution must not repeat each
    // other, so the device's entropy is mixed in as well.
    const auto ticks = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::random_device device;
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32), device()};
    engine_.seed(seed);
}

double CClockRandom::Next()
{
    return UnitInterval(engine_());
}

double CSeededRandom::Next()
{
    return UnitInterval(engine_());
}

} // namespace landora
