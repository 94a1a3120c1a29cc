// Speed of the map drawing and loading, each as a ratio to filling the same
// 1920x1048 image once with a solid colour, measured in the same run.
// Targets: flood fill of a blank image <= 3x; the start-of-run drawing of the
// world map (all countries asked, lakes, sea, grid) <= 12x and <= 15 ms; the
// redraw after one answer <= half of the start drawing.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "exercises/Catalogue.h"
#include "exercises/Ovning.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "exercises/MapSetup.h"

namespace {

using namespace landora;

constexpr int W = 1920;
constexpr int H = 1048;
const std::string Data = LANDORA_DATASET_DIR;

// The world exercise asking every country of the map: the AREA exercise of
// map 1 with the most keys.
struct WorldRun {
    COvningar catalogue;
    COvning *exercise = nullptr;
    std::unique_ptr<CKarta> map;
    Canvas canvas{W, H};

    WorldRun()
    {
        catalogue.LoadCatalogue(Data + "/Ovning.crp");
        for (COvning *e = catalogue.First(); e != nullptr; e = e->Next)
            if (e->Kind == "AREA" && e->MapNumber == 1 && (exercise == nullptr || e->KeyCount > exercise->KeyCount))
                exercise = e;
        if (exercise == nullptr)
            return;
        map = LoadMapForExercise(*exercise, Data);
    }
};

WorldRun &World()
{
    static WorldRun run;
    return run;
}

// The map side of a run start, as the map window starts a run: the run's
// drawing stops after its first step, and the benchmarks time the drawing
// itself.
void StartRun(COvning &exercise, CKarta &map, Canvas &canvas)
{
    MapImageRun(exercise, map, canvas, ExerciseContext{}).Start([] { return false; });
}

// Every benchmark draws on the one image of the world run: where its pages
// lie in memory changes how fast any pass over it goes (by up to a third from
// one process to the next), so the fill that the ratios divide by must write
// the same pages as the drawing.
Canvas &SharedImage()
{
    return World().canvas;
}

void BM_SolidFill(benchmark::State &state)
{
    Canvas &canvas = SharedImage();
    Colour c = 0;
    for (auto _ : state) {
        canvas.FillRect(0, 0, W, H, c);
        c ^= 0x00FF00;
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}
BENCHMARK(BM_SolidFill)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same fill as a plain element loop over the buffer, for reference: the
// canvas's own fill uses the processor's widest vectors, which makes every
// ratio above it stricter.
void BM_SolidFillPlainLoop(benchmark::State &state)
{
    Canvas &canvas = SharedImage();
    std::uint32_t c = 0xFF000000u;
    for (auto _ : state) {
        auto *bits = const_cast<std::uint32_t *>(reinterpret_cast<const std::uint32_t *>(canvas.Image().constBits()));
        std::fill(bits, bits + static_cast<std::size_t>(W) * H, c);
        c ^= 0x00FF00u;
        benchmark::DoNotOptimize(bits);
    }
}
BENCHMARK(BM_SolidFillPlainLoop)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FloodFillBlank(benchmark::State &state)
{
    Canvas &canvas = SharedImage();
    canvas.FillRect(0, 0, W, H, RGB(128, 128, 128));
    Colour from = RGB(128, 128, 128);
    Colour to = RGB(0, 0, 128);
    for (auto _ : state) {
        canvas.SetBrush(to);
        canvas.FloodFill(W / 2, H / 2, from, FloodStyle::Surface);
        std::swap(from, to);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}
BENCHMARK(BM_FloodFillBlank)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WorldStartDrawing(benchmark::State &state)
{
    WorldRun &run = World();
    if (run.exercise == nullptr) {
        state.SkipWithError("no world area exercise in the data set");
        return;
    }
    StartRun(*run.exercise, *run.map, run.canvas);
    for (auto _ : state) {
        DrawMapForRun(*run.map, *run.exercise);
        benchmark::DoNotOptimize(run.canvas.Image().constBits());
    }
}
BENCHMARK(BM_WorldStartDrawing)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The place exercise of map 1 with the most keys: its start drawing fills
// only the sea, without the land index of an area map.
void BM_WorldPlaceStartDrawing(benchmark::State &state)
{
    WorldRun &run = World();
    COvning *places = nullptr;
    for (COvning *e = run.catalogue.First(); e != nullptr; e = e->Next)
        if (e->Kind == "ORT" && e->MapNumber == 1 && (places == nullptr || e->KeyCount > places->KeyCount))
            places = e;
    if (places == nullptr) {
        state.SkipWithError("no world place exercise in the data set");
        return;
    }
    const std::unique_ptr<CKarta> map = LoadMapForExercise(*places, Data);
    Canvas canvas(W, H);
    StartRun(*places, *map, canvas);
    for (auto _ : state) {
        DrawMapForRun(*map, *places);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}
BENCHMARK(BM_WorldPlaceStartDrawing)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Where the start drawing's time goes: the whole drawing runs every
// iteration, and only the step named by the argument is timed (0 background,
// 1 outlines, 2 lakes, 3 sea, 4 areas, 5 grid), so each step meets the
// surface as the drawing before it leaves it.
void BM_WorldStartStep(benchmark::State &state)
{
    WorldRun &run = World();
    if (run.exercise == nullptr) {
        state.SkipWithError("no world area exercise in the data set");
        return;
    }
    StartRun(*run.exercise, *run.map, run.canvas);
    const auto timed = static_cast<std::size_t>(state.range(0));
    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> marks;
    for (auto _ : state) {
        marks.clear();
        marks.push_back(Clock::now());
        DrawMapForRun(*run.map, *run.exercise, [&marks] {
            marks.push_back(Clock::now());
            return true;
        });
        marks.push_back(Clock::now()); // the grid has no step after it
        if (timed + 1 >= marks.size()) {
            state.SkipWithError("the drawing has fewer steps");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(marks[timed + 1] - marks[timed]).count());
        benchmark::DoNotOptimize(run.canvas.Image().constBits());
    }
    const char *names[] = {"background", "outlines", "lakes", "sea", "areas", "grid"};
    state.SetLabel(names[timed]);
}
BENCHMARK(BM_WorldStartStep)
    ->DenseRange(0, 5)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The map side of a run start before any drawing, as Start does it: marks of
// every key in the area and place lists, view and scale.
void BM_WorldRunPreparation(benchmark::State &state)
{
    WorldRun &run = World();
    if (run.exercise == nullptr) {
        state.SkipWithError("no world area exercise in the data set");
        return;
    }
    for (auto _ : state) {
        SetUpMapForRun(*run.map, *run.exercise);
        FitMapToImage(*run.map, &run.canvas);
        benchmark::DoNotOptimize(run.map->ScaleDivisor);
    }
}
BENCHMARK(BM_WorldRunPreparation)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RedrawAfterAnswer(benchmark::State &state)
{
    WorldRun &run = World();
    if (run.exercise == nullptr) {
        state.SkipWithError("no world area exercise in the data set");
        return;
    }
    StartRun(*run.exercise, *run.map, run.canvas);
    DrawMapForRun(*run.map, *run.exercise);
    // The largest asked area: the costliest recolouring after an answer.
    const CArea *largest = nullptr;
    for (int i = 1; i <= run.map->Areas->Count; ++i) {
        const CArea *a = run.map->Areas->Items[i].get();
        if (a->Active && (largest == nullptr || (a->North - a->South) * (a->East - a->West) >
                                                    (largest->North - largest->South) * (largest->East - largest->West)))
            largest = a;
    }
    COrt place;
    place.Latitude = (largest->North + largest->South) / 2;
    place.Longitude = (largest->East + largest->West) / 2;
    place.Names[2] = "Somewhere";
    Colour colours[2] = {RGB(0, 255, 0), RGB(255, 255, 255)};
    int k = 0;
    for (auto _ : state) {
        run.map->FillAreasByKey(largest->Key, colours[k]);
        run.map->DrawPlace(place, RGB(255, 255, 0));
        k ^= 1;
        benchmark::DoNotOptimize(run.canvas.Image().constBits());
    }
    state.SetLabel(largest->Key);
}
BENCHMARK(BM_RedrawAfterAnswer)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_LoadLargestAreaFile(benchmark::State &state)
{
    std::string largest;
    qint64 size = -1;
    for (int n = 1; n <= 6; ++n) {
        const std::string name = Data + "/AREA" + std::to_string(n) + ".crp";
        const QFileInfo info(QString::fromStdString(name));
        if (info.exists() && info.size() > size) {
            size = info.size();
            largest = name;
        }
    }
    if (largest.empty()) {
        state.SkipWithError("no area file in the data set");
        return;
    }
    for (auto _ : state) {
        CAreor areas;
        areas.LoadFromFile(largest);
        benchmark::DoNotOptimize(areas.Count);
    }
    state.SetLabel(largest.substr(largest.rfind('/') + 1));
}
BENCHMARK(BM_LoadLargestAreaFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_LoadWorldPlaceFile(benchmark::State &state)
{
    for (auto _ : state) {
        COrter places;
        places.LoadFromFile(Data + "/Ort1.crp");
        benchmark::DoNotOptimize(places.First);
    }
}
BENCHMARK(BM_LoadWorldPlaceFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Prints the usual table, then every median as a ratio to the solid fill.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.aggregate_name == "median") {
                if (run.run_name.function_name == "BM_WorldStartStep") {
                    // Timed by hand in microseconds; the processor time is the whole drawing's.
                    steps_.emplace_back(run.report_label, run.GetAdjustedRealTime() / 1000.0);
                    continue;
                }
                medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
                cpu_[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto fill = medians_.find("BM_SolidFill");
        if (fill == medians_.end() || fill->second <= 0)
            return;
        // On a shared machine the wall-clock figures carry other programs'
        // load; the processor-time ratios show the code's own cost.
        const double fillCpu = cpu_["BM_SolidFill"];
        std::printf("\nMedians as a ratio to one solid fill of %dx%d (wall %.3f ms, cpu %.3f ms):\n", W, H,
                    fill->second, fillCpu);
        for (const auto &[name, ms] : medians_)
            std::printf("  %-26s wall %8.3f ms %7.2fx   cpu %8.3f ms %7.2fx\n", name.c_str(), ms, ms / fill->second,
                        cpu_[name], fillCpu > 0 ? cpu_[name] / fillCpu : 0.0);
        const auto start = medians_.find("BM_WorldStartDrawing");
        const auto redraw = medians_.find("BM_RedrawAfterAnswer");
        if (start != medians_.end() && redraw != medians_.end() && start->second > 0)
            std::printf("  redraw after an answer / start drawing: %.3f\n", redraw->second / start->second);
        if (!steps_.empty())
            std::printf("  start drawing by step (wall ms):");
        for (const auto &[step, ms] : steps_)
            std::printf(" %s %.3f", step.c_str(), ms);
        if (!steps_.empty())
            std::printf("\n");
    }

private:
    std::map<std::string, double> medians_;
    std::map<std::string, double> cpu_;
    std::vector<std::pair<std::string, double>> steps_;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the label font needs the font database
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
