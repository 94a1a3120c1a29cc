#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "exercises/ExerciseFixture.h"
#include "exercises/OvningFlagga.h"

using namespace landora;
using namespace landora::test;

namespace {

// Twenty small countries "K01".."K20" named "Land01".."Land20".
std::vector<AreaSpec> Countries(int n)
{
    std::vector<AreaSpec> areas;
    for (int i = 1; i <= n; ++i) {
        const std::string nr = (i < 10 ? "0" : "") + std::to_string(i);
        const double west = -9 + (i % 5) * 3.5;
        const double north = 8 - (i / 5) * 3.5;
        areas.push_back({"K" + nr, "", "Land" + nr, north, north - 3, west, west + 3});
    }
    return areas;
}

std::vector<std::string> Keys(int n)
{
    std::vector<std::string> keys;
    for (const AreaSpec &a : Countries(n))
        keys.push_back(a.key);
    return keys;
}

struct FlagRun : ::testing::Test {
    ExerciseWorld world{Countries(20), {}};
    COvningFlagga exercise;

    // Seeded draws: the same reals in every run of the test.
    void StartWith(const std::vector<std::string> &keys, unsigned seed)
    {
        SetUpExercise(exercise, keys);
        Seed(seed);
        world.Start(exercise);
    }
    void Seed(unsigned seed)
    {
        std::mt19937 engine(seed);
        world.random.values.clear();
        for (int i = 0; i < 5000; ++i)
            world.random.values.push_back(engine() / 4294967296.0);
    }
    std::set<std::string> Board() const
    {
        std::set<std::string> board;
        for (int k = 1; k <= exercise.FlagCount; ++k)
            board.insert(exercise.Keys[k]);
        return board;
    }
    // Answers every question right at once; returns the cells asked, in order.
    std::vector<int> AnswerAll()
    {
        std::vector<int> cells;
        for (int guard = 0; guard < 100; ++guard) {
            const int cell = exercise.CurrentIndex;
            EXPECT_EQ(world.window->questions.back(), "Find " + exercise.FlagName(cell));
            cells.push_back(cell);
            EXPECT_TRUE(exercise.IsRight(AnswerPoint{0, 0, cell}));
            exercise.RightAnswer();
            const std::string next = exercise.NextQuestion();
            world.window->VisaFraga(next);
            if (next.empty())
                break;
        }
        return cells;
    }
};

} // namespace

TEST_F(FlagRun, TwentyKeysGiveSixteenFlagsEachAskedOnceAndARestartMayBringOthers)
{
    StartWith(Keys(20), 1);
    EXPECT_EQ(exercise.FlagCount, 16);
    // The shuffle only reorders the exercise's own keys.
    std::vector<std::string> keys;
    for (int i = 1; i <= 20; ++i)
        keys.push_back(exercise.Keys[i]);
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, Keys(20));
    const std::set<std::string> first = Board();

    std::vector<int> cells = AnswerAll();
    ASSERT_EQ(cells.size(), 16u);
    std::sort(cells.begin(), cells.end());
    for (int k = 1; k <= 16; ++k)
        EXPECT_EQ(cells[static_cast<std::size_t>(k - 1)], k) << "cell " << k << " asked once";
    EXPECT_EQ(world.window->questions.back(), "");
    EXPECT_EQ(exercise.AnswerCount, 16);
    EXPECT_EQ(world.window->percents.back(), 100);
    EXPECT_EQ(exercise.FlagName(17), "") << "beyond the board";

    Seed(2);
    world.Start(exercise);
    EXPECT_NE(Board(), first) << "the restart shuffles other flags onto the board";
    EXPECT_EQ(exercise.AnswerCount, 0);
    EXPECT_EQ(AnswerAll().size(), 16u);
}

TEST_F(FlagRun, FiveKeysAndTheRightFlagAtTheFourthTry)
{
    StartWith(Keys(5), 3);
    EXPECT_EQ(exercise.FlagCount, 5);
    EXPECT_EQ(exercise.FlagName(6), "");
    const int right = exercise.CurrentIndex;
    const int wrong = right % 5 + 1;
    for (int i = 0; i < 3; ++i) {
        ASSERT_FALSE(exercise.IsRight(AnswerPoint{0, 0, wrong}));
        exercise.WrongAnswer(AnswerPoint{0, 0, wrong});
    }
    EXPECT_EQ(exercise.Tries, 3);
    EXPECT_FALSE(exercise.Asked[wrong]);
    // One right and three wrong answers: 25 %.
    ASSERT_EQ(AnswerAll().size(), 5u);
    EXPECT_EQ(exercise.AnswerCount, 3 + 5);
    EXPECT_EQ(exercise.WrongCount, 3);
    EXPECT_EQ(world.window->percents, (std::vector<int>{0, 0, 0, 25, 40, 50, 57, 62}));
    EXPECT_EQ(world.sound.waves.front(), "Rassel11.WAV@2");
    EXPECT_EQ(world.sound.waves.back(), "Plopp4.WAV@1");
}

TEST_F(FlagRun, AKeyWithoutAnAreaIsAskedNamelessAndBadCountsEndAtOnce)
{
    StartWith({"K01", "NOPE", "K02"}, 4);
    int nameless = 0;
    for (int k = 1; k <= 3; ++k)
        nameless += exercise.FlagName(k).empty() ? 1 : 0;
    EXPECT_EQ(nameless, 1);
    const std::vector<int> cells = AnswerAll();
    EXPECT_EQ(cells.size(), 3u) << "the nameless flag is asked like the others";
    EXPECT_NE(std::find(world.window->questions.begin(), world.window->questions.end(), "Find "),
              world.window->questions.end());

    // The catalogue allows a negative key count: an empty board, a run that ends.
    for (int count : {-3, 0}) {
        exercise.KeyCount = count;
        world.window->questions.clear();
        world.Start(exercise);
        EXPECT_EQ(exercise.FlagCount, 0);
        EXPECT_EQ(world.window->questions, std::vector<std::string>{""});
        EXPECT_FALSE(exercise.IsRight(AnswerPoint{0, 0, 1}));
    }
}
