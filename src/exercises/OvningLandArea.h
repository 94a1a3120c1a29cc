#pragma once
#include "exercises/Ovning.h"

namespace landora {

class CArea;
class IKartformular;

// Exercise: click the named country or area on the map.
class COvningLandArea : public COvning {
public:
    COvningLandArea() = default;

    std::string CurrentKey;       // the key asked for (one of Keys)
    std::int32_t CurrentIndex = 0; // its index in Keys

    std::string NextQuestion() override;
    bool IsRight(AnswerPoint answer) override;
    bool IsAnswered(AnswerPoint answer) override;
    void RightAnswer() override;
    void WrongAnswer(AnswerPoint answer) override;
    void Start(IOvningsformular *window) override;
    void BlinkTick() override;

    // The exercise key of the area under the click, or an empty text.
    std::string KeyAt(AnswerPoint answer) const;
    // The area whose name stands for a key: the last area with that own key,
    // else the first area answering to it through a group key; nullptr if none.
    CArea *AreaForKey(const std::string &key) const;

private:
    CArea *AreaAt(AnswerPoint answer) const;
};

} // namespace landora
