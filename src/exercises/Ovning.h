#pragma once
// An exercise of the catalogue. Each catalogue entry is already the exercise
// object of its kind, filled by the catalogue loader and reused for every run.
#include <cstdint>
#include <string>

#include "data/Colour.h"
#include "data/Errors.h"
#include "data/FixedArray.h"
#include "data/Languages.h"

namespace landora {

inline constexpr int MaxKeys = 190;

inline constexpr int MaxExerciseNumber = 190;

class CKarta;
class IOvningsformular;
class IKartformular;
struct ExerciseContext;

// What a window hands to an exercise: a map click in degrees, or a numbered
// choice (flag cell 1..16, answer 1..4).
struct AnswerPoint {
    float Latitude = 0.0f;
    float Longitude = 0.0f;
    std::int32_t Index = 0;
};

class COvning {
public:
    COvning() = default;
    virtual ~COvning() = default;
    COvning(const COvning &) = delete;
    COvning &operator=(const COvning &) = delete;

    // ---- catalogue fields, filled by the loader, never changed by a run ----
    std::string Kind;                           // "AREA", "ORT", "FLAGG", "MULTI"
    FixedArray<std::string, LanguageCount> Titles;
    std::int32_t Number = 0;                    // 1..190, the slot in the score file
    std::int32_t Level = 0;
    std::int32_t LineWidth = 0;
    bool NeedCategory1 = false;
    bool NeedCategory2 = false;
    std::int32_t MapNumber = 0;
    std::int32_t PlaceFileNumber = 0;
    std::string Continent;
    Colour BackgroundColour = 0;
    Colour AreaColour = 0;
    Colour SeaColour = 0;
    double NorthLatitude = 0.0;
    double SouthLatitude = 0.0;
    double CentreLongitude = 0.0;
    std::int32_t KeyCount = 0;
    FixedArray<std::string, MaxKeys> Keys;

    // The next entry of the catalogue in file order; the catalogue owns both.
    COvning *Next = nullptr;

    // The title in a language 1..9 (ERangeError outside).
    const std::string &Title(int language) const { return Titles[language]; }

    // ---- run-time fields: one run at a time, reset by Start ----
    IOvningsformular *Window = nullptr; // the window of the current run; not owned
    CKarta *Map = nullptr;              // the map of the current run; the window owns it
    // Sound, draws, event pump, texts and colours; set by whoever starts a run.
    const ExerciseContext *Context = nullptr;
    FixedArray<bool, MaxKeys> Asked;    // per key: answered in this run
    std::int32_t AnswerCount = 0;       // denominator of the percentage
    std::int32_t WrongCount = 0;
    std::int32_t Tries = 0;             // wrong answers on the current question
    std::int32_t AskedCount = 0;        // questions drawn so far
    std::int32_t Percent = 0;           // after the last counted answer; Start keeps it
    std::int32_t BlinkState = 0;        // 0 nothing, 1 highlight at next tick, 2 highlighted
    bool Finished = false;              // set by the map window once the top ten was shown

    // ---- the question engine, overridden by each kind ----
    // The next question's text, or an empty text when the run has none left.
    virtual std::string NextQuestion() = 0;
    virtual bool IsRight(AnswerPoint answer) = 0;
    // True when the clicked item was already answered in this run.
    virtual bool IsAnswered(AnswerPoint answer);
    virtual void RightAnswer();
    virtual void WrongAnswer(AnswerPoint answer);
    virtual void Start(IOvningsformular *window);
    virtual void BlinkTick() = 0;

    // Changes with every Start: a handler that let pending events run checks it
    // to learn whether a restart began a new run meanwhile.
    std::uint32_t RunId() const { return runId_; }

protected:
    // The window as a map window, or nullptr for a window without a map.
    IKartformular *MapWindow() const;
    // The map side of a place or area run start, after the base Start: the
    // image, the scale, the fit when the catalogue gives no view, the drawing
    // and the first question.
    void StartOnMap();
    // Draws the whole map for the run; false when the run was left meanwhile.
    virtual bool DrawMap();

    // Lets pending window events run; false when a new run started meanwhile
    // or the window let go of the run, so the caller must stop touching the
    // old run's items.
    bool LetEventsRun();
    // The same, first waiting for an event when none is pending.
    bool WaitForEvents();
    void PlaySound(const std::string &name, int channel) const;
    int Language() const;
    // Interface text t of the current language.
    std::string Text(int t) const;
    Colour AccentColour() const;
    int Draw(int n) const;

private:
    void ComputePercent();
    bool PumpEvents(bool wait);
    std::uint32_t runId_ = 0;
};

// Percentage of right answers, rounded to the nearest integer, halves to even.
std::int32_t RoundedPercent(std::int32_t answers, std::int32_t wrong);

} // namespace landora
