#pragma once
// A sound service that plays nothing and remembers every call, in order.
#include <string>
#include <vector>

#include "data/Services.h"

namespace landora::test {

class FakeSound final : public ISound {
public:
    struct Call {
        enum Kind { Wave, Midi } kind;
        std::string name;
        int channelOrPosition;
        bool operator==(const Call &) const = default;
    };

    void PlayWave(const std::string &name, int channel) override { calls.push_back({Call::Wave, name, channel}); }
    void PlayMidi(const std::string &name, int position) override { calls.push_back({Call::Midi, name, position}); }

    // The names of the WAV files played, in order.
    std::vector<std::string> Waves() const
    {
        std::vector<std::string> names;
        for (const Call &call : calls)
            if (call.kind == Call::Wave)
                names.push_back(call.name);
        return names;
    }

    std::vector<Call> calls;
};

} // namespace landora::test
