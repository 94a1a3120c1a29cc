// The shipped catalogue, texts, maps, lakes, sea points and places, loaded
// through the program's own readers: every exercise must be playable with
// the files its map number and place file number name.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "exercises/Catalogue.h"
#include "data/Cp1252.h"
#include "data/Languages.h"
#include "data/TextTable.h"
#include "map/Area.h"
#include "map/Canvas.h"
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
                // Only the world's view reaches below the pole, so that a 4:3
                // map shows its whole width; its rows there are open sea.
                EXPECT_GE(e->SouthLatitude, e->Continent == "*" ? -180.0 : -90.0) << label(*e);
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

// A marker disc (a regular polygon around its fill point, standing for an
// area too small to click) that no neighbour's border touches is flagged to
// be drawn only where an exercise asks it, so that it never sits grey in open
// sea; a disc whose neighbours run along its edge is not (their borders draw
// it anyway), and nothing but a disc is flagged.
TEST(AtlasMaps, ADiscNoNeighbourTouchesIsDrawnOnlyWhereAsked)
{
    auto isDisc = [](const CArea &a) {
        if (a.PointCount < 12)
            return false;
        const double lat = a.FillPoint1.Latitude, lon = a.FillPoint1.Longitude;
        const double xs = std::max(std::cos(lat * M_PI / 180.0), 0.2);
        double lo = 1e9, hi = 0;
        for (int k = 1; k <= a.PointCount; ++k) {
            const double d = std::hypot((a.Points[k].Longitude - lon) * xs, a.Points[k].Latitude - lat);
            lo = std::min(lo, d);
            hi = std::max(hi, d);
        }
        return lo > 0.955 * hi - 0.0003;
    };
    int flagged = 0;
    for (int map = 2; map <= 6; ++map) {
        const CAreor &areas = files().Areas(map);
        for (int i = 1; i <= areas.Count; ++i) {
            const CArea &a = *areas.Items[i];
            if (a.PointCount == 0)
                continue;
            const bool disc = isDisc(a);
            if (!disc) {
                EXPECT_FALSE(a.Marker) << "map " << map << " area " << a.Key << " is flagged but no disc";
                continue;
            }
            const double m = 0.001;
            bool touched = false;
            for (int j = 1; j <= areas.Count && !touched; ++j) {
                const CArea &o = *areas.Items[j];
                if (j == i || o.Key.empty() || o.North < a.South - m || o.South > a.North + m)
                    continue;
                for (int k = 1; k <= o.PointCount && !touched; ++k)
                    touched = o.Points[k].Latitude >= a.South - m && o.Points[k].Latitude <= a.North + m &&
                              o.Points[k].Longitude >= a.West - m && o.Points[k].Longitude <= a.East + m;
            }
            EXPECT_EQ(a.Marker, !touched) << "map " << map << " disc " << a.Key
                                          << (touched ? " runs along its neighbours and is flagged"
                                                      : " stands alone and would be drawn where nothing asks it");
            flagged += a.Marker ? 1 : 0;
        }
    }
    EXPECT_GT(flagged, 0);
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
        // A place past the date line is stored once more for the Pacific map,
        // with no region so that the world's exercises never ask it twice.
        const bool pacificCopy = p->Key.back() == '+';
        EXPECT_TRUE(pacificCopy ? p->Group3.empty() && p->Longitude > 180 : pages.count(p->Group3) > 0)
            << p->Key << " page " << p->Group3;
        EXPECT_GE(p->Level, 1);
        EXPECT_LE(p->Level, 5);
        EXPECT_LE(std::abs(p->Latitude), 90.0);
        EXPECT_LE(std::abs(p->Longitude), pacificCopy ? 260.0 : 180.0);
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
        if (!p->Group3.empty()) // a place stored again past the date line has no region
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

namespace {

// The map image sizes the catalogue's views are made for: a 4:3 window's map,
// a wide one, a large and a very large screen's.
const std::vector<std::pair<int, int>> CheckSizes = {{1020, 700}, {1362, 700}, {1916, 1000}, {2556, 1380}};
constexpr int Frame = 6; // the map's frame and the pixel beside it

// A map set to an exercise's view at one image size, converting with the
// program's own projection.
struct ViewAt {
    Canvas canvas;
    CKarta map;
    ViewAt(const COvning &e, int w, int h) : canvas(w, h)
    {
        map.Image = &canvas;
        map.CentreLongitude = static_cast<float>(e.CentreLongitude);
        map.NorthLatitude = static_cast<float>(e.NorthLatitude);
        map.SouthLatitude = static_cast<float>(e.SouthLatitude);
        map.ComputeScale();
    }
    bool InFrame(double x, double y) const
    {
        return x >= Frame && x < canvas.Width() - Frame && y >= Frame && y < canvas.Height() - Frame;
    }
    std::pair<double, double> Pixel(const GeoPoint &p) const
    {
        return {map.PositionToX(p.Latitude, p.Longitude), map.LatitudeToY(p.Latitude)};
    }
    // Square pixels of a polygon inside the frame, and of the whole polygon.
    std::pair<double, double> Pixels(const CArea &a) const
    {
        std::vector<std::pair<double, double>> poly;
        for (int k = 1; k <= a.PointCount; ++k)
            poly.push_back(Pixel(a.Points[k]));
        const double whole = Shoelace(poly);
        const double x0 = Frame, x1 = canvas.Width() - Frame, y0 = Frame, y1 = canvas.Height() - Frame;
        Clip(poly, [&](auto p) { return p.first >= x0; }, [&](auto a1, auto b1) { return At(a1, b1, (x0 - a1.first) / (b1.first - a1.first)); });
        Clip(poly, [&](auto p) { return p.first <= x1; }, [&](auto a1, auto b1) { return At(a1, b1, (x1 - a1.first) / (b1.first - a1.first)); });
        Clip(poly, [&](auto p) { return p.second >= y0; }, [&](auto a1, auto b1) { return At(a1, b1, (y0 - a1.second) / (b1.second - a1.second)); });
        Clip(poly, [&](auto p) { return p.second <= y1; }, [&](auto a1, auto b1) { return At(a1, b1, (y1 - a1.second) / (b1.second - a1.second)); });
        return {Shoelace(poly), whole};
    }

private:
    using Pt = std::pair<double, double>;
    static Pt At(Pt a, Pt b, double t) { return {a.first + (b.first - a.first) * t, a.second + (b.second - a.second) * t}; }
    static double Shoelace(const std::vector<Pt> &poly)
    {
        double s = 0;
        for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
            s += (poly[j].first + poly[i].first) * (poly[j].second - poly[i].second);
        return poly.size() < 3 ? 0 : std::abs(s) / 2;
    }
    template <class Inside, class Cut> static void Clip(std::vector<Pt> &poly, Inside inside, Cut cut)
    {
        std::vector<Pt> out;
        for (size_t i = 0; i < poly.size(); ++i) {
            const Pt &a = poly[i], &b = poly[(i + 1) % poly.size()];
            if (inside(a))
                out.push_back(a);
            if (inside(a) != inside(b))
                out.push_back(cut(a, b));
        }
        poly.swap(out);
    }
};

std::vector<COrt *> SelectedPlaces(const COvning &e)
{
    COrter &places = files().Places(e.PlaceFileNumber);
    places.ClearMarks();
    for (int k = 1; k <= e.KeyCount; ++k)
        places.Select(e.Keys[k], e.Level, e.NeedCategory1, e.NeedCategory2);
    std::vector<COrt *> out;
    for (COrt *p = places.First; p; p = p->Next)
        if (p->Selected)
            out.push_back(p);
    return out;
}

} // namespace

// What an exercise asks must be on the screen: a place inside the frame, an
// area with at least 30 square pixels (half of it, when smaller) inside it.
TEST(AtlasExercises, AskedPlacesAndAreasAreOnScreenAtTheFourSizes)
{
    for (COvning *e = catalogue().First(); e; e = e->Next) {
        if (e->Kind != "ORT" && e->Kind != "AREA")
            continue;
        const std::vector<COrt *> asked = e->Kind == "ORT" ? SelectedPlaces(*e) : std::vector<COrt *>{};
        CAreor &areas = files().Areas(e->MapNumber);
        for (const auto &[w, h] : CheckSizes) {
            const ViewAt view(*e, w, h);
            const std::string where = label(*e) + " at " + std::to_string(w) + "x" + std::to_string(h);
            for (const COrt *p : asked) {
                const auto [x, y] = view.Pixel({static_cast<float>(p->Latitude), static_cast<float>(p->Longitude)});
                EXPECT_TRUE(view.InFrame(x, y)) << where << ": " << p->Names[2] << " is off the screen";
            }
            if (e->Kind != "AREA")
                continue;
            for (int k = 1; k <= e->KeyCount; ++k) {
                double seen = 0, whole = 0;
                for (int i = 1; i <= areas.Count; ++i)
                    if (areas.Items[i]->PointCount > 0 && areas.Items[i]->Matches(e->Keys[k])) {
                        const auto [in, all] = view.Pixels(*areas.Items[i]);
                        seen += in;
                        whole += all;
                    }
                EXPECT_TRUE(seen > 0 && seen >= std::min(30.0, whole / 2))
                    << where << ": " << e->Keys[k] << " shows " << seen << " of " << whole << " square pixels";
            }
        }
    }
}

// The program judges a click by the nearest asked place, and a click lands
// within about 3 pixels of where the player aims: two asked places closer
// than 8 pixels at any size cannot be told apart (Vatican City beside Rome,
// Brazzaville across the river from Kinshasa). The atlas README gives the
// limit's reasons.
TEST(AtlasExercises, AskedPlacesOfAnExerciseLieApartAtTheFourSizes)
{
    constexpr double Apart = 8.0;
    for (COvning *e = catalogue().First(); e; e = e->Next) {
        if (e->Kind != "ORT")
            continue;
        const std::vector<COrt *> asked = SelectedPlaces(*e);
        for (const auto &[w, h] : CheckSizes) {
            const ViewAt view(*e, w, h);
            std::vector<std::pair<double, double>> at;
            for (const COrt *p : asked)
                at.push_back(view.Pixel({static_cast<float>(p->Latitude), static_cast<float>(p->Longitude)}));
            for (size_t i = 0; i < asked.size(); ++i)
                for (size_t j = i + 1; j < asked.size(); ++j) {
                    const double d = std::hypot(at[i].first - at[j].first, at[i].second - at[j].second);
                    EXPECT_GE(d, Apart) << label(*e) << " at " << w << "x" << h << ": " << asked[i]->Names[2]
                                        << " and " << asked[j]->Names[2] << " lie " << d << " pixels apart";
                }
        }
    }
}

// Every country and territory of the world map is asked on the world page,
// by its key or through the places of it that an exercise selects. Heard and
// McDonald Islands and the U.S. Pacific islands alone cannot be: uninhabited
// (no capital), flying their sovereign's flag (a picture is asked for the
// largest country that flies it) and too small to click on the world map
// (README, exercises).
TEST(AtlasExercises, EveryCountryOfTheWorldMapIsAskedOnTheWorldPage)
{
    const std::set<std::string> notAskable = {"HMD", "UMI"};
    std::set<std::string> asked;
    std::vector<std::string> keys;
    for (COvning *e = catalogue().First(); e; e = e->Next) {
        if (e->Continent != "*")
            continue;
        for (int k = 1; k <= e->KeyCount; ++k)
            keys.push_back(e->Keys[k]);
        if (e->Kind == "ORT" || e->Kind == "MULTI")
            for (const COrt *p : SelectedPlaces(*e))
                asked.insert(p->Group1);
    }
    CAreor &world = files().Areas(1);
    for (int i = 1; i <= world.Count; ++i) {
        const CArea &a = *world.Items[i];
        if (a.Key.empty() || a.PointCount == 0 || a.Key.find('.') != std::string::npos)
            continue;
        const bool byKey = std::any_of(keys.begin(), keys.end(), [&](const std::string &k) { return a.Matches(k); });
        EXPECT_TRUE(byKey || asked.count(a.Key) || notAskable.count(a.Key))
            << a.Key << " (" << a.Names[2] << ") is asked by no world exercise";
    }
}

// A flag exercise counts a flag that looks like the right one as wrong.
TEST(AtlasExercises, NoFlagExerciseShowsTwoFlagsThatLookAlike)
{
    std::map<std::string, QImage> pictures;
    for (COvning *e = catalogue().First(); e; e = e->Next) {
        if (e->Kind != "FLAGG")
            continue;
        CAreor &areas = files().Areas(e->MapNumber);
        std::vector<std::pair<std::string, const QImage *>> shown;
        for (int k = 1; k <= e->KeyCount; ++k) {
            const CArea *a = areas.FindByKey(e->Keys[k]);
            ASSERT_NE(a, nullptr) << label(*e) << ": " << e->Keys[k];
            auto [it, fresh] = pictures.try_emplace(a->FlagFile);
            if (fresh)
                it->second.load(QString::fromStdString(path("flags/" + a->FlagFile)));
            for (const auto &[other, picture] : shown)
                EXPECT_FALSE(*picture == it->second) << label(*e) << ": " << other << " and " << e->Keys[k] << " look alike";
            shown.emplace_back(e->Keys[k], &it->second);
        }
    }
}

// Two exercises that ask exactly the same under two titles.
TEST(AtlasExercises, EachExerciseAsksWhatNoOtherOneAsks)
{
    std::map<std::string, std::string> seen;
    for (COvning *e = catalogue().First(); e; e = e->Next) {
        std::vector<std::string> items;
        if (e->Kind == "ORT" || e->Kind == "MULTI")
            for (const COrt *p : SelectedPlaces(*e))
                items.push_back(p->Key);
        else
            for (int k = 1; k <= e->KeyCount; ++k)
                items.push_back(e->Keys[k]);
        std::sort(items.begin(), items.end());
        std::string signature = e->Kind;
        for (const std::string &item : items)
            signature += " " + item;
        auto [it, fresh] = seen.emplace(signature, label(*e));
        EXPECT_TRUE(fresh) << label(*e) << " asks what " << it->second << " asks";
    }
}

namespace {

// Pixel distance from a point to the nearest polygon edge, 0 inside one.
double DistanceToPolygons(const ViewAt &view, std::pair<double, double> pt, const std::vector<const CArea *> &polys)
{
    double best = 1e18;
    for (const CArea *a : polys) {
        bool inside = false;
        auto prev = view.Pixel(a->Points[a->PointCount]);
        for (int k = 1; k <= a->PointCount; ++k) {
            const auto cur = view.Pixel(a->Points[k]);
            if ((cur.second > pt.second) != (prev.second > pt.second) &&
                pt.first < (prev.first - cur.first) * (pt.second - cur.second) / (prev.second - cur.second) + cur.first)
                inside = !inside;
            const double dx = prev.first - cur.first, dy = prev.second - cur.second, len = dx * dx + dy * dy;
            const double t =
                len > 0 ? std::clamp(((pt.first - cur.first) * dx + (pt.second - cur.second) * dy) / len, 0.0, 1.0) : 0.0;
            best = std::min(best, std::hypot(pt.first - cur.first - t * dx, pt.second - cur.second - t * dy));
            prev = cur;
        }
        if (inside)
            return 0;
    }
    return best;
}

} // namespace

// A place drawn beside another country, or in open sea away from its own
// island, teaches the wrong map.
TEST(AtlasExercises, AskedPlacesLieOnTheirOwnCountryAtTheFourSizes)
{
    constexpr double Near = 4.0;
    for (COvning *e = catalogue().First(); e; e = e->Next) {
        if (e->Kind != "ORT")
            continue;
        CAreor &areas = files().Areas(e->MapNumber);
        const std::vector<COrt *> asked = SelectedPlaces(*e);
        for (const auto &[w, h] : CheckSizes) {
            const ViewAt view(*e, w, h);
            for (const COrt *p : asked) {
                // A place stored again past the date line names its country with a "+".
                std::string country = p->Group1;
                if (!country.empty() && country.back() == '+')
                    country.pop_back();
                std::vector<const CArea *> own;
                for (int i = 1; i <= areas.Count; ++i)
                    if (areas.Items[i]->PointCount > 0 && areas.Items[i]->Matches(country))
                        own.push_back(areas.Items[i].get());
                const double d = DistanceToPolygons(
                    view, view.Pixel({static_cast<float>(p->Latitude), static_cast<float>(p->Longitude)}), own);
                EXPECT_LE(d, Near) << label(*e) << " at " << w << "x" << h << ": " << p->Names[2] << " lies " << d
                                   << " pixels from " << p->Group1;
            }
        }
    }
}

// Every country of the world map has its capital, but the territories with
// no permanent civilian population (README, border policy).
TEST(AtlasPlaces, EveryCountryOfTheWorldMapHasItsCapital)
{
    const std::set<std::string> uninhabited = {"HMD", "UMI", "IOT", "ATF", "SGS"};
    std::set<std::string> withCapital;
    for (COrt *p = files().Places(1).First; p; p = p->Next)
        if (p->Category1)
            withCapital.insert(p->Group1);
    CAreor &world = files().Areas(1);
    for (int i = 1; i <= world.Count; ++i) {
        const CArea &a = *world.Items[i];
        if (a.Key.empty() || a.PointCount == 0 || !a.Group1.empty() || a.Key.find('.') != std::string::npos)
            continue;
        EXPECT_TRUE(withCapital.count(a.Key) || uninhabited.count(a.Key)) << a.Key << " (" << a.Names[2] << ") has no capital";
    }
}

// Every national capital is asked by some place exercise (the Vatican's and
// Western Sahara's too, the small territories' on their own islands); a
// place past the date line counts through its copy there.
TEST(AtlasPlaces, EveryCapitalIsAskedByAPlaceExercise)
{
    std::set<std::string> asked;
    for (COvning *e = catalogue().First(); e; e = e->Next) {
        if (e->Kind != "ORT")
            continue;
        for (const COrt *p : SelectedPlaces(*e))
            asked.insert(p->Key.back() == '+' ? p->Key.substr(0, p->Key.size() - 1) : p->Key);
    }
    for (COrt *p = files().Places(1).First; p; p = p->Next) {
        if (!p->Category1 || p->Key.back() == '+')
            continue;
        EXPECT_TRUE(asked.count(p->Key)) << p->Names[2] << " (" << p->Group1 << ") is asked by no place exercise";
    }
}

// Names changed in the last decade, which an atlas of 2026 no longer prints
// (deliberately kept: Kiev in Spanish, Italian and Portuguese, and the
// English Turkey, as those languages' atlases still print them).
TEST(AtlasPlaces, NoPlaceOrDivisionCarriesAFormerName)
{
    const std::set<std::string> former = {"Nur-Sultan", "Gurgaon", "Dnipropetrovsk", "Kirovohrad", "Allahabad",
                                          "Allahābād", "Viken", "Hordaland", "Oppland", "Hedmark", "Aust-Agder",
                                          "Vest-Agder", "Sør-Trøndelag", "Nord-Trøndelag", "Orissa", "Uttaranchal",
                                          "Swaziland", "Macedonia", "Nour-Soultan", "Noer-Soeltan",
                                          "Dnipropetrovs'k", "Dnjepropetrovsk", "Godthåb", "Mysore", "Mangalore",
                                          "Belgaum", "Gulbarga", "Bellary", "Shimoga", "Hubli", "Ahmadnagar",
                                          "Port Elizabeth", "Puerto Elizabeth"};
    // The files hold Windows-1252 and the list UTF-8: "Sør-Trøndelag" is
    // compared as the player reads it.
    const auto utf8 = [](const std::string &name) { return FromCp1252(name).toStdString(); };
    for (COrt *p = files().Places(1).First; p; p = p->Next)
        for (int l = 1; l <= LanguageCount; ++l)
            EXPECT_FALSE(former.count(utf8(p->Names[l]))) << p->Key << " is named " << utf8(p->Names[l]);
    for (int l : {1, 2, 7}) // Swedish, English, Danish
        for (COrt *p = files().Places(1).First; p; p = p->Next)
            EXPECT_NE(p->Names[l], "Kiev") << "language " << l;
    for (int map = 1; map <= 6; ++map) {
        CAreor &areas = files().Areas(map);
        for (int i = 1; i <= areas.Count; ++i)
            for (int l = 1; l <= LanguageCount; ++l)
                EXPECT_FALSE(former.count(utf8(areas.Items[i]->Names[l])))
                    << "map " << map << " " << areas.Items[i]->Key << " is named " << utf8(areas.Items[i]->Names[l]);
    }
}
