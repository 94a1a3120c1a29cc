#pragma once
// "Let pending events run" without an event loop.
#include <functional>

#include "data/Services.h"

namespace landora::test {

class NullEventPump final : public IEventPump {
public:
    void ProcessEvents() override {}
};

// Counts the calls and can run a test's action at each of them, standing in
// for a click or timer tick handled while the caller waits (re-entry).
class CountingEventPump final : public IEventPump {
public:
    void ProcessEvents() override
    {
        ++count;
        if (onEvents)
            onEvents(count);
    }

    int count = 0;
    std::function<void(int)> onEvents;
};

} // namespace landora::test
