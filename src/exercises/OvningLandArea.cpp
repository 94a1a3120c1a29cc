#include "exercises/OvningLandArea.h"

#include "exercises/Ovningsformular.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "exercises/MapSetup.h"

namespace landora {

namespace {
constexpr Colour Green = RGB(0, 128, 0);
constexpr Colour White = RGB(255, 255, 255);
} // namespace

CArea *COvningLandArea::AreaAt(AnswerPoint answer) const
{
    if (Map == nullptr || !Map->Areas)
        return nullptr;
    return Map->Areas->AreaAt(GeoPoint{answer.Latitude, answer.Longitude});
}

CArea *COvningLandArea::AreaForKey(const std::string &key) const
{
    if (Map == nullptr || !Map->Areas || key.empty())
        return nullptr;
    if (CArea *own = Map->Areas->FindByKey(key))
        return own;
    // A key that names a group rather than one area: the question takes the
    // name of the first area of that group.
    for (int i = 1; i <= Map->Areas->Count; ++i) {
        CArea *area = Map->Areas->Items[i].get();
        if (area != nullptr && area->Matches(key))
            return area;
    }
    return nullptr;
}

std::string COvningLandArea::KeyAt(AnswerPoint answer) const
{
    const CArea *area = AreaAt(answer);
    if (area == nullptr)
        return {};
    for (int i = 1; i <= KeyCount; ++i) {
        if (area->Matches(Keys[i]))
            return Keys[i];
    }
    return {};
}

std::string COvningLandArea::NextQuestion()
{
    if (Map == nullptr || !Map->Areas)
        return {};
    if (AskedCount >= KeyCount) {
        Map->FillAreasByState();
        return {};
    }
    Tries = 0;
    ++AskedCount;
    int i = 0;
    do {
        i = Draw(KeyCount) + 1;
    } while (Asked[i]);
    CurrentIndex = i;
    CurrentKey = Keys[i];
    Map->FillAreasByState();
    const CArea *area = AreaForKey(CurrentKey);
    return Text(9) + " " + (area != nullptr ? area->Names[Language()] : std::string());
}

bool COvningLandArea::IsRight(AnswerPoint answer)
{
    const CArea *area = AreaAt(answer);
    return area != nullptr && area->Matches(CurrentKey);
}

bool COvningLandArea::IsAnswered(AnswerPoint answer)
{
    const CArea *area = AreaAt(answer);
    return area != nullptr && area->Answered;
}

void COvningLandArea::RightAnswer()
{
    const bool counted = !Finished;
    COvning::RightAnswer();
    // Every right answer of an area exercise weighs twice in the later
    // percentages; the one just shown was computed before this second count.
    if (counted)
        ++AnswerCount;
    if (Map == nullptr || !Map->Areas)
        return;
    Map->FillAreasByKey(CurrentKey, AccentColour());
    if (IKartformular *window = MapWindow())
        window->ShowNameLabel({}, 0, 0, White, White, false);
    Map->Areas->MarkAnswered(CurrentKey, Tries + 1);
    if (Asked.Contains(CurrentIndex))
        Asked[CurrentIndex] = true;
}

void COvningLandArea::WrongAnswer(AnswerPoint answer)
{
    const std::string key = KeyAt(answer);
    const CArea *area = AreaForKey(key);
    if (area != nullptr) {
        COvning::WrongAnswer(answer);
        const std::int32_t y = Map->LatitudeToY(answer.Latitude);
        const std::int32_t x = Map->PositionToX(answer.Latitude, answer.Longitude);
        if (IKartformular *window = MapWindow())
            window->ShowNameLabel(area->Names[Language()], x, y, White, White, true);
    }
    if (Tries == 3)
        BlinkState = 1;
}

void COvningLandArea::Start(IOvningsformular *window)
{
    for (int i = 1; i <= KeyCount; ++i)
        Asked[i] = false;
    CurrentKey.clear();
    CurrentIndex = 0;
    COvning::Start(window);
    if (Map == nullptr)
        return;
    // A key that no area answers to could never be clicked right: it is
    // counted as asked so that the run neither asks nor waits for it.
    for (int i = 1; i <= KeyCount; ++i) {
        if (AreaForKey(Keys[i]) == nullptr) {
            Asked[i] = true;
            ++AskedCount;
        }
    }
    StartOnMap();
}

void COvningLandArea::BlinkTick()
{
    if (Map == nullptr || CurrentKey.empty())
        return;
    switch (BlinkState) {
    case 1:
        Map->FillAreasByKey(CurrentKey, AccentColour());
        BlinkState = 2;
        break;
    case 2:
        if (Tries > 3) {
            Map->FillAreasByKey(CurrentKey, Green);
            BlinkState = 1;
        }
        break;
    default:
        break;
    }
}

} // namespace landora
