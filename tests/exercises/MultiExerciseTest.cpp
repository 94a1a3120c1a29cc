#include "exercises/ExerciseFixture.h"
#include "exercises/OvningMulti.h"
#include "map/Ort.h"
#include "platform/Random.h"

#include <array>
#include <gtest/gtest.h>
#include <set>

using namespace landora;
using namespace landora::test;

namespace {

constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Green = RGB(0, 128, 0);

// The multiple-choice window as the exercise sees it: four boxes that
// remember how they were last painted.
class FakeMultiWindow : public IOvningsformular, public IMultiformular {
public:
    struct Box : IAnswerImage {
        Colour colour = 0;
        std::string text;
        int paints = 0;
    };
    std::array<Box, 4> boxes;
    std::vector<std::string> questions;
    std::vector<int> percents;
    bool playing = true;

    void VisaFraga(const std::string &text) override { questions.push_back(text); }
    void VisaProcent(int percent) override { percents.push_back(percent); }
    IAnswerImage *AnswerImage(int index) override
    {
        return index >= 1 && index <= 4 ? &boxes[static_cast<std::size_t>(index - 1)] : nullptr;
    }
    void PaintAnswer(IAnswerImage *image, Colour colour, const std::string &text) override
    {
        auto *box = dynamic_cast<Box *>(image);
        ASSERT_NE(box, nullptr);
        box->colour = colour;
        box->text = text;
        ++box->paints;
    }
    bool StillPlaying() const override { return playing; }
    const Box &At(int i) const { return boxes[static_cast<std::size_t>(i - 1)]; }
};

AnswerPoint Choice(int index)
{
    return { 0.0f, 0.0f, index };
}

// A world with four countries, a place in two of them, and a run whose
// pump delivers the pause timer's tick at the second wait.
struct MultiRun {
    ExerciseWorld world;
    COvningMulti exercise;
    FakeMultiWindow window;

    explicit MultiRun(const std::vector<std::string> &keys, std::vector<PlaceSpec> places = Places())
        : world(StandardAreas(), places)
    {
        world.state.texts.SetText(2, 10, "lies in which country?");
        world.state.texts.SetText(2, 13, "Which of these lies in");
        world.state.texts.SetText(2, 14, "?");
        SetUpExercise(exercise, keys);
        exercise.Kind = "MULTI";
        world.pump.onPump = [this] {
            if (world.pump.calls % 2 == 0)
                exercise.BlinkTick();
        };
    }
    static std::vector<PlaceSpec> Places()
    {
        return {
            { "AA", "Aton", 5, -6 },
            { "AA", "Aville", 5, -4 },
            { "BB", "Bton", 5, 5 },
            { "CC", "Cton", -5, 5 },
            { "DD", "Dton", -5, -5 },
            { "AA", "Twin", 5, -2, 1, "BB" },
        };
    }
    void Start(IRandom &random)
    {
        world.context.Random = &random;
        exercise.Context = &world.context;
        exercise.Map = world.map.get();
        exercise.Start(&window);
    }
    const std::string &Right() const { return exercise.Answers[exercise.RightPosition]; }
};

// The four boxes show the four answers, painted white, all different.
void ExpectFreshBoxes(const MultiRun &run)
{
    std::set<std::string> texts;
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(run.window.At(i).colour, White);
        EXPECT_EQ(run.window.At(i).text, run.exercise.Answers[i]);
        texts.insert(run.exercise.Answers[i]);
    }
    EXPECT_EQ(texts.size(), 4u) << "the four answers are not all different";
}

} // namespace

