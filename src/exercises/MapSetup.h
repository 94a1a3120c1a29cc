#pragma once
// What a run start does to the map of a place or area exercise, in one place:
// which files a map number loads, the colours and view the exercise gives the
// map, the marks of its keys, the fitting, and the drawing order of its kind.
// The exercises' own Start goes through these; everything else that draws a
// run's map (the renderer, the shipped-map test, the atlas check, the
// benchmarks) starts the run itself on a MapImageRun, so a map drawn for
// review or a check is the map a player sees.
#include <functional>
#include <memory>
#include <string>

#include "data/Colour.h"
#include "data/Services.h"
#include "exercises/Ovningsformular.h"

namespace landora {

class CKarta;
class COvning;
class Canvas;

struct MapFiles {
    std::string Waters; // empty: no lakes
    std::string Areas;  // empty: no areas
    std::string Sea;    // empty: no sea points
    // 1 set, 0 cleared, -1 left as it is.
    int Graticule = -1;
};

// The files of a map number 1..6; any other number loads nothing.
MapFiles MapFilesFor(int mapNumber);
// "Ort" + number + ".crp".
std::string PlaceFileName(int placeFileNumber);

// Creates a map with its three empty lists and loads the place file, then the
// lakes, areas and sea points of the exercise's map number, from `folder`
// (empty: the current directory). Loading failures pass through.
std::unique_ptr<CKarta> LoadMapForExercise(const COvning &exercise, const std::string &folder);
// The same for an exercise that draws no map (multiple choice): only the
// place file and the land areas of the map number, no lakes, no sea points.
std::unique_ptr<CKarta> LoadPlacesAndAreas(const COvning &exercise, const std::string &folder);

// True for the place exercise ("ORT"), whose map starts silver and shows
// place markers; false for the area exercise.
bool IsPlaceExercise(const COvning &exercise);

// The map side of COvning::Start: the marks of an earlier run cleared, the
// exercise's view and colour overrides, and the marks of its keys in the
// area and place lists. (A place exercise turns the map silver before this,
// so that the overrides win.)
void SetUpMapForRun(CKarta &map, const COvning &exercise);
// The map side of the start on the map image: the image, the scale and, when
// both view latitudes are 0, the fit to the active areas.
void FitMapToImage(CKarta &map, Canvas *image);

// The whole drawing of a run start in the order of the exercise's kind. After
// each step `stepDone` runs; it lets pending events run and may stop the
// drawing by returning false (the run was restarted or its window closed
// meanwhile). Returns whether the drawing ran to its end.
bool DrawMapForRun(CKarta &map, const COvning &exercise, const std::function<bool()> &stepDone);
// The same with the map's own event pump after each step.
void DrawMapForRun(CKarta &map, const COvning &exercise);

// Marks every item of the run answered on the given try and recolours the
// map as the answers would have: places get their yellow marker and label,
// areas their answer colours.
void AnswerEveryItem(CKarta &map, const COvning &exercise, int tryNumber);

inline constexpr Colour Silver = RGB(192, 192, 192);

// The map window as a run sees it, without a window: a run of a place or
// area exercise started on a map image exactly as the map window starts one
// (the map's event pump, the exercise given the map and the context, then
// the exercise's own Start). The question shown is kept; labels and
// percentages go nowhere. The exercise, map, image and context are borrowed
// and must outlive the run, which detaches the exercise when it ends.
class MapImageRun : public IOvningsformular, public IKartformular {
public:
    MapImageRun(COvning &exercise, CKarta &map, Canvas &image, const ExerciseContext &context);
    ~MapImageRun() override;
    MapImageRun(const MapImageRun &) = delete;
    MapImageRun &operator=(const MapImageRun &) = delete;

    // Starts the run. After each step of the drawing `stepDone` (when given)
    // runs as the window's pending events would; returning false stops the
    // drawing there as closing the window would, and the run is detached.
    void Start(const std::function<bool()> &stepDone = {});
    // False once a stop detached the run.
    bool Attached() const;

    // The question shown last; empty once the run has none left.
    std::string Question;

    void VisaFraga(const std::string &text) override { Question = text; }
    void VisaProcent(int) override {}
    void ShowNameLabel(const std::string &, int, int, Colour, Colour, bool) override {}
    Canvas *MapImage() override { return &image_; }

private:
    // The run's pending events between the steps of a drawing; the map's own
    // pump (within a long step) has none.
    class Pump : public IEventPump {
    public:
        explicit Pump(MapImageRun *run) : run_(run) {}
        void ProcessEvents() override;

    private:
        MapImageRun *run_;
    };

    void Detach();

    COvning &exercise_;
    CKarta &map_;
    Canvas &image_;
    ExerciseContext context_;
    Pump pump_{this};
    Pump mapPump_{nullptr};
    std::function<bool()> stepDone_;
};

} // namespace landora
