#include <gtest/gtest.h>

#include "exercises/ExerciseFixture.h"
#include "exercises/OvningOrt.h"
#include "map/Canvas.h"
#include "map/Ort.h"

using namespace landora;
using namespace landora::test;

namespace {

// Plays the answer the way the map window does: right answers are counted and
// followed by the next question, anything else goes to WrongAnswer.
std::string Click(COvning &e, AnswerPoint a)
{
    if (!e.Finished && e.IsRight(a)) {
        e.BlinkState = 0;
        e.RightAnswer();
        return e.NextQuestion();
    }
    e.WrongAnswer(a);
    return "(wrong)";
}

struct PlaceRun : ::testing::Test {
    ExerciseWorld world{StandardAreas(), StandardPlaces()};
    COvningOrt exercise;

    void StartWith(const std::vector<std::string> &keys, std::deque<double> draws)
    {
        SetUpExercise(exercise, keys);
        world.random.values = std::move(draws);
        world.Start(exercise);
    }
    static AnswerPoint Aton() { return ExerciseWorld::At(5, -6); }
    static AnswerPoint Aville() { return ExerciseWorld::At(5, -4); }
    static AnswerPoint Bton() { return ExerciseWorld::At(5, 5); }
};

} // namespace

TEST_F(PlaceRun, WorkedExampleRightWrongRightShows100Then50Then67)
{
    StartWith({"AA", "BB"}, {0.0, 0.0, 0.0});
    ASSERT_EQ(world.window->questions, std::vector<std::string>{"Find Aton"});
    EXPECT_EQ(world.map->Places->RemainingCount, 3);

    EXPECT_EQ(Click(exercise, Aton()), "Find Aville");
    EXPECT_EQ(Click(exercise, Bton()), "(wrong)");
    EXPECT_EQ(Click(exercise, Aville()), "Find Bton");
    EXPECT_EQ(world.window->percents, (std::vector<int>{100, 50, 67}));
    EXPECT_EQ(exercise.AnswerCount, 3);
    EXPECT_EQ(exercise.WrongCount, 1);

    // The place found at the second try remembers it; the first one the first.
    COrt *aton = world.map->Places->First;
    COrt *aville = aton->Next;
    EXPECT_TRUE(aton->Answered);
    EXPECT_EQ(aton->AnsweredOnTry, 1);
    EXPECT_EQ(aville->AnsweredOnTry, 2);
    EXPECT_EQ(world.sound.waves,
              (std::vector<std::string>{"Plopp4.WAV@1", "Rassel11.WAV@2", "Plopp4.WAV@1"}));

    EXPECT_EQ(Click(exercise, Bton()), "");
    EXPECT_EQ(world.map->Places->RemainingCount, 0);
}

TEST_F(PlaceRun, DrawStepsOverTheOpenPlacesInListOrder)
{
    // 0.99 of three open places is the third; then 0.5 of two is the second.
    StartWith({"AA", "BB"}, {0.99, 0.5});
    EXPECT_EQ(world.window->questions.back(), "Find Bton");
    EXPECT_EQ(Click(exercise, Bton()), "Find Aville");
    EXPECT_EQ(world.random.reseeds, 1);
}

TEST_F(PlaceRun, WrongClickNamesTheNearestPlaceTwelvePixelsBelowIt)
{
    StartWith({"AA", "BB"}, {0.0});
    // Nearer to Bton than to anything else, but not on it.
    exercise.WrongAnswer(ExerciseWorld::At(3, 7));
    ASSERT_FALSE(world.window->labels.empty());
    const LabelCall &label = world.window->labels.back();
    EXPECT_TRUE(label.shown);
    EXPECT_EQ(label.text, "Bton");
    EXPECT_EQ(label.x, world.map->PositionToX(5, 5));
    EXPECT_EQ(label.y, world.map->LatitudeToY(5) + 12);
}

TEST_F(PlaceRun, ClickOnAnAnsweredPlaceChangesNothing)
{
    StartWith({"AA", "BB"}, {0.0, 0.0});
    Click(exercise, Aton());
    const auto percents = world.window->percents;
    const auto waves = world.sound.waves;
    const auto labels = world.window->labels.size();

    Click(exercise, Aton());
    EXPECT_EQ(exercise.AnswerCount, 1);
    EXPECT_EQ(exercise.WrongCount, 0);
    EXPECT_EQ(exercise.Tries, 0);
    EXPECT_EQ(world.window->percents, percents);
    EXPECT_EQ(world.sound.waves, waves);
    EXPECT_EQ(world.window->labels.size(), labels);
}

TEST_F(PlaceRun, ThirdWrongTryHighlightsAndFourthBlinks)
{
    StartWith({"AA", "BB"}, {0.0});
    exercise.WrongAnswer(Bton());
    exercise.WrongAnswer(Bton());
    exercise.BlinkTick();
    EXPECT_EQ(exercise.BlinkState, 0) << "no highlight before the third wrong try";

    const int x = world.map->PositionToX(5, -6);
    const int y = world.map->LatitudeToY(5);
    EXPECT_EQ(world.canvas->GetPixel(x, y), RGB(0, 128, 0)) << "an open place is a green dot";

    exercise.WrongAnswer(Bton());
    EXPECT_EQ(exercise.BlinkState, 1);
    exercise.BlinkTick();
    EXPECT_EQ(exercise.BlinkState, 2);
    EXPECT_EQ(world.canvas->GetPixel(x, y), RGB(0, 255, 0));
    exercise.BlinkTick();
    EXPECT_EQ(exercise.BlinkState, 2) << "after exactly three tries the highlight stays";
    EXPECT_EQ(world.canvas->GetPixel(x, y), RGB(0, 255, 0));

    exercise.WrongAnswer(Bton());
    exercise.BlinkTick();
    EXPECT_EQ(exercise.BlinkState, 1);
    EXPECT_EQ(world.canvas->GetPixel(x, y), RGB(0, 0, 0));
    exercise.BlinkTick();
    EXPECT_EQ(exercise.BlinkState, 2);

    Click(exercise, Aton());
    EXPECT_EQ(world.map->Places->First->AnsweredOnTry, 5);
    EXPECT_EQ(exercise.BlinkState, 0);
}

