// The world map exercises played through the map window on the display it
// runs on (meant for 1920x1080): from StartExercise (loading the map files,
// laying out, drawing) to the first question shown, and from a right click on
// the map to the next question shown with the map repainted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>

#include <memory>
#include <string>

#include "platform/EventPump.h"
#include "data/ProgramState.h"
#include "platform/Random.h"
#include "exercises/Catalogue.h"
#include "exercises/OvningLandArea.h"
#include "exercises/OvningOrt.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "windows/MapImage.h"
#include "windows/OvningKarta.h"

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
        context = {&sound, &random, &pump, &state};
    }
    COvning *World(const std::string &kind)
    {
        COvning *best = nullptr;
        for (COvning *e = catalogue.First(); e != nullptr; e = e->Next)
            if (e->Kind == kind && e->MapNumber == 1 && (best == nullptr || e->KeyCount > best->KeyCount))
                best = e;
        return best;
    }
};

Program &TheProgram()
{
    static Program program;
    return program;
}

// A canvas pixel the current question accepts; (-1, -1) when none is found.
QPoint RightPixel(TfrmOvningKarta &window)
{
    COvning *e = window.Exercise();
    const CKarta &map = *window.Map();
    auto pixelOf = [&](double lat, double lon) {
        return QPoint(map.PositionToX(float(lat), float(lon)), map.LatitudeToY(float(lat)));
    };
    auto accepts = [&](QPoint p) {
        return e->IsRight(AnswerPoint{map.YToLatitude(p.y()), map.PointToLongitude(p.y(), p.x()), 0});
    };
    auto search = [&](QPoint seed) {
        for (int r = 0; r <= 6; ++r)
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx)
                    if (accepts(seed + QPoint(dx, dy)))
                        return seed + QPoint(dx, dy);
        return QPoint(-1, -1);
    };
    if (auto *place = dynamic_cast<COvningOrt *>(e))
        return place->CurrentPlace ? search(pixelOf(place->CurrentPlace->Latitude, place->CurrentPlace->Longitude))
                                   : QPoint(-1, -1);
    auto *area = dynamic_cast<COvningLandArea *>(e);
    for (int i = 1; i <= map.Areas->Count; ++i) {
        const CArea &a = *map.Areas->Items[i];
        if (a.Active && a.Matches(area->CurrentKey)) {
            const QPoint p = search(pixelOf(a.FillPoint1.Latitude, a.FillPoint1.Longitude));
            if (p.x() >= 0)
                return p;
        }
    }
    return {-1, -1};
}

void StartToFirstQuestion(benchmark::State &state, const char *kind)
{
    Program &program = TheProgram();
    COvning *exercise = program.World(kind);
    QSize size;
    for (auto _ : state) {
        auto window = std::make_unique<TfrmOvningKarta>(program.state, program.context, program.sound, nullptr, Data);
        window->StartExercise(exercise);
        QApplication::processEvents(); // the first question and the map on screen
        size = window->size();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(size.width()) + "x" + std::to_string(size.height()));
}

void RightClickToNextQuestion(benchmark::State &state, const char *kind)
{
    Program &program = TheProgram();
    COvning *exercise = program.World(kind);
    auto window = std::make_unique<TfrmOvningKarta>(program.state, program.context, program.sound, nullptr, Data);
    window->StartExercise(exercise);
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        // The last question would open the top ten and wait for the player:
        // the run restarts before it.
        auto last = [&] {
            COvning *e = window->Exercise();
            if (dynamic_cast<COvningOrt *>(e) != nullptr)
                return window->Map()->Places->RemainingCount <= 1;
            return e->AskedCount >= e->KeyCount;
        };
        QPoint right = RightPixel(*window);
        while (right.x() < 0 || last()) {
            window->cmdStartaClick();
            right = RightPixel(*window);
        }
        state.ResumeTiming();
        window->imgKartaMouseDown(right.x(), right.y());
        QApplication::processEvents(); // the recoloured map on screen
    }
}

BENCHMARK_CAPTURE(StartToFirstQuestion, Area, "AREA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartToFirstQuestion, Place, "ORT")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RightClickToNextQuestion, Area, "AREA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RightClickToNextQuestion, Place, "ORT")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
