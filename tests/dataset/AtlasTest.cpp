// The shipped catalogue, texts, maps, lakes, sea points and places, loaded
// through the program's own readers: every exercise must be playable with
// the files its map number and place file number name.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "exercises/Catalogue.h"
#include "data/Languages.h"
#include "data/TextTable.h"
#include "map/Area.h"
#include "map/Karta.h"
#include "map/Ort.h"

using namespace landora;

namespace {

const std::string Dataset = LANDORA_DATASET_DIR;

std::string path(const std::string &name) { return Dataset + "/" + name; }

// Area and place files are read again for each exercise in the program; here
// each is read once and reused.
class Files {
public:
    CAreor &Areas(int map)
    {
        auto &slot = areas_[map];
        if (!slot) {
            slot = std::make_unique<CAreor>();
            slot->LoadFromFile(path("AREA" + std::to_string(map) + ".crp"));
        }
        return *slot;
    }
    COrter &Places(int n)
    {
        auto &slot = places_[n];
        if (!slot) {
            slot = std::make_unique<COrter>();
            slot->LoadFromFile(path("Ort" + std::to_string(n) + ".crp"));
        }
        return *slot;
    }

private:
    std::map<int, std::unique_ptr<CAreor>> areas_;
    std::map<int, std::unique_ptr<COrter>> places_;
};

Files &files()
{
    static Files f;
    return f;
}

COvningar &catalogue()
{
    static COvningar c;
    static bool loaded = false;
    if (!loaded) {
        c.LoadCatalogue(path("Ovning.crp"));
        loaded = true;
    }
    return c;
}

std::string label(const COvning &e) { return "exercise " + std::to_string(e.Number) + " " + e.Titles[2]; }

void expectNinenames(const FixedArray<std::string, LanguageCount> &names, const std::string &what)
{
    for (int l = 1; l <= LanguageCount; ++l)
        EXPECT_FALSE(names[l].empty()) << what << " has no name in language " << l;
}

} // namespace

TEST(AtlasCatalogue, NumbersAreUniqueAndEveryPageHasEveryKind)
{
    std::set<int> numbers;
    std::map<std::string, std::set<std::string>> kinds;
    int count = 0;
    for (COvning *e = catalogue().First(); e; e = e->Next) {
        ++count;
        EXPECT_TRUE(numbers.insert(e->Number).second) << "number " << e->Number << " twice";
        EXPECT_GE(e->Number, 1);
        EXPECT_LE(e->Number, 190);
        kinds[e->Continent].insert(e->Kind);
        for (int l = 1; l <= LanguageCount; ++l)
            EXPECT_FALSE(e->Titles[l].empty()) << label(*e) << " lacks a title in language " << l;
        EXPECT_GE(e->MapNumber, 1);
        EXPECT_LE(e->MapNumber, 6);
        EXPECT_GT(e->KeyCount, 0) << label(*e);
        EXPECT_GE(e->LineWidth, 1) << label(*e);
        if (e->Kind == "FLAGG") {
            EXPECT_NE(e->MapNumber, 6) << label(*e) << ": the flag window loads no areas for map 6";
        }
        if (e->Kind == "ORT" || e->Kind == "AREA") {
            const bool fitted = e->NorthLatitude == 0.0 && e->SouthLatitude == 0.0;
            if (!fitted) {
                EXPECT_GT(e->NorthLatitude, e->SouthLatitude) << label(*e);
                EXPECT_LE(e->NorthLatitude, 90.0);
                EXPECT_GE(e->SouthLatitude, -90.0);
            }
        }
    }
    EXPECT_GE(count, 150);
    for (const char *page : {"EUR", "NOR", "SYD", "ASI", "AFR", "AUS", "*"})
        for (const char *kind : {"AREA", "ORT", "FLAGG", "MULTI"})
            EXPECT_TRUE(kinds[page].count(kind)) << "page " << page << " has no " << kind << " exercise";
    for (const auto &[page, k] : kinds)
        EXPECT_TRUE(page == "EUR" || page == "NOR" || page == "SYD" || page == "ASI" || page == "AFR" || page == "AUS" ||
                    page == "*")
            << "unknown page " << page;
}