TEST_F(PlaceRun, StartInTheMiddleOfARunResetsCountsButKeepsPercent)
{
    StartWith({"AA", "BB"}, {0.0, 0.0});
    Click(exercise, Bton());
    Click(exercise, Aton());
    ASSERT_EQ(exercise.Percent, 50);

    world.random.values = {0.0};
    world.Start(exercise);
    EXPECT_EQ(exercise.AnswerCount, 0);
    EXPECT_EQ(exercise.WrongCount, 0);
    EXPECT_EQ(exercise.Tries, 0);
    EXPECT_EQ(exercise.Percent, 50);
    EXPECT_FALSE(world.map->Places->First->Answered);
    EXPECT_EQ(world.map->Places->RemainingCount, 3);
    EXPECT_EQ(world.window->questions.back(), "Find Aton");
}

TEST_F(PlaceRun, FinishedRunCountsNothingButRightStillSounds)
{
    StartWith({"AA"}, {0.0, 0.0});
    exercise.Finished = true;
    exercise.WrongAnswer(Bton());
    exercise.WrongAnswer(Aville());
    EXPECT_EQ(exercise.AnswerCount, 0);
    EXPECT_TRUE(world.sound.waves.empty());
    exercise.RightAnswer();
    EXPECT_EQ(exercise.AnswerCount, 0);
    EXPECT_EQ(world.sound.waves, std::vector<std::string>{"Plopp4.WAV@1"});
}

TEST_F(PlaceRun, NothingSelectedEndsAtOnce)
{
    // Level 0 leaves every place (level 1) out.
    SetUpExercise(exercise, {"AA", "BB"});
    exercise.Level = 0;
    world.Start(exercise);
    EXPECT_EQ(world.window->questions, std::vector<std::string>{""});
}

// 100 x right / answers keeps exact halves exact, so they go to the even
// neighbour; dividing first made 23/40 show 57 and 109/200 show 55.
TEST(Percentage, ExactHalvesRoundToEven)
{
    EXPECT_EQ(RoundedPercent(8, 7), 12);
    EXPECT_EQ(RoundedPercent(8, 5), 38);
    EXPECT_EQ(RoundedPercent(8, 3), 62);
    EXPECT_EQ(RoundedPercent(3, 1), 67);
    EXPECT_EQ(RoundedPercent(40, 17), 58);
    EXPECT_EQ(RoundedPercent(200, 91), 54);
}

TEST(NearestPlace, EarlierPlaceWinsATieAndTenThousandPixelsIsTooFar)
{
    // 15 pixels a degree of longitude at the equator: +-1 degree is 15 pixels
    // on either side of the click; 666.6 degrees is 9999 pixels away.
    ExerciseWorld world({{"AA", "", "Aland", 8, 2, -9, -2}},
                        {{"AA", "East", 0, 1}, {"AA", "West", 0, -1}, {"ZZ", "Far", 0, 666.6}});
    COvningOrt exercise;
    SetUpExercise(exercise, {"AA"});
    world.Start(exercise);
    ASSERT_NE(exercise.NearestPlace(ExerciseWorld::At(0, 0)), nullptr);
    EXPECT_EQ(exercise.NearestPlace(ExerciseWorld::At(0, 0))->Names[2], "East");
    // Unselected places never count, however near.
    EXPECT_EQ(exercise.NearestPlace(ExerciseWorld::At(0, 666))->Names[2], "East");

    ExerciseWorld far({{"AA", "", "Aland", 8, 2, -9, -2}},
                      {{"AA", "Near", 0, 666.6}, {"AA", "TooFar", 0, 666.6667}});
    COvningOrt one;
    SetUpExercise(one, {"AA"});
    far.Start(one);
    ASSERT_NE(one.NearestPlace(ExerciseWorld::At(0, 0)), nullptr);
    EXPECT_EQ(one.NearestPlace(ExerciseWorld::At(0, 0))->Names[2], "Near");
    EXPECT_EQ(far.map->PixelDistance({0, 0}, *far.map->Places->First->Next), 10000);
    far.map->Places->First->Selected = false;
    EXPECT_EQ(one.NearestPlace(ExerciseWorld::At(0, 0)), nullptr);
}

TEST_F(PlaceRun, RestartWhileARightAnswerLetsEventsRunLeavesTheNewRunAlone)
{
    StartWith({"AA", "BB"}, {0.0});
    bool restarted = false;
    world.pump.onPump = [&] {
        if (restarted)
            return;
        restarted = true;
        world.random.values = {0.99};
        world.Start(exercise);
    };
    exercise.RightAnswer();
    world.pump.onPump = nullptr;
    ASSERT_TRUE(restarted);
    // The old answer must not be booked into the new run.
    EXPECT_EQ(world.map->Places->RemainingCount, 3);
    for (COrt *p = world.map->Places->First; p != nullptr; p = p->Next)
        EXPECT_FALSE(p->Answered) << p->Names[2];
    EXPECT_EQ(exercise.CurrentPlace->Names[2], "Bton");
}
