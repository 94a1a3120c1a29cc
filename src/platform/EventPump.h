#pragma once
// "Let pending window events run" on the GUI thread's event loop.
#include "data/Services.h"

namespace landora {

class CQtEventPump final : public IEventPump {
public:
    void ProcessEvents() override;
    void WaitForEvents() override;
};

} // namespace landora
