#include <gtest/gtest.h>

#include "exercises/ExerciseFixture.h"
#include "exercises/OvningLandArea.h"
#include "map/Area.h"
#include "map/Canvas.h"

using namespace landora;
using namespace landora::test;

namespace {

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

struct AreaRun : ::testing::Test {
    ExerciseWorld world{StandardAreas(), StandardPlaces()};
    COvningLandArea exercise;

    void StartWith(const std::vector<std::string> &keys, std::deque<double> draws)
    {
        SetUpExercise(exercise, keys);
        world.random.values = std::move(draws);
        world.Start(exercise);
    }
    static AnswerPoint InA() { return ExerciseWorld::At(5, -5); }
    static AnswerPoint InB() { return ExerciseWorld::At(5, 5); }
    static AnswerPoint InC() { return ExerciseWorld::At(-5, 5); }
    static AnswerPoint InD() { return ExerciseWorld::At(-5, -5); }
    static AnswerPoint Sea() { return ExerciseWorld::At(0, 0); }
};

} // namespace

TEST_F(AreaRun, RightWrongRightWrongShows100Then67Then75Then67)
{
    // Draws over 1..4: 0.0 gives key 1, 0.3 key 2, 0.6 key 3; an asked key
    // is drawn again.
    StartWith({"AA", "BB", "CC", "DD"}, {0.0, 0.0, 0.3, 0.6});
    ASSERT_EQ(world.window->questions, std::vector<std::string>{"Find Aland"});

    EXPECT_EQ(Click(exercise, InA()), "Find Bland");
    EXPECT_EQ(Click(exercise, InC()), "(wrong)");
    EXPECT_EQ(Click(exercise, InB()), "Find Cland");
    EXPECT_EQ(Click(exercise, InD()), "(wrong)");
    EXPECT_EQ(world.window->percents, (std::vector<int>{100, 67, 75, 67}));
    // Two right answers count twice each, two wrong ones once.
    EXPECT_EQ(exercise.AnswerCount, 6);
    EXPECT_EQ(exercise.WrongCount, 2);
    EXPECT_EQ(exercise.AskedCount, 3);
}

TEST_F(AreaRun, AllRightStaysAtHundredAndEnds)
{
    StartWith({"AA", "BB"}, {0.0, 0.0, 0.9});
    Click(exercise, InA());
    EXPECT_EQ(Click(exercise, InB()), "");
    EXPECT_EQ(world.window->percents, (std::vector<int>{100, 100}));
    EXPECT_EQ(world.map->Areas->Items[2]->AnsweredOnTry, 1);
}

TEST_F(AreaRun, SeaAndForeignAreasAreIgnoredAndAnsweredAreasOnlyNamed)
{
    StartWith({"AA", "BB", "CC"}, {0.0, 0.5});
    Click(exercise, Sea());
    Click(exercise, InD());
    EXPECT_EQ(exercise.AnswerCount, 0);
    EXPECT_TRUE(world.window->labels.empty() || !world.window->labels.back().shown);
    EXPECT_TRUE(world.sound.waves.empty());

    Click(exercise, InA());
    const std::size_t sounds = world.sound.waves.size();
    Click(exercise, InA());
    EXPECT_EQ(exercise.AnswerCount, 2);
    EXPECT_EQ(world.sound.waves.size(), sounds);
    ASSERT_FALSE(world.window->labels.empty());
    const LabelCall &label = world.window->labels.back();
    EXPECT_TRUE(label.shown);
    EXPECT_EQ(label.text, "Aland");
    EXPECT_EQ(label.x, world.map->PositionToX(5, -5));
    EXPECT_EQ(label.y, world.map->LatitudeToY(5));
}

TEST_F(AreaRun, GroupKeyAsksByTheFirstAreaAndAcceptsEveryMember)
{
    StartWith({"GG"}, {0.0});
    EXPECT_EQ(world.window->questions.back(), "Find Bland");
    EXPECT_TRUE(exercise.IsRight(InC()));
    EXPECT_TRUE(exercise.IsRight(InB()));
    EXPECT_FALSE(exercise.IsRight(InA()));
    Click(exercise, InC());
    EXPECT_TRUE(world.map->Areas->Items[2]->Answered);
    EXPECT_TRUE(world.map->Areas->Items[3]->Answered);
    EXPECT_EQ(world.map->Areas->Items[3]->AnsweredOnTry, 1);
}

TEST_F(AreaRun, KeyOfNoAreaIsNeverAsked)
{
    StartWith({"XX", "AA", "YY"}, {0.0, 0.0, 0.9, 0.5});
    EXPECT_EQ(world.window->questions.back(), "Find Aland");
    EXPECT_EQ(Click(exercise, InA()), "");

    ExerciseWorld empty{StandardAreas(), StandardPlaces()};
    COvningLandArea none;
    SetUpExercise(none, {"XX"});
    empty.Start(none);
    EXPECT_EQ(empty.window->questions, std::vector<std::string>{""});
}

TEST_F(AreaRun, NoKeysEndsAtOnce)
{
    StartWith({}, {});
    EXPECT_EQ(world.window->questions, std::vector<std::string>{""});
}

TEST_F(AreaRun, ThirdWrongTryHighlightsAndFourthBlinks)
{
    StartWith({"AA", "BB"}, {0.0, 0.9});
    const int x = world.map->PositionToX(5, -5);
    const int y = world.map->LatitudeToY(5);
    for (int i = 0; i < 3; ++i)
        Click(exercise, InB());
    EXPECT_EQ(exercise.BlinkState, 1);
    exercise.BlinkTick();
    EXPECT_EQ(exercise.BlinkState, 2);
    EXPECT_EQ(world.canvas->GetPixel(x, y), RGB(0, 255, 0));
    exercise.BlinkTick();
    EXPECT_EQ(exercise.BlinkState, 2);
    Click(exercise, InB());
    exercise.BlinkTick();
    EXPECT_EQ(exercise.BlinkState, 1);
    EXPECT_EQ(world.canvas->GetPixel(x, y), RGB(0, 128, 0));
    exercise.BlinkTick();
    EXPECT_EQ(exercise.BlinkState, 2);

    Click(exercise, InA());
    EXPECT_EQ(world.map->Areas->Items[1]->AnsweredOnTry, 5);
    EXPECT_TRUE(exercise.Asked[1]);
}

TEST_F(AreaRun, StartInTheMiddleClearsAskedKeysAndAnswers)
{
    StartWith({"AA", "BB"}, {0.0, 0.9});
    Click(exercise, InA());
    ASSERT_TRUE(exercise.Asked[1]);
    world.random.values = {0.5};
    world.Start(exercise);
    EXPECT_FALSE(exercise.Asked[1]);
    EXPECT_FALSE(world.map->Areas->Items[1]->Answered);
    EXPECT_EQ(exercise.AskedCount, 1);
    EXPECT_EQ(exercise.Percent, 100);
    EXPECT_EQ(world.window->questions.back(), "Find Bland");
}
