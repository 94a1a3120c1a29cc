#pragma once
#include "data/FixedArray.h"
#include "exercises/Ovning.h"

#include <string>
#include <vector>

namespace landora {

class COrt;
class IMultiformular;

inline constexpr int ChoiceCount = 4;

// Exercise: choose the right one of four answers. A question names a place
// and asks for its country (form 1), or names a country and asks which of
// four places lies in it (form 2). The places asked are the selected ones,
// each once, in random order.
class COvningMulti : public COvning {
public:
    COvningMulti() = default;

    std::int32_t RightPosition = 0; // 1..4; 0 while no question is current
    COrt *CurrentPlace = nullptr; // the map's place list owns it
    bool TickSeen = false; // set by BlinkTick; the green pause waits for it
    std::int32_t QuestionMode = 0; // 1 place given, 2 country given
    FixedArray<std::string, ChoiceCount> Answers;

    std::string NextQuestion() override;
    bool IsRight(AnswerPoint answer) override;
    void RightAnswer() override;
    void WrongAnswer(AnswerPoint answer) override;
    void Start(IOvningsformular *window) override;
    void BlinkTick() override;

    // True when answer 1..4 of the current question can be chosen: it has a
    // text. With too few different answers the remaining boxes stay empty.
    bool CanChoose(int index) const;
    // The exercise key a place is asked under: the last key of the exercise
    // that one of its group keys equals; empty when none does.
    std::string CountryKey(const COrt &place) const;
    // The name, in the current language, of the area a key names; empty when
    // no area carries that key.
    std::string CountryName(const std::string &key) const;

private:
    IMultiformular *AnswerWindow() const;
    void PaintAll();
    void Paint(int index, Colour colour);
    // Takes places out of play whose country cannot be named.
    void DropPlacesWithoutCountry();
    std::vector<std::string> WrongCandidates(const std::string &key) const;
};

} // namespace landora
