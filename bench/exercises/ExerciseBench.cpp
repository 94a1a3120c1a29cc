// Speed of a run on the world map at full screen (1920x1080: the map image is
// 1916x1044 inside the top bar and the frame), through the exercise itself:
// - Start to the first question shown (aim: under 150 ms);
// - a right answer to the next question drawn (aim: under 20 ms).
// The window's repaints are not part of it; the pump here runs no events.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <memory>
#include <string>

#include "data/ProgramState.h"
#include "platform/Random.h"
#include "exercises/Catalogue.h"
#include "exercises/OvningLandArea.h"
#include "exercises/OvningOrt.h"
#include "exercises/Ovningsformular.h"
#include "data/Services.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "exercises/MapSetup.h"

namespace {

using namespace landora;

constexpr int W = 1916;
constexpr int H = 1044;
const std::string Data = LANDORA_DATASET_DIR;

class BenchWindow : public IOvningsformular, public IKartformular {
public:
    explicit BenchWindow(Canvas *canvas) : canvas_(canvas) {}
    void VisaFraga(const std::string &text) override { question = text; }
    void VisaProcent(int) override {}
    void ShowNameLabel(const std::string &, int, int, Colour, Colour, bool) override {}
    Canvas *MapImage() override { return canvas_; }
    std::string question;

private:
    Canvas *canvas_;
};

class QuietPump : public IEventPump {
public:
    void ProcessEvents() override {}
};

// The largest exercise of a kind on the world map (map number 1), played in
// a catalogue of its own.
struct WorldRun {
    COvningar catalogue;
    COvning *exercise = nullptr;
    std::unique_ptr<CKarta> map;
    Canvas canvas{W, H};
    BenchWindow window{&canvas};
    ProgramState state;
    CSeededRandom random{7};
    QuietPump pump;
    ExerciseContext context;

    explicit WorldRun(const std::string &kind)
    {
        catalogue.LoadCatalogue(Data + "/Ovning.crp");
        state.texts.LoadTexts(Data + "/lang.crp");
        for (COvning *e = catalogue.First(); e != nullptr; e = e->Next)
            if (e->Kind == kind && e->MapNumber == 1 && (exercise == nullptr || e->KeyCount > exercise->KeyCount))
                exercise = e;
        if (exercise == nullptr)
            return;
        map = LoadMapForExercise(*exercise, Data);
        context = {nullptr, &random, &pump, &state};
        map->Events = &pump;
        exercise->Map = map.get();
        exercise->Context = &context;
    }

    // A point the current question accepts, or false when none is found.
    bool RightPoint(AnswerPoint &point) const
    {
        if (auto *place = dynamic_cast<COvningOrt *>(exercise)) {
            if (place->CurrentPlace == nullptr)
                return false;
            point = {static_cast<float>(place->CurrentPlace->Latitude),
                     static_cast<float>(place->CurrentPlace->Longitude), 0};
            return exercise->IsRight(point);
        }
        auto *area = dynamic_cast<COvningLandArea *>(exercise);
        for (int i = 1; i <= map->Areas->Count; ++i) {
            const CArea &a = *map->Areas->Items[i];
            if (!a.Active || !a.Matches(area->CurrentKey))
                continue;
            for (GeoPoint p : {a.FillPoint1, a.FillPoint2}) {
                point = {p.Latitude, p.Longitude, 0};
                if (exercise->IsRight(point))
                    return true;
            }
        }
        return false;
    }
};

void StartToFirstQuestion(benchmark::State &state, const char *kind)
{
    WorldRun run(kind);
    if (run.exercise == nullptr) {
        state.SkipWithError("no world exercise of this kind");
        return;
    }
    for (auto _ : state) {
        run.exercise->Start(&run.window);
        benchmark::DoNotOptimize(run.window.question);
    }
    state.SetLabel(run.exercise->Title(2) + ", " + std::to_string(run.exercise->KeyCount) + " keys");
}

void RightAnswerToNextQuestion(benchmark::State &state, const char *kind)
{
    WorldRun run(kind);
    if (run.exercise == nullptr) {
        state.SkipWithError("no world exercise of this kind");
        return;
    }
    run.exercise->Start(&run.window);
    for (auto _ : state) {
        state.PauseTiming();
        AnswerPoint point;
        int skipped = 0;
        while (run.window.question.empty() || !run.RightPoint(point)) {
            // Questions no fill point answers are skipped; a finished run, or
            // one that keeps drawing such questions, restarts.
            if (run.window.question.empty() || ++skipped > 50) {
                run.exercise->Start(&run.window);
                skipped = 0;
            } else {
                run.window.question = run.exercise->NextQuestion();
            }
        }
        state.ResumeTiming();
        run.exercise->BlinkState = 0;
        run.exercise->RightAnswer();
        run.window.question = run.exercise->NextQuestion();
        benchmark::DoNotOptimize(run.window.question);
    }
}

BENCHMARK_CAPTURE(StartToFirstQuestion, Area, "AREA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartToFirstQuestion, Place, "ORT")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RightAnswerToNextQuestion, Area, "AREA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RightAnswerToNextQuestion, Place, "ORT")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Place labels are measured with the platform's fonts.
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
