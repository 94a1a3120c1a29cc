#include "exercises/OvningOrt.h"

#include "exercises/Ovningsformular.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "exercises/MapSetup.h"

namespace landora {

namespace {
constexpr std::int32_t NearestBound = 10000;
constexpr Colour Green = RGB(0, 128, 0);
constexpr Colour Yellow = RGB(255, 255, 0);
constexpr Colour Black = RGB(0, 0, 0);
constexpr Colour White = RGB(255, 255, 255);
constexpr int NameLabelOffset = 12; // the label sits this far below the place hit
} // namespace

void COvningOrt::HideNameLabel()
{
    if (IKartformular *window = MapWindow())
        window->ShowNameLabel({}, 0, 0, White, White, false);
}

COrt *COvningOrt::NearestPlace(AnswerPoint answer) const
{
    if (Map == nullptr || !Map->Places)
        return nullptr;
    const GeoPoint point{answer.Latitude, answer.Longitude};
    COrt *nearest = nullptr;
    std::int32_t best = NearestBound;
    for (COrt *place = Map->Places->First; place != nullptr; place = place->Next) {
        if (!place->Selected)
            continue;
        const std::int32_t distance = Map->PixelDistance(point, *place);
        if (distance < best) {
            best = distance;
            nearest = place;
        }
    }
    return nearest;
}

std::string COvningOrt::NextQuestion()
{
    if (Map == nullptr || !Map->Places)
        return {};
    COrter &places = *Map->Places;
    std::string text;
    if (places.RemainingCount > 0) {
        Tries = 0;
        int steps = Draw(places.RemainingCount);
        COrt *place = places.First;
        while (place != nullptr && !(place->Selected && !place->Answered))
            place = place->Next;
        while (place != nullptr && steps > 0) {
            place = place->Next;
            while (place != nullptr && !(place->Selected && !place->Answered))
                place = place->Next;
            --steps;
        }
        // A remaining count above the open places found cannot come from the
        // list's own bookkeeping; treat it as the end rather than ask nothing.
        if (place != nullptr) {
            CurrentPlace = place;
            text = Text(9) + " " + place->Names[Language()];
        }
    }
    Map->DrawPendingPlaces();
    return text;
}

bool COvningOrt::IsRight(AnswerPoint answer)
{
    return CurrentPlace != nullptr && NearestPlace(answer) == CurrentPlace;
}

bool COvningOrt::IsAnswered(AnswerPoint answer)
{
    const COrt *place = NearestPlace(answer);
    return place != nullptr && place->Answered;
}

void COvningOrt::RightAnswer()
{
    HideNameLabel();
    COvning::RightAnswer();
    BlinkState = 0;
    if (Map == nullptr || CurrentPlace == nullptr)
        return;
    COrt *place = CurrentPlace;
    Map->DrawPlace(*place, Green);
    if (!LetEventsRun())
        return;
    place->Answered = true;
    place->AnsweredOnTry = Tries + 1;
    Map->DrawPlace(*place, Yellow);
    if (Map->Places)
        --Map->Places->RemainingCount;
}

void COvningOrt::WrongAnswer(AnswerPoint answer)
{
    COvning::WrongAnswer(answer);
    COrt *place = NearestPlace(answer);
    if (place != nullptr && !IsAnswered(answer)) {
        const auto latitude = static_cast<float>(place->Latitude);
        const auto longitude = static_cast<float>(place->Longitude);
        const std::int32_t y = Map->LatitudeToY(latitude);
        const std::int32_t x = Map->PositionToX(latitude, longitude);
        if (IKartformular *window = MapWindow())
            window->ShowNameLabel(place->Names[Language()], x, y + NameLabelOffset, White, White, true);
        if (!LetEventsRun())
            return;
    }
    if (Tries == 3)
        BlinkState = 1;
}

void COvningOrt::Start(IOvningsformular *window)
{
    if (Map != nullptr) {
        Map->LandColour = Silver;
        Map->AreaColour = Silver;
    }
    CurrentPlace = nullptr;
    COvning::Start(window);
    if (Map == nullptr)
        return;
    StartOnMap();
}

bool COvningOrt::DrawMap()
{
    if (!DrawMapForRun(*Map, *this, [this] { return LetEventsRun(); }))
        return false;
    HideNameLabel();
    return LetEventsRun();
}

void COvningOrt::BlinkTick()
{
    if (Map == nullptr || CurrentPlace == nullptr)
        return;
    switch (BlinkState) {
    case 1:
        Map->DrawPlace(*CurrentPlace, AccentColour());
        BlinkState = 2;
        break;
    case 2:
        if (Tries > 3) {
            Map->DrawPlace(*CurrentPlace, Black);
            BlinkState = 1;
        }
        break;
    default:
        break;
    }
}

} // namespace landora
