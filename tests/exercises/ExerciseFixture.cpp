#include "exercises/ExerciseFixture.h"

#include "map/Canvas.h"
#include "support/CrpWriter.h"

namespace landora::test {

namespace {

void WriteNames(CrpWriter &out, const std::string &name)
{
    for (int language = 1; language <= LanguageCount; ++language)
        out.Text(name);
}

std::string AreaFile(const std::vector<AreaSpec> &areas)
{
    CrpWriter out;
    for (const AreaSpec &a : areas) {
        out.Text(a.key).Text(a.group1).Text("");
        WriteNames(out, a.name);
        out.Text("").Int16(0).Int16(4);
        out.Degrees(a.north).Degrees(a.south).Degrees(a.east).Degrees(a.west);
        const double midLat = (a.north + a.south) / 2;
        const double midLon = (a.west + a.east) / 2;
        out.Degrees(midLat).Degrees(midLon).Degrees(midLat).Degrees(midLon);
        out.Degrees(a.south).Degrees(a.west);
        out.Degrees(a.north).Degrees(a.west);
        out.Degrees(a.north).Degrees(a.east);
        out.Degrees(a.south).Degrees(a.east);
    }
    return out.Bytes();
}

std::string PlaceFile(const std::vector<PlaceSpec> &places)
{
    CrpWriter out;
    int n = 0;
    for (const PlaceSpec &p : places) {
        out.Text("P" + std::to_string(++n));
        WriteNames(out, p.name);
        out.Int16(static_cast<std::uint16_t>(p.level)).Byte(0).Byte(0);
        out.Text(p.group).Text(p.group2).Text("");
        out.Degrees(p.latitude).Degrees(p.longitude);
    }
    return out.Bytes();
}

} // namespace

ExerciseWorld::ExerciseWorld(const std::vector<AreaSpec> &areas, const std::vector<PlaceSpec> &places)
{
    state.texts.SetText(2, 9, "Find");
    state.settings.Language = 2;
    context.Sound = &sound;
    context.Random = &random;
    context.Events = &pump;
    context.State = &state;

    dir.Write("AREA1.crp", AreaFile(areas));
    dir.Write("Ort1.crp", PlaceFile(places));
    canvas = std::make_unique<Canvas>(400, 300);
    map = std::make_unique<CKarta>();
    map->Areas = std::make_unique<CAreor>();
    map->Waters = std::make_unique<CAreor>();
    map->Places = std::make_unique<COrter>();
    map->Areas->LoadFromFile(dir.File("AREA1.crp"));
    map->Places->LoadFromFile(dir.File("Ort1.crp"));
    window = std::make_unique<FakeMapWindow>(canvas.get());
}

ExerciseWorld::~ExerciseWorld() = default;

void ExerciseWorld::Start(COvning &exercise)
{
    exercise.Context = &context;
    exercise.Map = map.get();
    exercise.Start(window.get());
}

std::vector<AreaSpec> StandardAreas()
{
    return {
        {"AA", "", "Aland", 8, 2, -9, -2},
        {"BB", "GG", "Bland", 8, 2, 2, 9},
        {"CC", "GG", "Cland", -2, -8, 2, 9},
        {"DD", "", "Dland", -2, -8, -9, -2},
    };
}

std::vector<PlaceSpec> StandardPlaces()
{
    return {
        {"AA", "Aton", 5, -6},
        {"AA", "Aville", 5, -4},
        {"BB", "Bton", 5, 5},
        {"DD", "Dton", -5, -5},
    };
}

void SetUpExercise(COvning &exercise, const std::vector<std::string> &keys)
{
    exercise.KeyCount = static_cast<std::int32_t>(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        exercise.Keys[static_cast<int>(i) + 1] = keys[i];
    exercise.Level = 5;
    exercise.LineWidth = 1;
    exercise.NorthLatitude = 10;
    exercise.SouthLatitude = -10;
    exercise.CentreLongitude = 0;
    exercise.Number = 7;
}

} // namespace landora::test
