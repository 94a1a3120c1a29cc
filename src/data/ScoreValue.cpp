#include "data/ScoreValue.h"

#include <algorithm>

namespace landora {

std::string PadZeros(std::string text, int width)
{
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

std::string TimeText(std::int32_t seconds)
{
    if (seconds == NoTimeSeconds)
        return {};
    return PadZeros(std::to_string(seconds / 60), 2) + ":" + PadZeros(std::to_string(seconds % 60), 2);
}

std::int32_t PackScore(std::int32_t percent, std::int32_t seconds)
{
    // A run timed at 0 s would pack to (p + 1) * 100000 and read back as one
    // percent more; the clock's 100000 s would read back as 0 s; and at 0 %
    // anything above 99899 s packs to 1..100, which reads back as a bare
    // percentage. Clamping the time to 1..99899 keeps every packed value's own
    // percentage, above 100, and never produces the "no time" mark.
    const std::int32_t clamped = std::clamp<std::int32_t>(seconds, 1, LongestPackedSeconds);
    return percent * 100000 - clamped + 100000;
}

std::int32_t ScorePercent(std::int32_t value)
{
    if (value <= 100)
        return value;
    return value / 100000;
}

std::int32_t ScoreSeconds(std::int32_t value)
{
    if (value <= 100)
        return NoTimeSeconds;
    const std::int32_t rest = value % 100000;
    // Only files written elsewhere can hold a remainder of 0; read it as the
    // longest time rather than as a time of 0 s that would beat every result.
    if (rest == 0)
        return NoTimeSeconds - 1;
    return 100000 - rest;
}

} // namespace landora
