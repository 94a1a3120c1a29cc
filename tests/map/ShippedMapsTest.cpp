// The shipped data set's acceptance test: every place and area exercise of the
// catalogue is drawn at three map sizes (4:3, wide, and the narrow map of a
// 1280x1024 screen, which shows the least longitude), and a grid of pixels
// away from the outlines is checked against the polygons themselves. Inside an asked area
// the map must show the colour of unanswered areas, inside any other area the
// land colour, inside a lake the lake colour (the sea colour for a lake drawn
// as an area), and outside every polygon the sea colour. What goes wrong here is a fill point or sea point of the data
// that misses its region, or an outline that leaks.
//
// Tolerance: up to 1 % of the checked pixels of one drawing may differ (tiny
// islands and slivers narrower than the outline spacing); every mismatch
// beyond that fails and is listed with the exercise, the position and the
// polygon it lies in.
#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "exercises/Catalogue.h"
#include "exercises/Ovning.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "exercises/MapSetup.h"
#include "data/Services.h"

using namespace landora;

namespace {

const std::string DataDir = LANDORA_DATASET_DIR;
constexpr double Tolerance = 0.01;
constexpr int Step = 9;   // pixels between samples
constexpr int Clear = 3;  // no outline pixel within this many pixels of a sample

// A polygon as the map draws it: its vertices in pixels, joined by straight
// lines on the image (long edges bend away from the geographic ones, so the
// check follows the image, not the degrees).
struct PixelPolygon {
    const CArea *Area = nullptr;
    std::vector<std::pair<double, double>> Points; // x, y
    double Left = 0, Right = 0, Top = 0, Bottom = 0;

