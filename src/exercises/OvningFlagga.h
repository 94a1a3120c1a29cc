#pragma once
#include "exercises/Ovning.h"

namespace landora {

// Exercise: pick the named country's flag among up to sixteen. The catalogue
// lists these; their board is not built yet, so a run cannot be played and
// every question operation refuses with ENotAvailable.
class COvningFlagga : public COvning {
public:
    COvningFlagga() = default;

    std::string NextQuestion() override;
    bool IsRight(AnswerPoint answer) override;
    void BlinkTick() override;
};

} // namespace landora
