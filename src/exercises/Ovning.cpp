#include "exercises/Ovning.h"

#include <cmath>

#include "data/ProgramState.h"
#include "exercises/Ovningsformular.h"
#include "data/Services.h"
#include "map/Karta.h"
#include "exercises/MapSetup.h"

namespace landora {

std::int32_t RoundedPercent(std::int32_t answers, std::int32_t wrong)
{
    if (answers <= 0)
        return 0;
    // nearbyint in the default rounding mode sends halves to the even neighbour.
    const double share = static_cast<double>(answers - wrong) / static_cast<double>(answers) * 100.0;
    return static_cast<std::int32_t>(std::nearbyint(share));
}

bool COvning::IsAnswered(AnswerPoint)
{
    return false;
}

void COvning::ComputePercent()
{
    Percent = RoundedPercent(AnswerCount, WrongCount);
    if (Window != nullptr)
        Window->VisaProcent(Percent);
}

void COvning::RightAnswer()
{
    if (!Finished) {
        ++AnswerCount;
        ComputePercent();
    }
    PlaySound("Plopp4.WAV", 1);
}

void COvning::WrongAnswer(AnswerPoint answer)
{
    if (Finished || IsAnswered(answer))
        return;
    ++WrongCount;
    ++AnswerCount;
    ++Tries;
    ComputePercent();
    PlaySound("Rassel11.WAV", 2);
}

void COvning::Start(IOvningsformular *window)
{
    ++runId_;
    Finished = false;
    if (Context != nullptr && Context->Random != nullptr)
        Context->Random->Reseed();
    Window = window;
    AnswerCount = 0;
    WrongCount = 0;
    AskedCount = 0;
    Tries = 0;
    if (Map != nullptr) {
        SetUpMapForRun(*Map, *this);
        // The labels of answered places speak the current language.
        Map->Language = Language();
        if (Context != nullptr && Context->State != nullptr)
            Map->AlertColour = Context->State->colours.AlertColour;
        if (Context != nullptr && Context->Events != nullptr && Map->Events == nullptr)
            Map->Events = Context->Events;
    }
    BlinkState = 0;
}

bool COvning::LetEventsRun()
{
    return PumpEvents(false);
}

bool COvning::WaitForEvents()
{
    return PumpEvents(true);
}

bool COvning::PumpEvents(bool wait)
{
    const std::uint32_t run = runId_;
    IOvningsformular *const window = Window;
    CKarta *const map = Map;
    if (Context != nullptr && Context->Events != nullptr) {
        if (wait)
            Context->Events->WaitForEvents();
        else
            Context->Events->ProcessEvents();
    }
    // A window that goes away clears Window and Map; a restart changes the run.
    return run == runId_ && window == Window && map == Map && Window != nullptr;
}

void COvning::PlaySound(const std::string &name, int channel) const
{
    if (Context != nullptr && Context->Sound != nullptr)
        Context->Sound->PlayWave(name, channel);
}

int COvning::Language() const
{
    if (Context == nullptr || Context->State == nullptr)
        return DefaultLanguage;
    return Context->State->settings.Language;
}

std::string COvning::Text(int t) const
{
    if (Context == nullptr || Context->State == nullptr)
        return {};
    return Context->State->Text(t);
}

Colour COvning::AccentColour() const
{
    if (Context == nullptr || Context->State == nullptr)
        return RGB(0, 255, 0);
    return Context->State->colours.AccentColour;
}

int COvning::Draw(int n) const
{
    if (Context == nullptr || Context->Random == nullptr)
        throw Exception("No random draws available to the exercise.");
    return Context->Random->Draw(n);
}

IKartformular *COvning::MapWindow() const
{
    return dynamic_cast<IKartformular *>(Window);
}

void COvning::StartOnMap()
{
    IKartformular *mapWindow = MapWindow();
    FitMapToImage(*Map, mapWindow != nullptr ? mapWindow->MapImage() : nullptr);
    if (!DrawMap())
        return;
    const std::string text = NextQuestion();
    if (Window != nullptr)
        Window->VisaFraga(text);
}

bool COvning::DrawMap()
{
    return DrawMapForRun(*Map, *this, [this] { return LetEventsRun(); });
}

} // namespace landora