    bool Contains(double x, double y) const
    {
        if (x < Left || x > Right || y < Top || y > Bottom)
            return false;
        bool inside = false;
        const std::size_t n = Points.size();
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const auto [xi, yi] = Points[i];
            const auto [xj, yj] = Points[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                inside = !inside;
        }
        return inside;
    }
};

std::vector<PixelPolygon> Project(const CKarta &map, const CAreor &list)
{
    std::vector<PixelPolygon> out;
    for (int i = 1; i <= list.Count; ++i) {
        const CArea &a = *list.Items[i];
        // A marker the exercise does not ask is not drawn: the sea or the
        // area around it shows there.
        if (a.PointCount <= 0 || !a.Drawn())
            continue;
        PixelPolygon p;
        p.Area = &a;
        p.Left = p.Top = 1e18;
        p.Right = p.Bottom = -1e18;
        for (int k = 1; k <= a.PointCount; ++k) {
            const double x = map.PositionToX(a.Points[k].Latitude, a.Points[k].Longitude);
            const double y = map.LatitudeToY(a.Points[k].Latitude);
            p.Points.emplace_back(x, y);
            p.Left = std::min(p.Left, x);
            p.Right = std::max(p.Right, x);
            p.Top = std::min(p.Top, y);
            p.Bottom = std::max(p.Bottom, y);
        }
        out.push_back(std::move(p));
    }
    return out;
}

// The polygon under a pixel, the one with the smallest northern bound (an
// enclave before the area around it); nullptr outside all.
const CArea *PolygonAt(const std::vector<PixelPolygon> &polygons, int x, int y)
{
    const CArea *found = nullptr;
    for (const PixelPolygon &p : polygons)
        if (p.Contains(x, y) && (found == nullptr || found->North > p.Area->North))
            found = p.Area;
    return found;
}

std::string Hex(Colour c)
{
    std::ostringstream s;
    s << "0x" << std::hex << c;
    return s.str();
}

struct Outcome {
    int checked = 0;
    std::vector<std::string> mismatches;
};

Outcome CheckExercise(COvning &exercise, int width, int height)
{
    Outcome out;
    Canvas canvas(width, height);
    auto map = LoadMapForExercise(exercise, DataDir);
    // The run starts as the map window starts it, and its drawing stops after
    // the layers that the data decides: background, outlines, lakes, sea and,
    // on an area map, the areas. The grid and the place markers come after
    // every fill and change none of them.
    const int layers = IsPlaceExercise(exercise) ? 4 : 5;
    int steps = 0;
    MapImageRun run(exercise, *map, canvas, ExerciseContext{});
    run.Start([&] { return ++steps < layers; });
    EXPECT_EQ(steps, layers) << "exercise " << exercise.Number << ": the drawing has fewer steps";

    const std::vector<PixelPolygon> areas = Project(*map, *map->Areas);
    const std::vector<PixelPolygon> lakes = Project(*map, *map->Waters);
    std::vector<PixelPolygon> lakeAreas;
    for (const PixelPolygon &p : areas)
        if (p.Area->Key.empty())
            lakeAreas.push_back(p);
    const Colour asked = IsPlaceExercise(exercise) ? map->LandColour : map->AreaColour;
    // Beyond the box of the map's land (a map's cut edge) the data holds
    // nothing, and the map may show land or sea there.
    double boxN = -90, boxS = 90, boxE = -1e9, boxW = 1e9;
    for (const PixelPolygon &p : areas) {
        boxN = std::max(boxN, p.Area->North);
        boxS = std::min(boxS, p.Area->South);
        boxE = std::max(boxE, p.Area->East);
        boxW = std::min(boxW, p.Area->West);
    }

    auto nearOutline = [&](int x, int y) {
        for (int dy = -Clear; dy <= Clear; ++dy)
            for (int dx = -Clear; dx <= Clear; ++dx) {
                const Colour c = canvas.GetPixel(x + dx, y + dy);
                if (c == 0 || c == InvalidColour)
                    return true;
            }
        return false;
    };
    for (int y = 8; y < height - 8; y += Step) {
        for (int x = 8; x < width - 8; x += Step) {
            if (nearOutline(x, y))
                continue;
            const GeoPoint p{map->YToLatitude(y), map->PointToLongitude(y, x)};
            const CArea *lake = PolygonAt(lakes, x, y);
            if (p.Latitude > boxN || p.Latitude < boxS || p.Longitude > boxE || p.Longitude < boxW)
                continue;
            const CArea *area = PolygonAt(areas, x, y);
            Colour expected;
            std::string what;
            const CArea *lakeArea = PolygonAt(lakeAreas, x, y);
            if (lake != nullptr) {
                expected = map->WaterColour;
                what = "lake " + lake->Key;
            } else if (lakeArea != nullptr) {
                // A lake drawn as an area is painted from a sea point, also
                // where a country's polygon covers its part of the water.
                expected = map->SeaColour;
                what = "a lake drawn as an area";
            } else if (area != nullptr) {
                expected = area->Active ? asked : map->LandColour;
                what = (area->Active ? "asked area " : "area ") + area->Key;
            } else {
                expected = map->SeaColour;
                what = "the sea";
            }
            ++out.checked;
            const Colour got = canvas.GetPixel(x, y);
            if (got != expected) {
                std::ostringstream s;
                s << "exercise " << exercise.Number << " (" << exercise.Title(2) << ") at " << width << "x" << height
                  << ": pixel " << x << "," << y << " (lat " << p.Latitude << ", lon " << p.Longitude << ") in "
                  << what << " shows " << Hex(got) << ", expected " << Hex(expected);
                out.mismatches.push_back(s.str());
            }
        }
    }
    return out;
}

// Grey pieces a player would see: a piece of the land colour (4-connected)
// that lies mostly (four fifths) outside every polygon or in a lake (sea left unpainted) of
// SeaLimit pixels or more, or mostly in one asked area (a piece of it left
// unpainted) of AreaLimit pixels or more. Pieces inside areas the exercise
// does not ask are the land they should be.
constexpr int SeaLimit = 50;
constexpr int AreaLimit = 20;
constexpr int Samples = 400; // pixels of a piece looked up in the polygons

// Pieces the atlas build cannot reach at every size, known and no larger
// than this: water cut off between borders or in a fjord whose sea point
// would lie on land at another size, and a sliver of Mongolia's border.
struct KnownPiece {
    double Latitude, Longitude;
    std::size_t MaxPixels;
};
constexpr KnownPiece Known[] = {
    {1.5, 30.6, 110},   // Lake Albert between the borders of Uganda and Congo (2556x1380)
    {-4.4, 29.5, 110},  // Lake Tanganyika between Congo, Burundi and Tanzania
    {-6.0, 12.8, 65},   // the mouth of the Congo
    {61.1, 35.2, 75},   // Lake Onega (the Nordic countries at 2556x1380)
    {61.2, 6.8, 75},    // the Sognefjord (Eastern Europe at 2556x1380)
    {67.8, 29.8, 65},   // lakes on the Finnish-Russian border (Norway's map)
    {63.5, 30.4, 65},
    {44.8, 113.0, 30},  // Mongolia's border with China (East Asia at 2556x1380)
};

std::vector<std::string> GreyPieces(COvning &exercise, int width, int height)
{
    Canvas canvas(width, height);
    auto map = LoadMapForExercise(exercise, DataDir);
    const bool place = IsPlaceExercise(exercise);
    int steps = 0;
    MapImageRun run(exercise, *map, canvas, ExerciseContext{});
    run.Start([&] { return ++steps < (place ? 4 : 5); });
    const std::vector<PixelPolygon> areas = Project(*map, *map->Areas);
    const std::vector<PixelPolygon> lakes = Project(*map, *map->Waters);
    std::vector<PixelPolygon> lakeAreas;
    for (const PixelPolygon &p : areas)
        if (p.Area->Key.empty())
            lakeAreas.push_back(p);

    // The box of the map's land: beyond it (a map's cut edge, as map 4's at
    // 100 degrees east through China) lies land the map does not hold.
    double boxN = -90, boxS = 90, boxE = -1e9, boxW = 1e9;
    for (int i = 1; i <= map->Areas->Count; ++i) {
        const CArea &a = *map->Areas->Items[i];
        if (a.PointCount > 0) {
            boxN = std::max(boxN, a.North);
            boxS = std::min(boxS, a.South);
            boxE = std::max(boxE, a.East);
            boxW = std::min(boxW, a.West);
        }
    }

    std::vector<std::string> out;
    const int frame = 6;
    std::vector<char> seen(static_cast<std::size_t>(width) * height, 0);
    std::vector<int> stack, piece;
    for (int y0 = frame; y0 < height - frame; ++y0)
        for (int x0 = frame; x0 < width - frame; ++x0) {
            const int start = y0 * width + x0;
            if (seen[start] || canvas.GetPixel(x0, y0) != map->LandColour)
                continue;
            piece.clear();
            stack.push_back(start);
            seen[start] = 1;
            while (!stack.empty()) {
                const int q = stack.back();
                stack.pop_back();
                piece.push_back(q);
                const int qx = q % width, qy = q / width;
                for (const auto &[nx, ny] : {std::pair{qx + 1, qy}, {qx - 1, qy}, {qx, qy + 1}, {qx, qy - 1}}) {
                    if (nx < frame || ny < frame || nx >= width - frame || ny >= height - frame)
                        continue;
                    const int r = ny * width + nx;
                    if (!seen[r] && canvas.GetPixel(nx, ny) == map->LandColour) {
                        seen[r] = 1;
                        stack.push_back(r);
                    }
                }
            }
            if (static_cast<int>(piece.size()) < AreaLimit)
                continue;
            // Look up an even sample of the piece's pixels.
            const std::size_t stride = std::max<std::size_t>(1, piece.size() / Samples);
            int looked = 0, sea = 0, asked = 0, outside = 0;
            for (std::size_t k = 0; k < piece.size(); k += stride) {
                const int x = piece[k] % width, y = piece[k] / width;
                ++looked;
                const CArea *area = PolygonAt(areas, x, y);
                // Land by the degrees too: beyond the straight line that draws
                // a map's cut edge (a meridian, curved on the image) lies land
                // (Greenland west of map 2's edge).
                const GeoPoint at{map->YToLatitude(y), map->PointToLongitude(y, x)};
                if (at.Latitude > boxN || at.Latitude < boxS || at.Longitude > boxE || at.Longitude < boxW) {
                    ++outside; // counts neither way
                    --looked;
                    continue;
                }
                bool land = false;
                for (int i = 1; i <= map->Areas->Count && area == nullptr && !land; ++i) {
                    const CArea &a = *map->Areas->Items[i];
                    land = a.Drawn() && !a.Key.empty() && at.Latitude <= a.North && at.Latitude >= a.South &&
                           a.ContainsPoint(at);
                }
                if ((area == nullptr && !land) || PolygonAt(lakes, x, y) != nullptr ||
                    PolygonAt(lakeAreas, x, y) != nullptr)
                    ++sea;
                else if (!place && area != nullptr && area->Active)
                    ++asked;
            }
            const char *what = nullptr;
            // Sea: mostly outside the land, as the atlas's drawing check
            // counts it (a piece of land beyond the map's box is land).
            if (looked > 0 && sea * 10 >= looked * 8 && static_cast<int>(piece.size()) - outside * static_cast<int>(stride) >= SeaLimit)
                what = "sea";
            else if (looked > 0 && asked * 2 >= looked)
                what = "asked area";
            if (what == nullptr)
                continue;
            const int x = piece[piece.size() / 2] % width, y = piece[piece.size() / 2] / width;
            const double lat = map->YToLatitude(y), lon = map->PointToLongitude(y, x);
            if (std::any_of(std::begin(Known), std::end(Known), [&](const KnownPiece &k) {
                    return std::abs(k.Latitude - lat) < 0.4 && std::abs(k.Longitude - lon) < 0.4 &&
                           piece.size() <= k.MaxPixels;
                }))
                continue;
            std::ostringstream s;
            s << "exercise " << exercise.Number << " (" << exercise.Title(2) << ") at " << width << "x" << height
              << ": a grey piece of " << what << ", " << piece.size() << " pixels, at " << x << "," << y << " (lat "
              << map->YToLatitude(y) << ", lon " << map->PointToLongitude(y, x) << ")";
            out.push_back(s.str());
        }
    return out;
}

} // namespace