TEST(AtlasTexts, EveryInterfaceTextExistsInEveryLanguage)
{
    TextTable texts;
    texts.LoadTexts(path("lang.crp"));
    for (int l = 1; l <= LanguageCount; ++l)
        for (int t = 1; t <= TextCount; ++t)
            EXPECT_FALSE(texts.Text(l, t).empty()) << "text " << t << " language " << l;
}

TEST(AtlasMaps, AreaLakeAndSeaFilesLoadWithinTheirCapacities)
{
    for (int map = 1; map <= 6; ++map) {
        CAreor &areas = files().Areas(map);
        EXPECT_GT(areas.Count, 50) << "map " << map;
        for (int i = 1; i <= areas.Count; ++i) {
            const CArea &a = *areas.Items[i];
            if (a.PointCount == 0) {
                // A record without vertices carries a divided country's key.
                EXPECT_FALSE(a.Key.empty());
                continue;
            }
            EXPECT_GE(a.PointCount, 3) << a.Key;
            EXPECT_GE(a.North, a.South) << a.Key;
            // The inner point lies inside the polygon it paints.
            EXPECT_TRUE(a.ContainsPoint(a.FillPoint1)) << "map " << map << " area " << a.Key;
        }
    }
    CAreor lakes;
    lakes.LoadFromFile(path("Vatten.crp"));
    EXPECT_GT(lakes.Count, 10);
    for (const char *sea : {"Hav1.crp", "Hav2.crp", "Hav3.crp", "Hav5.crp", "Hav6.crp"}) {
        CKarta map;
        map.LoadSeaPoints(path(sea));
        EXPECT_GT(map.SeaPointCount, 10) << sea;
        EXPECT_LE(map.SeaPointCount, MaxSeaPoints) << sea;
    }
}

TEST(AtlasMaps, SeaPointsLieOnNoLandOfTheMapsTheyServe)
{
    const std::map<std::string, std::vector<int>> served = {
        {"Hav1.crp", {1, 4}}, {"Hav2.crp", {2}}, {"Hav3.crp", {3}}, {"Hav5.crp", {5}}, {"Hav6.crp", {6}}};
    for (const auto &[file, maps] : served) {
        CKarta karta;
        karta.LoadSeaPoints(path(file));
        CAreor lakes;
        lakes.LoadFromFile(path("Vatten.crp"));
        for (int map : maps) {
            CAreor &areas = files().Areas(map);
            for (int s = 1; s <= karta.SeaPointCount; ++s) {
                // A point in a lake paints the lake where the map draws it as an
                // unkeyed area, and nothing where the lakes file covers it.
                bool inLake = false;
                for (int i = 1; i <= areas.Count; ++i)
                    inLake = inLake || (areas.Items[i]->Key.empty() && areas.Items[i]->ContainsPoint(karta.SeaPoints[s]));
                if (map <= 3)
                    for (int i = 1; i <= lakes.Count; ++i)
                        inLake = inLake || lakes.Items[i]->ContainsPoint(karta.SeaPoints[s]);
                if (inLake)
                    continue;
                for (int i = 1; i <= areas.Count; ++i) {
                    const CArea &a = *areas.Items[i];
                    EXPECT_FALSE(a.ContainsPoint(karta.SeaPoints[s]))
                        << file << " point " << s << " lies on " << a.Key << " of map " << map;
                }
            }
        }
    }
}

TEST(AtlasPlaces, WorldPlacesHaveNamesGroupsAndSensiblePositions)
{
    COrter &places = files().Places(1);
    int count = 0, capitals = 0;
    std::set<std::string> pages = {"R-EUR", "R-NOR", "R-SYD", "R-ASI", "R-AFR", "R-AUS"};
    for (COrt *p = places.First; p; p = p->Next) {
        ++count;
        expectNinenames(p->Names, "place " + p->Key);
        EXPECT_FALSE(p->Group1.empty()) << p->Key;
        EXPECT_TRUE(pages.count(p->Group3)) << p->Key << " page " << p->Group3;
        EXPECT_GE(p->Level, 1);
        EXPECT_LE(p->Level, 5);
        EXPECT_LE(std::abs(p->Latitude), 90.0);
        EXPECT_LE(std::abs(p->Longitude), 180.0);
        if (p->Category1) {
            ++capitals;
            EXPECT_EQ(p->Level, 1) << "capital " << p->Names[2];
        }
    }
    EXPECT_GE(count, 2000);
    EXPECT_GE(capitals, 190);
}

