// The flag exercises played through the flag window: from StartExercise
// (loading the areas, the shuffle, reading the sixteen flag pictures) to the
// first board drawn with its flags and names on screen, and from a right
// click on a flag to the next question shown with the board repainted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>

#include <memory>
#include <string>

#include "data/ProgramState.h"
#include "exercises/Catalogue.h"
#include "exercises/OvningFlagga.h"
#include "platform/EventPump.h"
#include "platform/Random.h"
#include "windows/OvningFlagga.h"

namespace {

using namespace landora;

const std::string Data = LANDORA_DATASET_DIR;

class Silence : public ISound {
public:
    void PlayWave(const std::string &, int) override {}
    void PlayMidi(const std::string &, int) override {}
};

struct Program {
    COvningar catalogue;
    ProgramState state;
    CSeededRandom random{7};
    CQtEventPump pump;
    Silence sound;
    ExerciseContext context;

    Program()
    {
        catalogue.LoadCatalogue(Data + "/Ovning.crp");
        state.texts.LoadTexts(Data + "/lang.crp");
        state.Template.load(QString::fromStdString(Data + "/bmptest.bmp"), "BMP");
        context = {&sound, &random, &pump, &state};
    }
    // The flag exercise with the most keys: a full board of sixteen.
    COvning *Largest()
    {
        COvning *best = nullptr;
        for (COvning *e = catalogue.First(); e != nullptr; e = e->Next)
            if (e->Kind == "FLAGG" && (best == nullptr || e->KeyCount > best->KeyCount))
                best = e;
        return best;
    }
};

Program &TheProgram()
{
    static Program program;
    return program;
}

void StartToFirstBoard(benchmark::State &state)
{
    Program &program = TheProgram();
    COvning *exercise = program.Largest();
    for (auto _ : state) {
        auto window = std::make_unique<TfrmOvningFlagga>(program.state, program.context, program.sound, nullptr, Data);
        window->StartExercise(exercise);
        QApplication::processEvents(); // the board with its flags on screen
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(exercise->KeyCount) + " keys");
}

void RightClickToNextQuestion(benchmark::State &state)
{
    Program &program = TheProgram();
    COvning *exercise = program.Largest();
    auto window = std::make_unique<TfrmOvningFlagga>(program.state, program.context, program.sound, nullptr, Data);
    window->StartExercise(exercise);
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        // The last question would open the top ten and wait for the player:
        // the run restarts before it.
        COvningFlagga &e = *window->FlagExercise();
        if (e.AskedCount >= e.FlagCount)
            window->cmdStartaClick();
        const QPoint centre = window->CellInside(e.CurrentIndex).center();
        state.ResumeTiming();
        window->imgFlagsMouseDown(centre.x(), centre.y());
        QApplication::processEvents(); // the grey flag and the next question on screen
    }
}

BENCHMARK(StartToFirstBoard)->Unit(benchmark::kMillisecond);
BENCHMARK(RightClickToNextQuestion)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
