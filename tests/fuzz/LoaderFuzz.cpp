#include "LoaderFuzz.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/Errors.h"
#include "data/ScoreValue.h"
#include "data/TextTable.h"
#include "exercises/Catalogue.h"
#include "exercises/MapSetup.h"
#include "exercises/OvningLandArea.h"
#include "exercises/OvningOrt.h"
#include "map/Area.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "map/Ort.h"
#include "platform/SettingsStore.h"
#include "scores/ScoreFile.h"

#include <QString>
#include <cmath>

namespace landora::fuzz {

namespace {

// The loaders read named files, so every input goes through one scratch file
// of this process.
const std::string &ScratchFile()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("landora-loader-fuzz-" + std::to_string(::getpid()) + ".crp"))
            .string();
    return path;
}

void WriteScratch(const std::uint8_t *data, std::size_t size)
{
    std::FILE *file = std::fopen(ScratchFile().c_str(), "wb");
    if (file == nullptr)
        throw std::runtime_error("cannot write the scratch file " + ScratchFile());
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written)
        throw std::runtime_error("cannot write the scratch file " + ScratchFile());
}

struct RemoveScratch {
    ~RemoveScratch() { std::remove(ScratchFile().c_str()); }
};

void LoadCatalogue()
{
    COvningar catalogue;
    try {
        catalogue.LoadCatalogue(ScratchFile());
    } catch (const Exception &) {
        if (catalogue.First() != nullptr)
            throw std::logic_error("a failed load left entries in the catalogue");
        return;
    }
    // What loaded must be whole: every entry reachable, every key readable,
    // and each title found (as itself or an earlier namesake).
    int walked = 0;
    for (const COvning *entry = catalogue.First(); entry != nullptr; entry = entry->Next) {
        ++walked;
        if (entry->KeyCount < 0 || entry->KeyCount > MaxKeys)
            throw std::logic_error("key count outside 0..190");
        for (int k = 1; k <= entry->KeyCount; ++k)
            (void)entry->Keys[k].size();
        for (int language = 1; language <= LanguageCount; ++language) {
            if (catalogue.FindByName(entry->Title(language), language) == nullptr)
                throw std::logic_error("an entry is not found by its own title");
        }
    }
    if (walked != catalogue.Count())
        throw std::logic_error("the entry list and its links disagree");
}

void LoadTexts()
{
    TextTable texts;
    try {
        texts.LoadTexts(ScratchFile());
    } catch (const Exception &) {
        return;
    }
    for (int language = 1; language <= LanguageCount; ++language)
        for (int t = 1; t <= TextCount; ++t)
            (void)texts.Text(language, t).size();
}

// A small area map: two squares side by side, the western one with a lake
// hole's worth of sea around it, and a sea point west of both.
void AddSmallAreas(CKarta &map)
{
    const auto square = [](const char *key, float west) {
        auto area = std::make_unique<CArea>();
        area->Key = key;
        area->Names[2] = key;
        area->North = 10;
        area->South = -10;
        area->West = west;
        area->East = west + 10;
        area->FillPoint1 = area->FillPoint2 = GeoPoint{0, west + 5};
        area->PointCount = 5;
        const GeoPoint corners[] = {{10, west}, {10, west + 10}, {-10, west + 10}, {-10, west}, {10, west}};
        for (int i = 1; i <= 5; ++i)
            area->Points[i] = corners[i - 1];
        return area;
    };
    map.Areas->Items[1] = square("AA", -10);
    map.Areas->Items[2] = square("BB", 0);
    map.Areas->Count = 2;
}

std::unique_ptr<CKarta> EmptyMap()
{
    auto map = std::make_unique<CKarta>();
    map->Areas = std::make_unique<CAreor>();
    map->Waters = std::make_unique<CAreor>();
    map->Places = std::make_unique<COrter>();
    return map;
}

// Starts a run of `exercise` on `map` the way the map window does, on a
// small image, and draws it whole.
void DrawRun(CKarta &map, COvning &exercise)
{
    Canvas image(80, 60);
    exercise.LineWidth = 1;
    SetUpMapForRun(map, exercise);
    FitMapToImage(map, &image);
    DrawMapForRun(map, exercise, [] { return true; });
    map.Image = nullptr;
}

// The first keys of the items read, as an exercise of that map would list them.
template <typename Item> void TakeKeys(COvning &exercise, const std::vector<const Item *> &items)
{
    for (const Item *item : items) {
        if (exercise.KeyCount == 8)
            break;
        exercise.Keys[++exercise.KeyCount] = item->Key;
    }
}

