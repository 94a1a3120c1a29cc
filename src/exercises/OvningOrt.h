#pragma once
#include "exercises/Ovning.h"

namespace landora {

class COrt;
class IKartformular;

// Exercise: click the named place on the map.
class COvningOrt : public COvning {
public:
    COvningOrt() = default;

    COrt *CurrentPlace = nullptr; // the place asked for; the map's place list owns it

    std::string NextQuestion() override;
    bool IsRight(AnswerPoint answer) override;
    bool IsAnswered(AnswerPoint answer) override;
    void RightAnswer() override;
    void WrongAnswer(AnswerPoint answer) override;
    void Start(IOvningsformular *window) override;
    void BlinkTick() override;

    // The selected place nearest to the click in pixels (answered or not),
    // closer than 10000 pixels; the earlier place wins a tie. nullptr if none.
    COrt *NearestPlace(AnswerPoint answer) const;
    // The run's map, then the name label hidden.
    bool DrawMap() override;

private:
    void HideNameLabel();
};

} // namespace landora
