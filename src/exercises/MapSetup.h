#pragma once
// What a run start does to the map of a place or area exercise, in one place:
// which files a map number loads, the colours and view the exercise gives the
// map, the marks of its keys, the fitting, and the drawing order of its kind.
// The map window and the command-line renderer go through these, so a map
// drawn for review is the map a player sees.
#include <functional>
#include <memory>
#include <string>

#include "data/Colour.h"

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

// The map side of a run start, without drawing: silver first for a place
// exercise, then the exercise's view and colour overrides, the marks of its
// keys in the area and place lists, the image, the scale and, when both view
// latitudes are 0, the fit to the active areas.
void PrepareMapForRun(CKarta &map, const COvning &exercise, Canvas *image);

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

} // namespace landora
