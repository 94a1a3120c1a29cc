#pragma once
// A small world to play whole runs in: a place file and an area file written
// in code, a real map on a real canvas, a window that records what the
// exercise tells it, seeded draws and a sound player that only listens.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/ProgramState.h"
#include "exercises/Ovning.h"
#include "exercises/Ovningsformular.h"
#include "data/Services.h"
#include "map/Karta.h"
#include "support/TempDir.h"

namespace landora::test {

// Draws from a fixed list of reals; 0 once the list is used up.
class SeededRandom : public IRandom {
public:
    std::deque<double> values;
    int reseeds = 0;
    void Reseed() override { ++reseeds; }
    double Next() override
    {
        if (values.empty())
            return 0.0;
        const double v = values.front();
        values.pop_front();
        return v;
    }
};

class ListeningSound : public ISound {
public:
    std::vector<std::string> waves;
    void PlayWave(const std::string &name, int channel) override
    {
        waves.push_back(name + "@" + std::to_string(channel));
    }
    void PlayMidi(const std::string &, int) override {}
};

class CountingPump : public IEventPump {
public:
    int calls = 0;
    std::function<void()> onPump; // runs inside the pump, as a pending event would
    void ProcessEvents() override
    {
        ++calls;
        if (onPump)
            onPump();
    }
};

struct LabelCall {
    std::string text;
    int x = 0;
    int y = 0;
    bool shown = false;
};

class FakeMapWindow : public IOvningsformular, public IKartformular {
public:
    explicit FakeMapWindow(Canvas *canvas) : canvas_(canvas) {}
    std::vector<std::string> questions;
    std::vector<int> percents;
    std::vector<LabelCall> labels;
    void VisaFraga(const std::string &text) override { questions.push_back(text); }
    void VisaProcent(int percent) override { percents.push_back(percent); }
    void ShowNameLabel(const std::string &text, int x, int y, Colour, Colour, bool shown) override
    {
        labels.push_back({text, x, y, shown});
    }
    Canvas *MapImage() override { return canvas_; }

private:
    Canvas *canvas_;
};

// One area of the fixture: a rectangle in degrees.
struct AreaSpec {
    std::string key;
    std::string group1;
    std::string name;
    double north, south, west, east;
};

struct PlaceSpec {
    std::string group;
    std::string name;
    double latitude, longitude;
    int level = 1;
    std::string group2 = {};
};

// The map and everything around it. The view is 10 N .. 10 S around
// longitude 0 on a 400 x 300 canvas: 15 pixels a degree near the equator.
class ExerciseWorld {
public:
    ExerciseWorld(const std::vector<AreaSpec> &areas, const std::vector<PlaceSpec> &places);
    ~ExerciseWorld();

    // Prepares an exercise for a run on this world and starts it.
    void Start(COvning &exercise);
    static AnswerPoint At(double latitude, double longitude) { return {float(latitude), float(longitude), 0}; }

    TempDir dir;
    ProgramState state;
    SeededRandom random;
    ListeningSound sound;
    CountingPump pump;
    ExerciseContext context;
    std::unique_ptr<Canvas> canvas;
    std::unique_ptr<CKarta> map;
    std::unique_ptr<FakeMapWindow> window;
};

// The standard world: four rectangles, the last outside every exercise, and
// places in the first two.
std::vector<AreaSpec> StandardAreas();
std::vector<PlaceSpec> StandardPlaces();
void SetUpExercise(COvning &exercise, const std::vector<std::string> &keys);

} // namespace landora::test
