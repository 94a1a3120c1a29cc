// The multiple-choice exercises played through their window: from
// StartExercise (loading the place and area files, the first question drawn
// and painted) to the window on screen, and from a right choice to the next
// question painted. The second of green that a right answer stands is not
// counted: the pause timer runs at once here.
#include "data/ProgramState.h"
#include "exercises/Catalogue.h"
#include "exercises/OvningMulti.h"
#include "map/Karta.h"
#include "map/Ort.h"
#include "platform/EventPump.h"
#include "platform/Random.h"
#include "windows/OvningMulti.h"

#include <QApplication>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

using namespace landora;

const std::string Data = LANDORA_DATASET_DIR;

class Silence : public ISound {
public:
    void PlayWave(const std::string &, int) override { }
    void PlayMidi(const std::string &, int) override { }
};

struct Program {
    COvningar catalogue;
    ProgramState state;
    CSeededRandom random { 7 };
    CQtEventPump pump;
    Silence sound;
    ExerciseContext context;

    Program()
    {
        catalogue.LoadCatalogue(Data + "/Ovning.crp");
        state.texts.LoadTexts(Data + "/lang.crp");
        context = { &sound, &random, &pump, &state };
    }
    // The multiple-choice exercise with the most keys: the largest lists to
    // draw answers from.
    COvning *Largest()
    {
        COvning *best = nullptr;
        for (COvning *e = catalogue.First(); e != nullptr; e = e->Next)
            if (e->Kind == "MULTI" && (best == nullptr || e->KeyCount > best->KeyCount))
                best = e;
        return best;
    }
};

Program &TheProgram()
{
    static Program program;
    return program;
}

void StartToFirstQuestion(benchmark::State &state)
{
    Program &program = TheProgram();
    COvning *exercise = program.Largest();
    for (auto _ : state) {
        auto window = std::make_unique<TfrmOvningMulti>(program.state, program.context, program.sound, nullptr, Data);
        window->StartExercise(exercise);
        QApplication::processEvents(); // the window and its first question on screen
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(exercise->KeyCount) + " keys");
}

void ChoiceToNextQuestion(benchmark::State &state)
{
    Program &program = TheProgram();
    COvning *exercise = program.Largest();
    std::unique_ptr<TfrmOvningMulti> window;
    auto fresh = [&] {
        window.reset();
        window = std::make_unique<TfrmOvningMulti>(program.state, program.context, program.sound, nullptr, Data);
        window->tmrTimer->setInterval(0);
        window->StartExercise(exercise);
        QApplication::processEvents();
    };
    fresh();
    for (auto _ : state) {
        // The last question would open the top ten and wait for the player:
        // a new window starts before it.
        if (window->Map()->Places->RemainingCount <= 1) {
            state.PauseTiming();
            fresh();
            state.ResumeTiming();
        }
        auto *multi = static_cast<COvningMulti *>(window->Exercise());
        window->imgSvarClick(multi->RightPosition);
        QApplication::processEvents(); // the new answers on screen
    }
}

BENCHMARK(StartToFirstQuestion)->Unit(benchmark::kMillisecond);
BENCHMARK(ChoiceToNextQuestion)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