// No grey piece a player would see, at the four sizes the views are made for.
TEST(ShippedMaps, NoGreyPieceOfSeaOrOfAnAskedArea)
{
    if (!QFile::exists(QString::fromStdString(DataDir + "/Ovning.crp")))
        GTEST_SKIP() << "no data set in " << DataDir;
    COvningar catalogue;
    catalogue.LoadCatalogue(DataDir + "/Ovning.crp");
    std::vector<std::string> found;
    std::vector<std::pair<int, int>> sizes { {1020, 700}, {1362, 700}, {1916, 1000}, {2556, 1380} };
#ifdef LANDORA_SANITIZE
    // Under the sanitizers the same drawing and piece search run at the
    // smallest size only; the optimised build checks all four.
    sizes.resize(1);
#endif
    for (COvning *e = catalogue.First(); e != nullptr; e = e->Next) {
        if (e->Kind != "AREA" && e->Kind != "ORT")
            continue;
        for (const auto &[w, h] : sizes)
            for (std::string &line : GreyPieces(*e, w, h))
                found.push_back(std::move(line));
    }
    std::ostringstream s;
    for (std::size_t i = 0; i < std::min<std::size_t>(found.size(), 1000); ++i)
        s << "  " << found[i] << "\n";
    EXPECT_TRUE(found.empty()) << found.size() << " grey pieces:\n" << s.str();
}

