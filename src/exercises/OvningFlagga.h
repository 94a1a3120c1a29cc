#pragma once
#include "exercises/Ovning.h"

namespace landora {

// Exercise: pick the named country's flag among up to sixteen. Each run
// shuffles the exercise's keys and puts the first sixteen on the board; every
// flag on the board is asked once. The board, its drawing and its blinking
// belong to the flag window; the exercise chooses, judges and counts.
class COvningFlagga : public COvning {
public:
    // Cells on the board: four to a row, at most four rows.
    static constexpr int MaxFlags = 16;

    COvningFlagga() = default;

    std::int32_t CurrentIndex = 0; // the board cell (= key index) asked for
    bool TickSeen = false;         // set by BlinkTick; the window blinks by itself
    std::int32_t FlagCount = 0;    // flags on the board, 0..16

    std::string NextQuestion() override;
    bool IsRight(AnswerPoint answer) override;
    void Start(IOvningsformular *window) override;
    void BlinkTick() override;

    // The current-language name of the area of cell k's key; empty above
    // FlagCount and for a key that no area has.
    std::string FlagName(int k) const;
};

} // namespace landora
