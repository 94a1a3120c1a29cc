#include "exercises/OvningFlagga.h"

#include <algorithm>

#include "data/Services.h"
#include "exercises/Ovningsformular.h"
#include "map/Karta.h"

namespace landora {

void COvningFlagga::Start(IOvningsformular *window)
{
    if (Context != nullptr && Context->Random != nullptr)
        Context->Random->Reseed();
    // The shuffle works on the exercise's own list: the board keeps this
    // order until the next start.
    for (int i = 1; i <= KeyCount; ++i) {
        Asked[i] = false;
        const int j = Draw(KeyCount) + 1;
        std::swap(Keys[i], Keys[j]);
    }
    // The catalogue allows a negative count; it means an empty board.
    FlagCount = std::clamp(KeyCount, 0, MaxFlags);
    CurrentIndex = 0;
    COvning::Start(window);
    const std::string text = NextQuestion();
    if (Window != nullptr)
        Window->VisaFraga(text);
}

std::string COvningFlagga::NextQuestion()
{
    if (AskedCount >= FlagCount)
        return {};
    Tries = 0;
    ++AskedCount;
    int j = 0;
    do {
        j = Draw(FlagCount) + 1;
    } while (Asked[j]);
    CurrentIndex = j;
    return Text(9) + " " + FlagName(j);
}

bool COvningFlagga::IsRight(AnswerPoint answer)
{
    if (CurrentIndex < 1 || answer.Index != CurrentIndex)
        return false;
    Asked[CurrentIndex] = true;
    return true;
}

void COvningFlagga::BlinkTick()
{
    TickSeen = true;
}

std::string COvningFlagga::FlagName(int k) const
{
    if (k < 1 || k > FlagCount || Map == nullptr || !Map->Areas)
        return {};
    // A key that no area has is harmless: its cell shows a nameless frame.
    const CArea *area = Map->Areas->FindByKey(Keys[k]);
    return area != nullptr ? area->Names[Language()] : std::string();
}

} // namespace landora
