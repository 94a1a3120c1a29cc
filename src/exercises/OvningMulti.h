#pragma once
#include "exercises/Ovning.h"

namespace landora {

// Exercise: choose the right one of four answers. The catalogue lists these;
// their window is not built yet, so a run cannot be played and every question
// operation refuses with ENotAvailable.
class COvningMulti : public COvning {
public:
    COvningMulti() = default;

    std::string NextQuestion() override;
    bool IsRight(AnswerPoint answer) override;
    void BlinkTick() override;
};

} // namespace landora
