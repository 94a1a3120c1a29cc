#include "exercises/MapSetup.h"

#include "exercises/Ovning.h"
#include "data/Services.h"
#include "map/Canvas.h"
#include "map/Karta.h"

namespace landora {

namespace {

std::string InFolder(const std::string &folder, const std::string &name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

void Pump(const CKarta &map)
{
    if (map.Events != nullptr)
        map.Events->ProcessEvents();
}

} // namespace

MapFiles MapFilesFor(int mapNumber)
{
    switch (mapNumber) {
    case 1:
        return {"Vatten.crp", "AREA1.crp", "Hav1.crp", 1};
    case 2:
        return {"Vatten.crp", "AREA2.crp", "Hav2.crp", 0};
    case 3:
        return {"Vatten.crp", "AREA3.crp", "Hav3.crp", 0};
    case 4:
        return {"", "AREA4.crp", "Hav1.crp", 0}; // map 4 shares the sea points of map 1
    case 5:
        return {"", "AREA5.crp", "Hav5.crp", 0};
    case 6:
        return {"", "AREA6.crp", "Hav6.crp", 0};
    default:
        return {};
    }
}

std::string PlaceFileName(int placeFileNumber) { return "Ort" + std::to_string(placeFileNumber) + ".crp"; }

std::unique_ptr<CKarta> LoadMapForExercise(const COvning &exercise, const std::string &folder)
{
    auto map = std::make_unique<CKarta>();
    map->Areas = std::make_unique<CAreor>();
    map->Waters = std::make_unique<CAreor>();
    map->Places = std::make_unique<COrter>();
    map->Places->LoadFromFile(InFolder(folder, PlaceFileName(exercise.PlaceFileNumber)));
    const MapFiles files = MapFilesFor(exercise.MapNumber);
    if (!files.Waters.empty())
        map->Waters->LoadFromFile(InFolder(folder, files.Waters));
    if (!files.Areas.empty())
        map->Areas->LoadFromFile(InFolder(folder, files.Areas));
    if (!files.Sea.empty())
        map->LoadSeaPoints(InFolder(folder, files.Sea));
    if (files.Graticule >= 0)
        map->ShowGraticule = files.Graticule == 1;
    return map;
}

std::unique_ptr<CKarta> LoadPlacesAndAreas(const COvning &exercise, const std::string &folder)
{
    auto map = std::make_unique<CKarta>();
    map->Areas = std::make_unique<CAreor>();
    map->Waters = std::make_unique<CAreor>();
    map->Places = std::make_unique<COrter>();
    map->Places->LoadFromFile(InFolder(folder, PlaceFileName(exercise.PlaceFileNumber)));
    const MapFiles files = MapFilesFor(exercise.MapNumber);
    if (!files.Areas.empty())
        map->Areas->LoadFromFile(InFolder(folder, files.Areas));
    return map;
}

bool IsPlaceExercise(const COvning &exercise) { return exercise.Kind == "ORT"; }

void SetUpMapForRun(CKarta &map, const COvning &exercise)
{
    if (map.Areas != nullptr)
        map.Areas->ClearMarks();
    if (map.Places != nullptr)
        map.Places->ClearMarks();
    map.CentreLongitude = static_cast<float>(exercise.CentreLongitude);
    map.SouthLatitude = static_cast<float>(exercise.SouthLatitude);
    map.NorthLatitude = static_cast<float>(exercise.NorthLatitude);
    if (exercise.AreaColour != 0)
        map.AreaColour = exercise.AreaColour;
    if (exercise.SeaColour != 0)
        map.SeaColour = exercise.SeaColour;
    if (exercise.BackgroundColour != 0)
        map.LandColour = exercise.BackgroundColour;
    if (map.Areas != nullptr)
        for (int i = 1; i <= exercise.KeyCount; ++i)
            map.Areas->MarkActive(exercise.Keys[i]);
    if (map.Places != nullptr)
        for (int i = 1; i <= exercise.KeyCount; ++i)
            map.Places->Select(exercise.Keys[i], exercise.Level, exercise.NeedCategory1, exercise.NeedCategory2);
}

void FitMapToImage(CKarta &map, Canvas *image)
{
    map.Image = image;
    map.ComputeScale();
    if (map.NorthLatitude == 0.0f && map.SouthLatitude == 0.0f)
        map.FitToAreas();
}

bool DrawMapForRun(CKarta &map, const COvning &exercise, const std::function<bool()> &stepDone)
{
    map.FillBackground();
    if (!stepDone())
        return false;
    map.DrawOutlines(exercise.LineWidth);
    if (!stepDone())
        return false;
    map.DrawWaters();
    if (!stepDone())
        return false;
    // An area map fills the sea and then every area, hundreds of regions of
    // the land colour: found all at once, each is filled without a search.
    // A place map fills only the sea, a few large regions, which the plain
    // fills do sooner than a pass over the whole surface.
    if (!IsPlaceExercise(exercise) && map.Image != nullptr)
        map.Image->IndexRegions(map.LandColour);
    map.FloodSea();
    if (!stepDone())
        return false;
    if (IsPlaceExercise(exercise)) {
        if (map.ShowGraticule) {
            map.DrawGraticule(10, Silver, PenMode::NotXor);
            if (!stepDone())
                return false;
        }
        map.DrawPendingPlaces();
        return stepDone();
    }
    map.FillAreasByState();
    if (map.Image != nullptr)
        map.Image->WriteNotedFills(); // the sea and the areas, in one pass
    if (!stepDone())
        return false;
    // The grid is the last layer of an area map; nothing waits to be painted after it.
    if (map.ShowGraticule)
        map.DrawGraticule(10, map.AreaColour, PenMode::Mask);
    return true;
}

void DrawMapForRun(CKarta &map, const COvning &exercise)
{
    DrawMapForRun(map, exercise, [&map] {
        Pump(map);
        return true;
    });
}

void AnswerEveryItem(CKarta &map, const COvning &exercise, int tryNumber)
{
    if (IsPlaceExercise(exercise)) {
        if (map.Places == nullptr)
            return;
        for (COrt *place = map.Places->First; place != nullptr; place = place->Next) {
            if (!place->Selected || place->Answered)
                continue;
            map.DrawPlace(*place, RGB(0, 128, 0));
            place->Answered = true;
            place->AnsweredOnTry = tryNumber;
            map.DrawPlace(*place, RGB(255, 255, 0));
            if (map.Places->RemainingCount > 0)
                --map.Places->RemainingCount;
        }
        map.DrawPendingPlaces();
    } else {
        if (map.Areas == nullptr)
            return;
        for (int i = 1; i <= exercise.KeyCount; ++i)
            map.Areas->MarkAnswered(exercise.Keys[i], tryNumber);
        map.FillAreasByState();
    }
    Pump(map);
}

MapImageRun::MapImageRun(COvning &exercise, CKarta &map, Canvas &image, const ExerciseContext &context)
    : exercise_(exercise), map_(map), image_(image), context_(context)
{
    context_.Events = &pump_;
}

MapImageRun::~MapImageRun() { Detach(); }

void MapImageRun::Start(const std::function<bool()> &stepDone)
{
    stepDone_ = stepDone;
    // As the map window: a pump on the map, the exercise attached, Start.
    map_.Events = &mapPump_;
    exercise_.Map = &map_;
    exercise_.Context = &context_;
    exercise_.Start(this);
}

bool MapImageRun::Attached() const { return exercise_.Window == this; }

void MapImageRun::Pump::ProcessEvents()
{
    if (run_ != nullptr && run_->stepDone_ && run_->Attached() && !run_->stepDone_())
        run_->Detach();
}

void MapImageRun::Detach()
{
    // What a closing window does: the run loses its window, map and context.
    if (exercise_.Window == this)
        exercise_.Window = nullptr;
    if (exercise_.Map == &map_)
        exercise_.Map = nullptr;
    if (exercise_.Context == &context_)
        exercise_.Context = nullptr;
    if (map_.Events == &mapPump_)
        map_.Events = nullptr;
}

} // namespace landora