void UseAreas(bool asLakes)
{
    auto map = EmptyMap();
    CAreor &list = asLakes ? *map->Waters : *map->Areas;
    try {
        list.LoadFromFile(ScratchFile());
    } catch (const Exception &) {
        return;
    }
    if (list.Count < 0 || list.Count > MaxAreas)
        throw std::logic_error("area count outside 0..500");
    std::vector<const CArea *> read;
    for (int i = 1; i <= list.Count; ++i) {
        const CArea &area = *list.Items[i];
        if (area.PointCount < 0 || area.PointCount > MaxVertices)
            throw std::logic_error("vertex count outside 0..500");
        (void)area.ContainsPoint(GeoPoint{0, 0});
        read.push_back(&area);
    }
    (void)list.AreaAt(GeoPoint{1.5f, 2.5f});
    COvningLandArea exercise;
    if (asLakes) {
        AddSmallAreas(*map);
        exercise.Keys[1] = "AA";
        exercise.Keys[2] = "BB";
        exercise.KeyCount = 2;
    } else {
        TakeKeys(exercise, read);
    }
    DrawRun(*map, exercise);
}

void UsePlaces()
{
    auto map = EmptyMap();
    try {
        map->Places->LoadFromFile(ScratchFile());
    } catch (const Exception &) {
        return;
    }
    AddSmallAreas(*map);
    COvningOrt exercise;
    exercise.Level = 32767;
    std::vector<const COrt *> read;
    for (const COrt *place = map->Places->First; place != nullptr; place = place->Next)
        read.push_back(place);
    // Places are asked by the groups of the exercise's keys.
    for (const COrt *place : read) {
        if (exercise.KeyCount == 8)
            break;
        exercise.Keys[++exercise.KeyCount] = place->Group1;
    }
    DrawRun(*map, exercise);
    if (!read.empty())
        (void)map->PixelDistance(GeoPoint{0, 0}, *read.front());
}

void UseSeaPoints()
{
    auto map = EmptyMap();
    try {
        map->LoadSeaPoints(ScratchFile());
    } catch (const Exception &) {
        return;
    }
    if (map->SeaPointCount < 0 || map->SeaPointCount > MaxSeaPoints)
        throw std::logic_error("sea point count outside 0..100");
    AddSmallAreas(*map);
    COvningLandArea exercise;
    exercise.Keys[1] = "AA";
    exercise.KeyCount = 1;
    DrawRun(*map, exercise);
}

void UseScores()
{
    HighScoreTable table;
    try {
        ReadScoreFile(ScratchFile(), table);
    } catch (const Exception &) {
        // What was read before the damage is kept and saved as the windows do.
    }
    for (int exercise = 1; exercise <= ScoreExercises; ++exercise) {
        for (int rank = 1; rank <= ScoreRanks; ++rank) {
            const ScoreEntry &entry = table.At(exercise, rank);
            if (entry.Signature.size() > static_cast<std::size_t>(MaxSignatureLength))
                throw std::logic_error("a signature longer than 50 bytes");
            (void)TimeText(ScoreSeconds(entry.Score));
            (void)RankingValue(entry.Score);
        }
    }
    table.Insert(12, PackScore(85, 60), UnknownSignature);
    // Written as a save writes it, without the save's wait for the disk.
    const std::string text = ScoreFileText(table);
    WriteScratch(reinterpret_cast<const std::uint8_t *>(text.data()), text.size());
    HighScoreTable again;
    ReadScoreFile(ScratchFile(), again);
    if (!(again == table))
        throw std::logic_error("a saved table reads back different");
}

void UseSettings()
{
    // A fresh name for every input: the settings store caches files by name.
    static int inputs = 0;
    const std::string ini = ScratchFile() + "." + std::to_string(++inputs) + ".ini";
    std::rename(ScratchFile().c_str(), ini.c_str());
    struct RemoveIni {
        std::string path;
        ~RemoveIni() { std::remove(path.c_str()); }
    } cleanup{ini};
    Settings settings;
    CSettingsStore store(QString::fromStdString(ini));
    store.Read(settings);
}

void Run(const std::uint8_t *data, std::size_t size, void (*use)())
{
    RemoveScratch cleanup;
    WriteScratch(data, size);
    use();
}

} // namespace

void LoadAll(const std::uint8_t *data, std::size_t size)
{
    Run(data, size, [] {
        LoadCatalogue();
        LoadTexts();
    });
}

void LoadAreas(const std::uint8_t *data, std::size_t size)
{
    Run(data, size, [] { UseAreas(false); });
}

void LoadLakes(const std::uint8_t *data, std::size_t size)
{
    Run(data, size, [] { UseAreas(true); });
}

void LoadPlaces(const std::uint8_t *data, std::size_t size)
{
    Run(data, size, UsePlaces);
}

void LoadSeaPoints(const std::uint8_t *data, std::size_t size)
{
    Run(data, size, UseSeaPoints);
}

void LoadScores(const std::uint8_t *data, std::size_t size)
{
    Run(data, size, UseScores);
}

void LoadSettings(const std::uint8_t *data, std::size_t size)
{
    Run(data, size, UseSettings);
}

} // namespace landora::fuzz