// A multiple-choice answer is the last key of the exercise that matches any of
// a place's three groups, so a region key equal to a country's key (North
// America as NOR) would answer for that country.
TEST(AtlasPlaces, RegionKeysAreNoAreaKeyOfAnyMap)
{
    std::set<std::string> areaKeys;
    for (int map = 1; map <= 6; ++map) {
        CAreor &areas = files().Areas(map);
        for (int i = 1; i <= areas.Count; ++i)
            areaKeys.insert(areas.Items[i]->Key);
    }
    std::set<std::string> regions;
    for (COrt *p = files().Places(1).First; p; p = p->Next)
        regions.insert(p->Group3);
    for (const std::string &region : regions)
        EXPECT_FALSE(areaKeys.count(region)) << "region key " << region << " is also an area key";
}

TEST(AtlasExercises, EveryKeyResolvesOnTheExercisesOwnMap)
{
    for (COvning *e = catalogue().First(); e; e = e->Next) {
        CAreor &areas = files().Areas(e->MapNumber);
        COrter &places = files().Places(e->PlaceFileNumber);
        SCOPED_TRACE(label(*e));
        if (e->Kind == "AREA") {
            areas.ClearMarks();
            for (int k = 1; k <= e->KeyCount; ++k) {
                const std::string &key = e->Keys[k];
                const CArea *own = areas.FindByKey(key);
                ASSERT_NE(own, nullptr) << "no area has the own key " << key;
                expectNinenames(own->Names, key);
                areas.MarkActive(key);
                int active = 0;
                for (int i = 1; i <= areas.Count; ++i)
                    active += areas.Items[i]->Active && areas.Items[i]->Matches(key);
                EXPECT_GT(active, 0) << key << " puts no polygon in play";
            }
        } else if (e->Kind == "ORT" || e->Kind == "MULTI") {
            places.ClearMarks();
            for (int k = 1; k <= e->KeyCount; ++k)
                places.Select(e->Keys[k], e->Level, e->NeedCategory1, e->NeedCategory2);
            if (e->Kind == "ORT") {
                EXPECT_GE(places.SelectedCount, 1);
                continue;
            }
            // Four different answers in both forms: countries of the keys, and selected places.
            EXPECT_GE(places.SelectedCount, 4);
            std::set<std::string> countryNames, placeNames;
            for (int k = 1; k <= e->KeyCount; ++k) {
                const CArea *a = areas.FindByKey(e->Keys[k]);
                ASSERT_NE(a, nullptr) << "no area has the own key " << e->Keys[k];
                countryNames.insert(a->Names[2]);
            }
            for (COrt *p = places.First; p; p = p->Next) {
                if (!p->Selected)
                    continue;
                placeNames.insert(p->Names[2]);
                std::string key;
                for (int k = 1; k <= e->KeyCount; ++k)
                    if (p->Group1 == e->Keys[k] || p->Group2 == e->Keys[k] || p->Group3 == e->Keys[k])
                        key = e->Keys[k];
                EXPECT_NE(areas.FindByKey(key), nullptr) << p->Names[2] << " has no country to name";
                // The answer is the place's own country or division, never its region.
                EXPECT_TRUE(key == p->Group1 || key == p->Group2)
                    << p->Names[2] << " (" << p->Group1 << ") is answered as " << key;
            }
            EXPECT_GE(countryNames.size(), 4u);
            EXPECT_GE(placeNames.size(), 4u);
        } else if (e->Kind == "FLAGG") {
            for (int k = 1; k <= e->KeyCount; ++k) {
                const CArea *a = areas.FindByKey(e->Keys[k]);
                ASSERT_NE(a, nullptr) << "no area has the own key " << e->Keys[k];
                ASSERT_FALSE(a->FlagFile.empty()) << e->Keys[k];
                QImage flag(QString::fromStdString(path("flags/" + a->FlagFile)));
                EXPECT_FALSE(flag.isNull()) << "flag " << a->FlagFile << " does not load";
            }
        } else {
            ADD_FAILURE() << "unknown kind " << e->Kind;
        }
    }
}
