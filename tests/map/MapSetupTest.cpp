// The run start on the map: files per map number, colours, marks and view.
#include <gtest/gtest.h>

#include "exercises/Catalogue.h"
#include "map/MapFixtures.h"
#include "exercises/MapSetup.h"
#include "support/CrpWriter.h"
#include "support/FakeRandom.h"
#include "support/TempDir.h"

using namespace landora;
using namespace landora::test;

TEST(MapSetup, FilesPerMapNumber)
{
    EXPECT_EQ(MapFilesFor(1).Waters, "Vatten.crp");
    EXPECT_EQ(MapFilesFor(1).Sea, "Hav1.crp");
    EXPECT_EQ(MapFilesFor(1).Graticule, 1);
    EXPECT_EQ(MapFilesFor(3).Areas, "AREA3.crp");
    EXPECT_EQ(MapFilesFor(3).Graticule, 0);
    EXPECT_EQ(MapFilesFor(4).Waters, "");
    EXPECT_EQ(MapFilesFor(4).Sea, "Hav1.crp"); // no fourth sea point file
    EXPECT_EQ(MapFilesFor(6).Sea, "Hav6.crp");
    EXPECT_EQ(MapFilesFor(7).Areas, "");
    EXPECT_EQ(MapFilesFor(7).Graticule, -1);
    EXPECT_EQ(PlaceFileName(12), "Ort12.crp");
}

namespace {

struct Folder {
    TempDir dir;

    Folder()
    {
        CrpWriter areas;
        AreaRecord a;
        a.key = "SE";
        a.points = {{55, 11}, {69, 11}, {69, 24}, {55, 24}};
        a.fill1Lat = a.fill2Lat = 62;
        a.fill1Lon = a.fill2Lon = 17;
        a.WriteTo(areas);
        AreaRecord b;
        b.key = "NO";
        b.group1 = "NORDEN";
        b.points = {{58, 5}, {71, 5}, {71, 30}, {58, 30}};
        b.WriteTo(areas);
        dir.Write("AREA2.crp", areas.Bytes());
        dir.Write("Vatten.crp", "");
        CrpWriter sea;
        sea.Degrees(60).Degrees(0);
        dir.Write("Hav2.crp", sea.Bytes());
        CrpWriter places;
        PlaceRecord p;
        p.group1 = "SE";
        p.latitude = 59.3;
        p.longitude = 18.1;
        p.WriteTo(places);
        dir.Write("Ort4.crp", places.Bytes());
    }
};

std::unique_ptr<COvning> Exercise(const std::string &kind)
{
    auto e = COvningar::CreateEntry(kind);
    e->MapNumber = 2;
    e->PlaceFileNumber = 4;
    e->Level = 5;
    e->LineWidth = 1;
    e->KeyCount = 1;
    e->Keys[1] = "SE";
    return e;
}

// The map side of a run start: the run started as the map window starts it,
// its drawing stopped after the first step.
void StartWithoutDrawing(COvning &e, CKarta &map, Canvas &canvas)
{
    MapImageRun run(e, map, canvas, ExerciseContext{});
    run.Start([] { return false; });
    EXPECT_FALSE(run.Attached());
    EXPECT_EQ(e.Map, nullptr); // detached as by a closed window
}

} // namespace

TEST(MapSetup, LoadsTheFilesOfTheMapNumber)
{
    Folder f;
    auto e = Exercise("AREA");
    auto map = LoadMapForExercise(*e, f.dir.Path());
    EXPECT_EQ(map->Areas->Count, 2);
    EXPECT_EQ(map->Waters->Count, 0);
    EXPECT_EQ(map->SeaPointCount, 1);
    ASSERT_NE(map->Places->First, nullptr);
    EXPECT_FALSE(map->ShowGraticule);
    e->MapNumber = 3; // AREA3.crp is missing
    EXPECT_THROW(LoadMapForExercise(*e, f.dir.Path()), EFileNotFound);
}

TEST(MapSetup, PlaceExercisesStartSilverUnlessTheCatalogueOverrides)
{
    Folder f;
    Canvas canvas(400, 300);
    auto place = Exercise("ORT");
    auto map = LoadMapForExercise(*place, f.dir.Path());
    StartWithoutDrawing(*place, *map, canvas);
    EXPECT_EQ(map->LandColour, Silver);
    EXPECT_EQ(map->AreaColour, Silver);
    EXPECT_EQ(map->Places->RemainingCount, 1);
    EXPECT_TRUE(map->Areas->Items[1]->Active);
    EXPECT_FALSE(map->Areas->Items[2]->Active);
    EXPECT_EQ(map->Image, &canvas);

    place->BackgroundColour = RGB(1, 2, 3);
    place->SeaColour = RGB(4, 5, 6);
    auto map2 = LoadMapForExercise(*place, f.dir.Path());
    StartWithoutDrawing(*place, *map2, canvas);
    EXPECT_EQ(map2->LandColour, RGB(1, 2, 3));
    EXPECT_EQ(map2->AreaColour, Silver);
    EXPECT_EQ(map2->SeaColour, RGB(4, 5, 6));

    auto area = Exercise("AREA");
    auto map3 = LoadMapForExercise(*area, f.dir.Path());
    StartWithoutDrawing(*area, *map3, canvas);
    EXPECT_EQ(map3->LandColour, RGB(128, 128, 128));
    EXPECT_EQ(map3->AreaColour, RGB(0, 128, 0));
}

TEST(MapSetup, ViewFromTheCatalogueOrFittedWhenBothLatitudesAreZero)
{
    Folder f;
    Canvas canvas(800, 600);
    auto e = Exercise("AREA");
    e->NorthLatitude = 70;
    e->SouthLatitude = 50;
    e->CentreLongitude = 15;
    auto map = LoadMapForExercise(*e, f.dir.Path());
    StartWithoutDrawing(*e, *map, canvas);
    EXPECT_EQ(map->NorthLatitude, 70.0f);
    EXPECT_EQ(map->ScaleDivisor, 123);

    e->NorthLatitude = 0;
    e->SouthLatitude = 0;
    auto fitted = LoadMapForExercise(*e, f.dir.Path());
    StartWithoutDrawing(*e, *fitted, canvas);
    EXPECT_FLOAT_EQ(fitted->CentreLongitude, 17.5f);
    EXPECT_FLOAT_EQ(fitted->NorthLatitude, 69.56f);
    EXPECT_FLOAT_EQ(fitted->SouthLatitude, 54.44f);
}

TEST(MapSetup, AnsweringEveryItemColoursTheMap)
{
    Folder f;
    Canvas canvas(400, 300);
    auto e = Exercise("AREA");
    e->NorthLatitude = 75;
    e->SouthLatitude = 50;
    e->CentreLongitude = 17;
    auto map = LoadMapForExercise(*e, f.dir.Path());
    SeededRandom random(1);
    ExerciseContext context;
    context.Random = &random;
    MapImageRun run(*e, *map, canvas, context);
    run.Start();
    const CArea &se = *map->Areas->Items[1];
    const int x = map->PositionToX(se.FillPoint1.Latitude, se.FillPoint1.Longitude);
    const int y = map->LatitudeToY(se.FillPoint1.Latitude);
    EXPECT_EQ(canvas.GetPixel(x, y), RGB(0, 128, 0));
    AnswerEveryItem(*map, *e, 3);
    EXPECT_EQ(canvas.GetPixel(x, y), RGB(255, 255, 0));
}
