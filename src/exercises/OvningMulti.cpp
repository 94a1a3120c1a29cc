#include "exercises/OvningMulti.h"

#include "data/ProgramState.h"
#include "data/Services.h"
#include "exercises/Ovningsformular.h"
#include "map/Area.h"
#include "map/Karta.h"
#include "map/Ort.h"

#include <algorithm>

namespace landora {

namespace {
constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Green = RGB(0, 128, 0);

bool InGroup(const COrt &place, const std::string &key)
{
    return place.Group1 == key || place.Group2 == key || place.Group3 == key;
}

bool Open(const COrt &place)
{
    return place.Selected && !place.Answered;
}
} // namespace

IMultiformular *COvningMulti::AnswerWindow() const
{
    return dynamic_cast<IMultiformular *>(Window);
}

std::string COvningMulti::CountryKey(const COrt &place) const
{
    std::string key;
    for (int i = 1; i <= KeyCount; ++i)
        if (InGroup(place, Keys[i]))
            key = Keys[i];
    return key;
}

std::string COvningMulti::CountryName(const std::string &key) const
{
    if (Map == nullptr || !Map->Areas || key.empty())
        return {};
    const CArea *area = Map->Areas->FindByKey(key);
    return area != nullptr ? area->Names[Language()] : std::string();
}

bool COvningMulti::CanChoose(int index) const
{
    return RightPosition != 0 && index >= 1 && index <= ChoiceCount && !Answers[index].empty();
}

void COvningMulti::Paint(int index, Colour colour)
{
    IMultiformular *window = AnswerWindow();
    if (window == nullptr)
        return;
    if (IAnswerImage *image = window->AnswerImage(index))
        window->PaintAnswer(image, colour, Answers[index]);
}

void COvningMulti::PaintAll()
{
    for (int i = 1; i <= ChoiceCount; ++i)
        Paint(i, White);
}

void COvningMulti::DropPlacesWithoutCountry()
{
    COrter &places = *Map->Places;
    for (COrt *place = places.First; place != nullptr; place = place->Next) {
        if (!place->Selected || !CountryName(CountryKey(*place)).empty())
            continue;
        // Asked, it would offer an answer without a name; judged, a wrong
        // answer would be taken for the right one.
        place->Selected = false;
        --places.SelectedCount;
        --places.RemainingCount;
    }
}

// The texts a wrong answer may take, each once, in catalogue or list order:
// form 1 the countries of keys the place does not lie in, form 2 the selected
// places (asked or not) that do not lie in the country asked.
std::vector<std::string> COvningMulti::WrongCandidates(const std::string &key) const
{
    std::vector<std::string> names;
    auto add = [&names, this](const std::string &name) {
        if (!name.empty() && name != Answers[RightPosition]
            && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    if (QuestionMode == 1) {
        for (int i = 1; i <= KeyCount; ++i)
            if (!InGroup(*CurrentPlace, Keys[i]))
                add(CountryName(Keys[i]));
    } else {
        for (const COrt *place = Map->Places->First; place != nullptr; place = place->Next)
            if (place->Selected && !InGroup(*place, key))
                add(place->Names[Language()]);
    }
    return names;
}

std::string COvningMulti::NextQuestion()
{
    if (Map == nullptr || !Map->Places || !Map->Areas)
        return {};
    COrter &places = *Map->Places;
    if (places.RemainingCount <= 0) {
        RightPosition = 0;
        CurrentPlace = nullptr;
        return {};
    }
    Tries = 0;
    QuestionMode = Draw(2) + 1;

    int steps = Draw(places.RemainingCount);
    COrt *place = places.First;
    while (place != nullptr && !Open(*place))
        place = place->Next;
    while (place != nullptr && steps > 0) {
        place = place->Next;
        while (place != nullptr && !Open(*place))
            place = place->Next;
        --steps;
    }
    // A remaining count above the open places cannot come from the list's
    // own bookkeeping; it ends the run rather than ask nothing.
    if (place == nullptr) {
        RightPosition = 0;
        CurrentPlace = nullptr;
        return {};
    }
    CurrentPlace = place;

    if (Context != nullptr && Context->Random != nullptr)
        Context->Random->Reseed();
    RightPosition = Draw(ChoiceCount) + 1;
    for (int i = 1; i <= ChoiceCount; ++i)
        Answers[i].clear();

    const std::string key = CountryKey(*place);
    const std::string country = CountryName(key);
    const std::string &placeName = place->Names[Language()];
    std::string text;
    if (QuestionMode == 1) {
        Answers[RightPosition] = country;
        text = placeName + " " + Text(10);
    } else {
        Answers[RightPosition] = placeName;
        text = Text(13) + " " + country + " " + Text(14);
    }

    // Each wrong answer is drawn among what is left, so the drawing ends
    // also when fewer than three different ones exist.
    std::vector<std::string> candidates = WrongCandidates(key);
    for (int i = 1; i <= ChoiceCount; ++i) {
        if (i == RightPosition || candidates.empty())
            continue;
        const auto j = static_cast<std::size_t>(Draw(static_cast<int>(candidates.size())));
        Answers[i] = candidates[j];
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(j));
    }

    ++AskedCount;
    PaintAll();
    return text;
}

bool COvningMulti::IsRight(AnswerPoint answer)
{
    return CurrentPlace != nullptr && RightPosition != 0 && answer.Index == RightPosition;
}

void COvningMulti::RightAnswer()
{
    COvning::RightAnswer();
    if (CurrentPlace == nullptr || RightPosition == 0)
        return;
    COrt *place = CurrentPlace;
    Paint(RightPosition, Green);
    if (!LetEventsRun())
        return;
    // The green answer stands until the window's pause timer ticks. A window
    // that closes meanwhile stops that timer, so its going ends the wait too.
    TickSeen = false;
    for (;;) {
        const IMultiformular *window = AnswerWindow();
        if (window == nullptr || !window->StillPlaying())
            return;
        if (TickSeen)
            break;
        if (!WaitForEvents())
            return;
    }
    place->Answered = true;
    place->AnsweredOnTry = Tries + 1;
    --Map->Places->RemainingCount;
}

void COvningMulti::WrongAnswer(AnswerPoint answer)
{
    if (!CanChoose(answer.Index))
        return;
    COvning::WrongAnswer(answer);
    Paint(answer.Index,
        Context != nullptr && Context->State != nullptr ? Context->State->colours.AlertColour
                                                        : SharedColours {}.AlertColour);
}

void COvningMulti::Start(IOvningsformular *window)
{
    RightPosition = 0;
    CurrentPlace = nullptr;
    TickSeen = false;
    for (int i = 1; i <= ChoiceCount; ++i)
        Answers[i].clear();
    COvning::Start(window);
    if (Map == nullptr || !Map->Places)
        return;
    DropPlacesWithoutCountry();
    const std::string text = NextQuestion();
    if (Window != nullptr)
        Window->VisaFraga(text);
}

void COvningMulti::BlinkTick()
{
    TickSeen = true;
}

} // namespace landora