TEST(ShippedMaps, EveryMapExerciseDrawsItsLayersRight)
{
    if (!QFile::exists(QString::fromStdString(DataDir + "/Ovning.crp")))
        GTEST_SKIP() << "no data set in " << DataDir;
    COvningar catalogue;
    catalogue.LoadCatalogue(DataDir + "/Ovning.crp");
    int exercises = 0;
    for (COvning *e = catalogue.First(); e != nullptr; e = e->Next) {
        if (e->Kind != "AREA" && e->Kind != "ORT")
            continue;
        ++exercises;
        for (const auto &[w, h] : {std::pair{1024, 700}, std::pair{1920, 1000}, std::pair{1276, 986}}) {
            const Outcome o = CheckExercise(*e, w, h);
            EXPECT_GT(o.checked, 100) << "exercise " << e->Number << " at " << w << "x" << h << " has no open pixels";
            const auto allowed = static_cast<std::size_t>(Tolerance * o.checked);
            if (o.mismatches.size() > allowed) {
                std::ostringstream s;
                s << "exercise " << e->Number << " at " << w << "x" << h << ": " << o.mismatches.size() << " of "
                  << o.checked << " pixels wrong (at most " << allowed
                  << " allowed):\n";
                for (std::size_t i = 0; i < std::min<std::size_t>(o.mismatches.size(), 25); ++i)
                    s << "  " << o.mismatches[i] << "\n";
                ADD_FAILURE() << s.str();
            }
        }
    }
    EXPECT_GT(exercises, 0);
}