TEST(MultiExercise, BothFormsAskTheCountryOfTheLastMatchingKey)
{
    std::set<std::pair<std::string, int>> seen; // place and form
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        MultiRun run({ "AA", "BB", "CC", "DD" });
        CSeededRandom random(seed);
        run.Start(random);
        int questions = 0;
        while (run.exercise.CurrentPlace != nullptr) {
            ++questions;
            const COrt &place = *run.exercise.CurrentPlace;
            // Twin lies in AA and BB: it belongs to the later key.
            const std::string country = place.Names[2] == "Twin" ? "Bland" : place.Names[2].substr(0, 1) + "land";
            seen.insert({ place.Names[2], run.exercise.QuestionMode });
            ExpectFreshBoxes(run);
            if (run.exercise.QuestionMode == 1) {
                EXPECT_EQ(run.window.questions.back(), place.Names[2] + " lies in which country?");
                EXPECT_EQ(run.Right(), country);
                // No second right answer: Twin is never offered Aland.
                for (int i = 1; i <= 4; ++i) {
                    if (place.Names[2] == "Twin") {
                        EXPECT_NE(run.exercise.Answers[i], "Aland");
                    }
                }
            } else {
                EXPECT_EQ(run.window.questions.back(), "Which of these lies in " + country + " ?");
                EXPECT_EQ(run.Right(), place.Names[2]);
                // The wrong places lie in other countries (Twin lies in Aland and Bland).
                for (int i = 1; i <= 4; ++i) {
                    if (i == run.exercise.RightPosition)
                        continue;
                    const std::string &other = run.exercise.Answers[i];
                    EXPECT_NE(other.substr(0, 1) + "land", country) << other;
                    if (other == "Twin") {
                        EXPECT_TRUE(country != "Aland" && country != "Bland");
                    }
                }
            }
            const AnswerPoint right = Choice(run.exercise.RightPosition);
            ASSERT_TRUE(run.exercise.IsRight(right));
            run.exercise.RightAnswer();
            run.window.questions.push_back(run.exercise.NextQuestion());
        }
        EXPECT_EQ(questions, 6);
        EXPECT_EQ(run.window.questions.back(), "");
        EXPECT_EQ(run.window.percents.back(), 100);
    }
    EXPECT_TRUE(seen.count({ "Twin", 1 }) && seen.count({ "Twin", 2 }))
        << "the place in two countries was not asked both ways";
}

TEST(MultiExercise, WrongChoicesCountAndPaintAndTheGreenAnswerWaitsForOneTick)
{
    MultiRun run({ "AA", "BB", "CC", "DD" });
    run.world.random.values = { 0.0, 0.0, 0.5, 0.0, 0.0, 0.0 };
    run.Start(run.world.random);
    // Form 1 about the first place, the right answer third.
    ASSERT_EQ(run.exercise.QuestionMode, 1);
    ASSERT_EQ(run.exercise.CurrentPlace->Names[2], "Aton");
    ASSERT_EQ(run.exercise.RightPosition, 3);
    EXPECT_EQ(run.Right(), "Aland");

    run.exercise.WrongAnswer(Choice(1));
    run.exercise.WrongAnswer(Choice(1));
    EXPECT_EQ(run.exercise.WrongCount, 2) << "the same wrong choice counts again";
    EXPECT_EQ(run.exercise.Tries, 2);
    EXPECT_EQ(run.window.At(1).colour, run.world.state.colours.AlertColour);
    EXPECT_EQ(run.window.At(1).text, run.exercise.Answers[1]);
    EXPECT_EQ(run.window.percents, (std::vector<int> { 0, 0 }));
    EXPECT_EQ(run.world.sound.waves, (std::vector<std::string> { "Rassel11.WAV@2", "Rassel11.WAV@2" }));

    // The place is marked only once the tick came, at the pump's second call.
    COrt *place = run.exercise.CurrentPlace;
    int remainingSeenAtTick = -1;
    run.world.pump.onPump = [&] {
        EXPECT_EQ(run.window.At(3).colour, Green) << "green while the pause lasts";
        EXPECT_FALSE(place->Answered);
        if (run.world.pump.calls == 2) {
            remainingSeenAtTick = run.world.map->Places->RemainingCount;
            run.exercise.BlinkTick();
        }
    };
    const int remaining = run.world.map->Places->RemainingCount;
    run.exercise.RightAnswer();
    EXPECT_EQ(run.world.pump.calls, 2);
    EXPECT_EQ(remainingSeenAtTick, remaining);
    EXPECT_TRUE(place->Answered);
    EXPECT_EQ(place->AnsweredOnTry, 3);
    EXPECT_EQ(run.world.map->Places->RemainingCount, remaining - 1);
    EXPECT_EQ(run.window.percents.back(), 33);
    EXPECT_EQ(run.world.sound.waves.back(), "Plopp4.WAV@1");
}

TEST(MultiExercise, ThreeCountriesEndTheRunWithAnEmptyBox)
{
    // Three countries: form 1 has only two wrong answers, form 2 only the
    // places of the two other countries.
    MultiRun run({ "AA", "BB", "DD" }, { { "AA", "Aton", 5, -6 }, { "BB", "Bton", 5, 5 }, { "DD", "Dton", -5, -5 } });
    CSeededRandom random(3);
    run.Start(random);
    int questions = 0;
    while (run.exercise.CurrentPlace != nullptr && questions < 10) {
        ++questions;
        int empty = 0;
        for (int i = 1; i <= 4; ++i) {
            if (!run.exercise.Answers[i].empty())
                continue;
            ++empty;
            EXPECT_FALSE(run.exercise.CanChoose(i));
            run.exercise.WrongAnswer(Choice(i));
        }
        EXPECT_EQ(empty, 1);
        EXPECT_EQ(run.exercise.WrongCount, 0) << "an empty box was counted";
        run.exercise.RightAnswer();
        run.exercise.NextQuestion();
    }
    EXPECT_EQ(questions, 3);
}

TEST(MultiExercise, KeysWithoutAreaAndRunsWithoutPlaces)
{
    // "ZZ" names no area: its place is not asked and it is never an answer.
    MultiRun run({ "AA", "ZZ", "BB", "CC", "DD" },
        { { "AA", "Aton", 5, -6 }, { "ZZ", "Zton", 0, 0 }, { "BB", "Bton", 5, 5 }, { "CC", "Cton", -5, 5 },
            { "DD", "Dton", -5, -5 } });
    CSeededRandom random(5);
    run.Start(random);
    EXPECT_EQ(run.world.map->Places->SelectedCount, 4);
    int questions = 0;
    while (run.exercise.CurrentPlace != nullptr) {
        ++questions;
        ExpectFreshBoxes(run);
        EXPECT_NE(run.exercise.CurrentPlace->Names[2], "Zton");
        run.exercise.RightAnswer();
        run.exercise.NextQuestion();
    }
    EXPECT_EQ(questions, 4);

    // A run that selects nothing asks nothing, and a choice left from the
    // earlier run is not judged.
    SetUpExercise(run.exercise, { "QQ" });
    run.exercise.Start(&run.window);
    EXPECT_EQ(run.window.questions.back(), "");
    EXPECT_EQ(run.exercise.CurrentPlace, nullptr);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(run.exercise.IsRight(Choice(i)));
        EXPECT_FALSE(run.exercise.CanChoose(i));
    }
}

TEST(MultiExercise, PauseEndsWhenTheWindowGoesOrTheRunIsRestarted)
{
    MultiRun run({ "AA", "BB", "CC", "DD" });
    CSeededRandom random(7);
    run.Start(random);
    COrt *place = run.exercise.CurrentPlace;
    // The window closes in the pause: its timer stops, the wait ends.
    run.world.pump.onPump = [&] { run.window.playing = false; };
    run.exercise.RightAnswer();
    EXPECT_FALSE(place->Answered);
    EXPECT_EQ(run.exercise.AnswerCount, 1);

    // A new run starts in the pause: the old answer stops there.
    run.window.playing = true;
    run.world.pump.onPump = [&] {
        if (run.world.pump.calls < 100)
            run.exercise.Start(&run.window);
    };
    run.exercise.RightAnswer();
    EXPECT_EQ(run.exercise.AnswerCount, 0) << "counted in the new run";
    EXPECT_EQ(run.world.map->Places->RemainingCount, run.world.map->Places->SelectedCount);
}
