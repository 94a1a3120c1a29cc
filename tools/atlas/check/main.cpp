// atlas-check: draws every place and area exercise of a data set as a run
// starts, through the program's own map code, at several map image sizes,
// and checks what the player would see:
//   - every asked area is painted from its fill points, and no fill runs into
//     a neighbour or the sea;
//   - no lake fill floods the map;
//   - every visible stretch of sea is reached by a sea point, and no sea
//     point paints land.
// It prints one line per finding; lines starting with FILL, LAKEFILL, SEA,
// LAKESEA, DROPSEA or LAKEFLOOD carry a mend the pipeline applies (a second
// fill point, a new sea point, a sea point to drop, a lake fill point that
// floods the map moved), lines starting with LOBE a further fill point for
// a piece of an asked area, lines starting with FAIL are faults. Exit code 1
// when any finding was printed. Last, an IDLESEA line per sea point file
// lists the points that painted nothing at any exercise and size of the run,
// which the pipeline takes out to make room.
//
// Markers (the discs that stand for areas too small to click) must be painted
// whole; the file given with --markers lists them, one "MAP KEY" a line, and
// a MARKER line reports how much of each was painted.
//
// With --grey, a GREY line reports each piece of sea, lake or asked area left
// in the land colour (ReportGrey).
//
// usage: atlas-check DATASET_DIR [--markers FILE] [--grey] [WxH ...]
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "exercises/Catalogue.h"
#include "data/Errors.h"
#include "exercises/Ovning.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "exercises/MapSetup.h"

using namespace landora;

namespace {

constexpr int NoArea = 0;
constexpr int Frame = 6; // the 5-pixel frame and one pixel beside it

// Which polygon of a list covers each pixel centre, by the program's own
// conversion from pixels to degrees and its even-odd rule, one row at a time.
// Where polygons overlap, the one with the smallest northern bound wins, as a
// click would find it.
std::vector<int> CoverPixels(const CKarta &map, const CAreor &list, int W, int H, bool keyed, bool unkeyedOnly = false)
{
    std::vector<int> owner(static_cast<size_t>(W) * H, NoArea);
    std::vector<double> north(static_cast<size_t>(W) * H, 1e9);
    const int half = W / 2;
    for (int y = 0; y < H; ++y) {
        const float lat = map.YToLatitude(y);
        const double lon0 = map.PointToLongitude(y, half);
        const double lon1 = map.PointToLongitude(y, half + 1000);
        const double perPixel = (lon1 - lon0) / 1000.0;
        if (!(perPixel > 0))
            continue;
        for (int i = 1; i <= list.Count; ++i) {
            const CArea &a = *list.Items[i];
            // A marker the exercise does not ask is not drawn: its pixels
            // are the sea's or the neighbour's around it.
            if (a.PointCount == 0 || !a.Drawn() || (keyed && a.Key.empty()) || (unkeyedOnly && !a.Key.empty()) ||
                lat > a.North || lat < a.South)
                continue;
            std::vector<double> xs;
            for (int k = 1, j = a.PointCount; k <= a.PointCount; j = k++) {
                const GeoPoint &A = a.Points[k];
                const GeoPoint &B = a.Points[j];
                if ((lat >= A.Latitude && lat < B.Latitude) || (lat >= B.Latitude && lat < A.Latitude))
                    xs.push_back(A.Longitude + (double(lat) - A.Latitude) * (double(B.Longitude) - A.Longitude) /
                                                   (double(B.Latitude) - A.Latitude));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t m = 0; m + 1 < xs.size(); m += 2) {
                const int x0 = std::max(0, int(std::ceil(half + (xs[m] - lon0) / perPixel)));
                const int x1 = std::min(W - 1, int(std::floor(half + (xs[m + 1] - lon0) / perPixel)));
                for (int x = x0; x <= x1; ++x) {
                    const size_t p = static_cast<size_t>(y) * W + x;
                    if (a.North < north[p]) {
                        north[p] = a.North;
                        owner[p] = i;
                    }
                }
            }
        }
    }
    return owner;
}

struct Component {
    std::vector<int> pixels;
};

// 4-connected components of the pixels for which `in` holds.
template <class Pred>
std::vector<Component> Components(int W, int H, Pred in)
{
    std::vector<char> seen(static_cast<size_t>(W) * H, 0);
    std::vector<Component> out;
    std::vector<int> stack;
    for (int y = Frame; y < H - Frame; ++y)
        for (int x = Frame; x < W - Frame; ++x) {
            const int p = y * W + x;
            if (seen[p] || !in(p))
                continue;
            Component c;
            stack.push_back(p);
            seen[p] = 1;
            while (!stack.empty()) {
                const int q = stack.back();
                stack.pop_back();
                c.pixels.push_back(q);
                const int qx = q % W, qy = q / W;
                const int nb[4][2] = {{qx + 1, qy}, {qx - 1, qy}, {qx, qy + 1}, {qx, qy - 1}};
                for (const auto &n : nb) {
                    if (n[0] < Frame || n[0] >= W - Frame || n[1] < Frame || n[1] >= H - Frame)
                        continue;
                    const int r = n[1] * W + n[0];
                    if (!seen[r] && in(r)) {
                        seen[r] = 1;
                        stack.push_back(r);
                    }
                }
            }
            out.push_back(std::move(c));
        }
    return out;
}

// The pixel of `pixels` that lies deepest inside the set `member` (largest
// square around it wholly in the set), for a new seed point; `depth` gets the
// half side of that square (at most 12).
int DeepestPixel(const std::vector<int> &pixels, int W, const std::vector<char> &member, int *depth = nullptr)
{
    int best = pixels.front(), bestR = -1;
    for (int p : pixels) {
        const int x = p % W, y = p / W;
        int r = 0;
        for (; r < 12; ++r) {
            bool all = true;
            for (int d = -(r + 1); d <= r + 1 && all; ++d) {
                const int pts[4] = {(y - r - 1) * W + x + d, (y + r + 1) * W + x + d, (y + d) * W + x - r - 1,
                                    (y + d) * W + x + r + 1};
                for (int q : pts)
                    if (q < 0 || q >= int(member.size()) || !member[q]) {
                        all = false;
                        break;
                    }
            }
            if (!all)
                break;
        }
        if (r > bestR) {
            bestR = r;
            best = p;
        }
    }
    if (depth != nullptr)
        *depth = bestR;
    return best;
}

// How far (in pixels) a new sea point must lie from any coast, as the
// pipeline's own sea points do at the map's widest view.
constexpr int SeaPointDepth = 3;
// A new sea point keeps this far from the sides of the narrowest view that
// shows its stretch: the 5-pixel frame and the clearance from a coast.
constexpr int ViewMargin = Frame + SeaPointDepth;

// The largest grey piece left: a stretch of sea or lake in the land colour
// (a bay whose mouth the outlines close, water between islands) of this many
// pixels or more gets a sea point, and so does a piece of an asked area
// (LOBE) a fill point. Each sea point file holds 100 points, which the
// smallest pieces would exhaust.
constexpr int GreySeaLimit = 50;
constexpr int GreyPieceLimit = 20;

// Share of a marker's pixels that its fill must paint: only pixels where the
// rounding of its edge differs from a neighbour's may stay unpainted.
constexpr double MarkerPainted = 0.95;

struct Checker {
    std::string folder;
    std::set<std::pair<int, std::string>> markers; // map number, key
    bool reportGrey = false;
    int failures = 0;
    std::set<std::string> printed;
    // Views whose sea and lakes were already checked: the place and area
    // exercises of one region share their view.
    std::set<std::string> seaChecked;
    // Every map image size of this run, for placing new sea points where the
    // narrowest of them still shows them.
    std::vector<std::pair<int, int>> sizes;
    // Per sea point file, whether each point (1-based) painted anything at any
    // exercise and size of this run.
    std::map<std::string, std::vector<char>> seaPainted;

    void Say(const std::string &line)
    {
        if (printed.insert(line).second) {
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
        }
    }
    void Fail(const std::string &line)
    {
        ++failures;
        Say("FAIL " + line);
    }

    void Check(COvning &e, int W, int H)
    {
        const bool area = e.Kind == "AREA";
        auto map = LoadMapForExercise(e, folder);
        Canvas canvas(W, H);
        // The run starts as in the map window; its drawing stops after the
        // first step, and the checks below draw the layers themselves.
        MapImageRun(e, *map, canvas, ExerciseContext{}).Start([] { return false; });
        const std::string where =
            "exercise " + std::to_string(e.Number) + " at " + std::to_string(W) + "x" + std::to_string(H);
        const std::string seaFile = MapFilesFor(e.MapNumber).Sea;
        const std::vector<int> land = CoverPixels(*map, *map->Areas, W, H, true);
        // Lakes drawn as areas, on their own: where a country's polygon also
        // covers its part of a lake (the borders run through the water), the
        // piece is still lake and must get its sea point.
        const std::vector<int> lakeAreas = CoverPixels(*map, *map->Areas, W, H, false, true);
        const std::vector<int> lakes = CoverPixels(*map, *map->Waters, W, H, false);
        auto isLake = [&](int p) { return lakes[p] != NoArea || lakeAreas[p] != NoArea; };
        // Outside every polygon and inside the box of the map's land: sea.
        // Beyond that box (a map's cut edge, as map 4's at 100 degrees east
        // through China) lies land the map does not hold, rightly grey.
        double boxN = -90, boxS = 90, boxE = -1e9, boxW = 1e9;
        for (int i = 1; i <= map->Areas->Count; ++i) {
            const CArea &a = *map->Areas->Items[i];
            if (a.PointCount == 0)
                continue;
            boxN = std::max(boxN, a.North);
            boxS = std::min(boxS, a.South);
            boxE = std::max(boxE, a.East);
            boxW = std::min(boxW, a.West);
        }
        auto beyond = [&, m = map.get()](int p) {
            if (land[p] != NoArea || isLake(p))
                return false;
            const double lat = m->YToLatitude(p / W), lon = m->PointToLongitude(p / W, p % W);
            return lat > boxN || lat < boxS || lon > boxE || lon < boxW;
        };
        auto isSea = [&](int p) { return isLake(p) || (land[p] == NoArea && !beyond(p)); };
        auto colourAt = [&](int p) { return canvas.GetPixel(p % W, p / W); };

        char viewKey[160];
        std::snprintf(viewKey, sizeof viewKey, "%d %.4f %.4f %.4f %d %dx%d", e.MapNumber, map->NorthLatitude,
                      map->SouthLatitude, map->CentreLongitude, e.LineWidth, W, H);
        const bool seaDone = !seaChecked.insert(viewKey).second;
        if (seaDone && !area)
            return;

        map->FillBackground();
        map->DrawOutlines(e.LineWidth);
        map->DrawWaters();
        if (map->Waters->Count > 0 && !seaDone) {
            long water = 0, inside = 0;
            for (int p = 0; p < W * H; ++p) {
                water += colourAt(p) == map->WaterColour;
                inside += lakes[p] != NoArea;
            }
            if (water > 2 * inside + W * H / 500) {
                Fail(where + ": a lake fill floods the map (" + std::to_string(water) + " water pixels)");
                ReportFloodingLake(*map, canvas, e.LineWidth, W, H, lakes, where);
            }
        }
        FloodSeaNoting(*map, canvas, seaFile);
        if (!seaDone)
            CheckSea(e, *map, canvas, W, H, where, seaFile, land, lakes, lakeAreas, isLake, isSea, beyond);
        if (area)
            CheckFills(e, *map, canvas, W, H, where, land, isLake);
        if (reportGrey)
            ReportGrey(e, *map, canvas, W, H, !seaDone, land, isSea, beyond);
    }

    // With --grey: every piece of the land colour that is left where the map
    // should show sea, a lake or an asked area, after the drawing of the run's
    // start, one line "GREY sea|asked map exercise WxH pixels lat lon". Sea
    // pieces once a view (the exercises of a region share it).
    template <class SeaTest, class BeyondTest>
    void ReportGrey(const COvning &e, const CKarta &map, const Canvas &canvas, int W, int H, bool withSea,
                    const std::vector<int> &land, SeaTest isSea, BeyondTest beyond)
    {
        const Colour landColour = map.LandColour;
        for (const Component &c : Components(W, H, [&](int p) { return canvas.GetPixel(p % W, p / W) == landColour; })) {
            int sea = 0, asked = 0, outside = 0;
            for (int p : c.pixels) {
                if (beyond(p))
                    ++outside;
                else if (isSea(p))
                    ++sea;
                else if (land[p] != NoArea && e.Kind == "AREA" && map.Areas->Items[land[p]]->Active)
                    ++asked;
            }
            const int n = int(c.pixels.size()) - outside;
            const char *kind = sea * 2 >= n ? "sea" : asked * 2 >= n ? "asked" : nullptr;
            if (kind == nullptr || (!withSea && sea * 2 >= n))
                continue;
            const int p = c.pixels[c.pixels.size() / 2];
            std::printf("GREY %s %d %d %dx%d %d %.4f %.4f\n", kind, e.MapNumber, e.Number, W, H, n,
                        map.YToLatitude(p / W), map.PointToLongitude(p / W, p % W));
        }
    }

    // After a lake fill flooded the map: draws the lakes again one more at a
    // time to find the first that floods. A lake a pixel or two across has
    // hardly an inside at this size, and its fill point can round onto the
    // land beside its outline; a point on the outline itself fills nothing
    // here and still lies inside the lake at larger sizes. So for each of its
    // fill points that lies outside it, one line "LAKEFLOOD n k lat lon": n
    // the lake record, k the fill point, and the point of the lake farthest from its shore
    // among those that fall on its own outline at this size (no position
    // when there is none). Leaves the drawing as it was.
    void ReportFloodingLake(CKarta &map, const Canvas &canvas, int lineWidth, int W, int H,
                            const std::vector<int> &lakes, const std::string &where)
    {
        auto base = [](const std::string &key) { return key.substr(0, key.find('.')); };
        long inside = 0;
        for (int p = 0; p < W * H; ++p)
            inside += lakes[p] != NoArea;
        const int count = map.Waters->Count;
        const Colour waterColour = map.WaterColour;
        auto drawLakes = [&](int n) {
            map.FillBackground();
            map.DrawOutlines(lineWidth);
            map.Waters->Count = n;
            map.WaterColour = waterColour;
            map.DrawWaters();
        };
        auto waterMask = [&]() {
            std::vector<char> m(static_cast<size_t>(W) * H, 0);
            for (int p = 0; p < W * H; ++p)
                m[p] = canvas.GetPixel(p % W, p / W) == map.WaterColour;
            return m;
        };
        for (int n = 1; n <= count; ++n) {
            drawLakes(n);
            long water = 0;
            for (int p = 0; p < W * H; ++p)
                water += canvas.GetPixel(p % W, p / W) == map.WaterColour;
            if (water <= 2 * inside + W * H / 500)
                continue;
            CArea &lake = *map.Waters->Items[n];
            std::vector<int> bad;
            for (int k = 1; k <= 2; ++k) {
                const GeoPoint &pt = k == 1 ? lake.FillPoint1 : lake.FillPoint2;
                const int x = map.PositionToX(pt.Latitude, pt.Longitude), y = map.LatitudeToY(pt.Latitude);
                if (!map.IsInside(x, y))
                    continue;
                const int owner = lakes[static_cast<size_t>(y) * W + x];
                if (owner == NoArea || base(map.Waters->Items[owner]->Key) != base(lake.Key))
                    bad.push_back(k);
            }
            // The lake's own outline: the water pixels that drawing it (with
            // its fill points off the image) adds to the lakes before it.
            drawLakes(n - 1);
            const std::vector<char> before = waterMask();
            const GeoPoint keep1 = lake.FillPoint1, keep2 = lake.FillPoint2;
            lake.FillPoint1 = lake.FillPoint2 = GeoPoint{90.0f, 0.0f}; // row 0: not inside the image
            drawLakes(n);
            const std::vector<char> after = waterMask();
            lake.FillPoint1 = keep1;
            lake.FillPoint2 = keep2;
            double bestDepth = 0;
            GeoPoint best{};
            // Points of the lake on a fine grid, each taken to its pixel by
            // the program's own rounding.
            float west = 1e9f, east = -1e9f;
            for (int k = 1; k <= lake.PointCount; ++k) {
                west = std::min(west, lake.Points[k].Longitude);
                east = std::max(east, lake.Points[k].Longitude);
            }
            constexpr int Steps = 200;
            for (int a = 0; a <= Steps; ++a)
                for (int b = 0; b <= Steps; ++b) {
                    const float lat = lake.South + (lake.North - lake.South) * float(a) / Steps;
                    const float lon = west + (east - west) * float(b) / Steps;
                    const int x = map.PositionToX(lat, lon), y = map.LatitudeToY(lat);
                    if (!map.IsInside(x, y))
                        continue;
                    const size_t p = static_cast<size_t>(y) * W + x;
                    if (!after[p] || before[p])
                        continue;
                    const double depth = DepthInside(lake, lat, lon);
                    if (depth > bestDepth) {
                        bestDepth = depth;
                        best = GeoPoint{lat, lon};
                    }
                }
            for (int k : bad) {
                char buf[160];
                if (bestDepth > 0)
                    std::snprintf(buf, sizeof buf, "LAKEFLOOD %d %d %.4f %.4f (%s) ", n, k, best.Latitude,
                                  best.Longitude, lake.Key.c_str());
                else
                    std::snprintf(buf, sizeof buf, "LAKEFLOOD %d %d (%s) ", n, k, lake.Key.c_str());
                Say(buf + where);
            }
            break;
        }
        map.Waters->Count = count;
        map.WaterColour = waterColour;
        map.FillBackground();
        map.DrawOutlines(lineWidth);
        map.DrawWaters();
    }

    // How far (in degrees of latitude) a point lies inside an area's outline;
    // 0 outside it.
    static double DepthInside(const CArea &a, double lat, double lon)
    {
        const double xs = std::cos(lat * M_PI / 180.0);
        bool in = false;
        double nearest = 1e9;
        for (int k = 1, j = a.PointCount; k <= a.PointCount; j = k++) {
            const GeoPoint &A = a.Points[k];
            const GeoPoint &B = a.Points[j];
            if ((lat >= A.Latitude) != (lat >= B.Latitude) &&
                lon < A.Longitude + (lat - A.Latitude) * (double(B.Longitude) - A.Longitude) /
                                        (double(B.Latitude) - A.Latitude))
                in = !in;
            const double ax = (A.Longitude - lon) * xs, ay = A.Latitude - lat;
            const double bx = (B.Longitude - lon) * xs, by = B.Latitude - lat;
            const double dx = bx - ax, dy = by - ay, len = dx * dx + dy * dy;
            const double t = len > 0 ? std::clamp(-(ax * dx + ay * dy) / len, 0.0, 1.0) : 0.0;
            nearest = std::min(nearest, std::hypot(ax + t * dx, ay + t * dy));
        }
        return in ? nearest : 0.0;
    }

    // The program's own sea flood, run one point at a time, noting which
    // points paint anything. A point paints exactly when, at its turn, it lies
    // inside the image on a pixel of the land colour; otherwise (already sea,
    // off the view, on an outline or a lake) it changes nothing, and so can be
    // left out without changing this drawing.
    void FloodSeaNoting(CKarta &map, const Canvas &canvas, const std::string &seaFile)
    {
        const int count = map.SeaPointCount;
        std::vector<char> &painted = seaPainted[seaFile];
        if (painted.size() < static_cast<size_t>(count) + 1)
            painted.resize(static_cast<size_t>(count) + 1, 0);
        std::vector<GeoPoint> points;
        for (int s = 1; s <= count; ++s)
            points.push_back(map.SeaPoints[s]);
        map.SeaPointCount = std::min(count, 1);
        for (int s = 1; s <= count; ++s) {
            const GeoPoint &pt = points[static_cast<size_t>(s) - 1];
            const int x = map.PositionToX(pt.Latitude, pt.Longitude), y = map.LatitudeToY(pt.Latitude);
            if (map.IsInside(x, y) && canvas.GetPixel(x, y) == map.LandColour)
                painted[static_cast<size_t>(s)] = 1;
            map.SeaPoints[1] = pt;
            map.FloodSea();
        }
        if (count > 0)
            map.SeaPoints[1] = points.front();
        map.SeaPointCount = count;
    }

    // Sea points that painted nothing at any exercise and size of this run,
    // one line per file: "IDLESEA file n n ...".
    void ReportIdleSeaPoints()
    {
        for (const auto &[file, painted] : seaPainted) {
            std::string line;
            for (size_t s = 1; s < painted.size(); ++s)
                if (!painted[s])
                    line += " " + std::to_string(s);
            if (!line.empty())
                Say("IDLESEA " + file + line);
        }
    }

    // The pixels of a stretch that every size of this run shows, at least
    // ViewMargin pixels inside its sides: a narrower map shows the same
    // latitudes and less longitude, so a sea point placed there serves the
    // stretch at every size. Empty when the view depends on the size (an
    // exercise fitted to its areas).
    std::vector<int> SeenAtEverySize(const COvning &e, const CKarta &map, const std::vector<int> &pixels, int W,
                                     int H) const
    {
        std::vector<int> out;
        if (e.NorthLatitude == 0 && e.SouthLatitude == 0)
            return out;
        std::vector<std::tuple<MapProjection, int, int>> narrower;
        for (const auto &[w, h] : sizes)
            if (double(w) / h < double(W) / H)
                narrower.emplace_back(MapProjection(w, h, map.CentreLongitude, map.NorthLatitude, map.SouthLatitude,
                                                    map.ScaleDivisor),
                                      w, h);
        for (int p : pixels) {
            const int x = p % W, y = p / W;
            if (x < ViewMargin || y < ViewMargin || x >= W - ViewMargin || y >= H - ViewMargin)
                continue;
            const float lat = map.YToLatitude(y), lon = map.PointToLongitude(y, x);
            bool seen = true;
            for (const auto &[proj, w, h] : narrower) {
                const int px = proj.X(lat, lon), py = proj.Y(lat);
                if (px < ViewMargin || py < ViewMargin || px >= w - ViewMargin || py >= h - ViewMargin) {
                    seen = false;
                    break;
                }
            }
            if (seen)
                out.push_back(p);
        }
        return out;
    }

    template <class LakeTest, class SeaTest, class BeyondTest>
    void CheckSea(const COvning &e, CKarta &m, Canvas &canvas, int W, int H, const std::string &where, const std::string &seaFile,
                  const std::vector<int> &land, const std::vector<int> &lakes, const std::vector<int> &lakeAreas,
                  LakeTest isLake, SeaTest isSea, BeyondTest beyond)
    {
        CKarta *map = &m;
        auto colourAt = [&](int p) { return canvas.GetPixel(p % W, p / W); };
        auto geoOf = [&](int p) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.4f %.4f", map->YToLatitude(p / W), map->PointToLongitude(p / W, p % W));
            return std::string(buf);
        };
        const Colour landColour = map->LandColour;
        // Sea points that sit on land paint it.
        for (int s = 1; s <= map->SeaPointCount; ++s) {
            const GeoPoint &pt = map->SeaPoints[s];
            const int x = map->PositionToX(pt.Latitude, pt.Longitude), y = map->LatitudeToY(pt.Latitude);
            if (!map->IsInside(x, y))
                continue;
            const int p = y * W + x;
            if (land[p] != NoArea && !isLake(p) && colourAt(p) == map->SeaColour)
                Say("DROPSEA " + seaFile + " " + std::to_string(s) + " " + where);
        }
        // Stretches of sea that no sea point reached: land-coloured regions
        // that are mostly outside every land area.
        std::vector<char> member(static_cast<size_t>(W) * H, 0);
        for (const Component &c : Components(W, H, [&](int p) { return colourAt(p) == landColour; })) {
            int sea = 0;
            // Pixels beyond the box of the map's land count neither way.
            int outside = 0;
            for (int p : c.pixels) {
                sea += isSea(p);
                outside += beyond(p);
            }
            const int counted = int(c.pixels.size()) - outside;
            // Slivers between neighbours and lake pieces cut off by borders
            // below this size are left grey.
            if (counted < GreySeaLimit || sea * 10 < counted * 8)
                continue;
            for (int p : c.pixels)
                member[p] = 1;
            // The new point goes where the narrowest size still shows it, as
            // far from the coast as it can there; only when no such pixel
            // keeps the usual distance from the coast does it go to the
            // deepest pixel of the stretch at this size.
            int depth = -1;
            int d = -1;
            const std::vector<int> seen = SeenAtEverySize(e, *map, c.pixels, W, H);
            if (!seen.empty())
                d = DeepestPixel(seen, W, member, &depth);
            if (depth < SeaPointDepth)
                d = DeepestPixel(c.pixels, W, member);
            for (int p : c.pixels)
                member[p] = 0;
            // A lake of the lakes file left unpainted needs a fill point of its own.
            int lakeOnly = 0;
            for (int p : c.pixels)
                lakeOnly += lakes[p] != NoArea;
            if (lakeOnly * 2 > int(c.pixels.size())) {
                if (lakes[d] != NoArea) {
                    Say("LAKEFILL " + std::to_string(lakes[d]) + " " + geoOf(d) + " " + where);
                    ++failures;
                }
                continue;
            }
            // A piece of a lake drawn as an area, cut off by the borders that
            // run through the lake, is reported apart from open sea.
            int inLakeArea = 0;
            for (int p : c.pixels)
                inLakeArea += lakeAreas[p] != NoArea;
            Say(std::string(inLakeArea * 2 > int(c.pixels.size()) ? "LAKESEA " : "SEA ") + seaFile + " " + geoOf(d) + " " + where + " (" + std::to_string(c.pixels.size()) + " pixels)");
            ++failures;
        }
    }

    template <class LakeTest>
    void CheckFills(const COvning &e, CKarta &m, Canvas &canvas, int W, int H, const std::string &where,
                    const std::vector<int> &land, LakeTest isLake)
    {
        CKarta *map = &m;
        auto colourAt = [&](int p) { return canvas.GetPixel(p % W, p / W); };
        auto geoOf = [&](int p) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.4f %.4f", map->YToLatitude(p / W), map->PointToLongitude(p / W, p % W));
            return std::string(buf);
        };
        const Colour landColour = map->LandColour;
        // Fill every asked area in a colour of its own, from its fill points,
        // in the order and by the rules the program fills them.
        std::map<int, Colour> own;
        std::set<int> mostlyUnpainted;
        // A further record of a polygon (for one more fill point) paints, as
        // in the program, only where its point finds the land colour: in the
        // program every asked area paints in one colour, so a point on a
        // piece already painted, its own or an asked neighbour's, paints
        // nothing. It paints in a colour of its own, and what it paints
        // inside the polygon counts for the first record, which the polygon
        // test finds.
        std::map<std::tuple<double, double, double, double, int, float, float>, int> firstOf;
        std::map<Colour, std::pair<int, int>> further; // colour: record, first record
        for (int i = 1; i <= map->Areas->Count; ++i) {
            CArea &a = *map->Areas->Items[i];
            if (!a.Active)
                continue;
            const auto shape = std::make_tuple(a.North, a.South, a.East, a.West, int(a.PointCount),
                                               a.Points[1].Latitude, a.Points[1].Longitude);
            const int first = firstOf.emplace(shape, i).first->second;
            if (first == i) {
                const Colour c = RGB(uint8_t(1 + i % 250), uint8_t(1 + i / 250), 77);
                own[i] = c;
                map->FillArea(a, c);
                continue;
            }
            const Colour c = RGB(uint8_t(1 + i % 250), uint8_t(1 + i / 250), 78);
            further[c] = {i, first};
            const int x = map->PositionToX(a.FillPoint1.Latitude, a.FillPoint1.Longitude);
            const int y = map->LatitudeToY(a.FillPoint1.Latitude);
            if (map->IsInside(x, y) && canvas.GetPixel(x, y) == landColour)
                map->FillArea(a, c);
        }
        std::map<int, long> inside, filled, leaked;
        std::map<Colour, int> byColour;
        for (const auto &[i, c] : own)
            byColour[c] = i;
        for (int p = 0; p < W * H; ++p) {
            const int x = p % W, y = p / W;
            if (x < Frame || y < Frame || x >= W - Frame || y >= H - Frame)
                continue;
            const Colour c = colourAt(p);
            const int o = isLake(p) ? NoArea : land[p];
            if (o != NoArea && own.count(o) && c != 0)
                ++inside[o];
            if (auto f = further.find(c); f != further.end()) {
                if (f->second.second == o)
                    ++filled[o];
                else
                    ++leaked[f->second.first];
                continue;
            }
            auto it = byColour.find(c);
            if (it == byColour.end())
                continue;
            if (it->second == o)
                ++filled[o];
            else
                ++leaked[it->second];
        }
        for (const auto &[c, records] : further) {
            const auto [i, first] = records;
            if (leaked[i] > std::max(60L, inside[first] / 2))
                Fail(where + ": the fill of area " + std::to_string(i) + " (" + map->Areas->Items[i]->Key +
                     ") runs outside it (" + std::to_string(leaked[i]) + " pixels)");
        }
        for (const auto &[i, c] : own) {
            const CArea &a = *map->Areas->Items[i];
            const std::string name = "area " + std::to_string(i) + " (" + a.Key + ")";
            if (leaked[i] > std::max(60L, inside[i] / 2))
                Fail(where + ": the fill of " + name + " runs outside it (" + std::to_string(leaked[i]) + " pixels)");
            // A marker must show whole. A larger area that a neighbour's
            // border crosses may show in part, but painted on less than a
            // quarter of it is not playable.
            const bool marker = markers.count({e.MapNumber, a.Key}) > 0;
            if (marker)
                std::printf("MARKER %d %s %dx%d %ld of %ld pixels painted\n", e.MapNumber, a.Key.c_str(), W, H, filled[i],
                            inside[i]);
            const bool unpainted =
                marker ? filled[i] < MarkerPainted * inside[i] : inside[i] >= 6 && filled[i] * 4 < inside[i];
            if (unpainted) {
                // Seed the largest part of it still unpainted.
                std::vector<int> todo;
                for (int p = 0; p < W * H; ++p)
                    if (land[p] == i && !isLake(p) && colourAt(p) == landColour)
                        todo.push_back(p);
                if (todo.empty()) {
                    Fail(where + ": " + name + " is not painted and has no free pixel");
                    continue;
                }
                std::vector<char> in(static_cast<size_t>(W) * H, 0);
                for (int p : todo)
                    in[p] = 1;
                auto parts = Components(W, H, [&](int p) { return in[p] != 0; });
                if (parts.empty())
                    continue;
                const auto biggest = std::max_element(parts.begin(), parts.end(), [](const Component &l, const Component &r) {
                    return l.pixels.size() < r.pixels.size();
                });
                const int d = DeepestPixel(biggest->pixels, W, in);
                Say("FILL " + std::to_string(e.MapNumber) + " " + std::to_string(i) + " " + geoOf(d) + " " + where +
                    " (" + std::to_string(filled[i]) + " of " + std::to_string(inside[i]) + " pixels painted)");
                ++failures;
                mostlyUnpainted.insert(i);
            }
        }
        // A piece of an asked area that none of its fill points reaches (a
        // lobe beyond a neck that this size closes, a peninsula cut off by a
        // gulf's outline) stays grey: one line "LOBE map area lat lon" for
        // each piece of at least GreyPieceLimit pixels, at its deepest pixel.
        std::vector<char> member(static_cast<size_t>(W) * H, 0);
        for (const Component &c : Components(W, H, [&](int p) { return colourAt(p) == landColour; })) {
            std::map<int, int> owners;
            for (int p : c.pixels)
                if (!isLake(p) && land[p] != NoArea)
                    ++owners[land[p]];
            if (owners.empty())
                continue;
            const auto top = std::max_element(owners.begin(), owners.end(),
                                              [](const auto &l, const auto &r) { return l.second < r.second; });
            const int i = top->first;
            if (top->second * 2 < int(c.pixels.size()) || top->second < GreyPieceLimit || !own.count(i) ||
                mostlyUnpainted.count(i))
                continue;
            std::vector<int> mine;
            for (int p : c.pixels)
                if (land[p] == i && !isLake(p))
                    mine.push_back(p);
            for (int p : mine)
                member[p] = 1;
            const int d = DeepestPixel(mine, W, member);
            for (int p : mine)
                member[p] = 0;
            Say("LOBE " + std::to_string(e.MapNumber) + " " + std::to_string(i) + " " + geoOf(d) + " " + where + " (" +
                std::to_string(c.pixels.size()) + " pixels)");
            ++failures;
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: atlas-check DATASET_DIR [WxH ...]\n");
        return 2;
    }
    Checker checker;
    checker.folder = argv[1];
    std::vector<std::pair<int, int>> &sizes = checker.sizes;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--grey") {
            checker.reportGrey = true;
            continue;
        }
        if (std::string(argv[i]) == "--markers" && i + 1 < argc) {
            std::ifstream list(argv[++i]);
            if (!list) {
                std::fprintf(stderr, "atlas-check: cannot read %s\n", argv[i]);
                return 2;
            }
            int map = 0;
            std::string key;
            while (list >> map >> key)
                checker.markers.insert({map, key});
            continue;
        }
        int w = 0, h = 0;
        if (std::sscanf(argv[i], "%dx%d", &w, &h) == 2 && w > 0 && h > 0)
            sizes.emplace_back(w, h);
    }
    if (sizes.empty())
        sizes = {{1020, 700}, {1362, 700}, {1916, 1000}, {2556, 1380}};
    try {
        COvningar catalogue;
        catalogue.LoadCatalogue(checker.folder + "/Ovning.crp");
        int views = 0;
        for (COvning *e = catalogue.First(); e != nullptr; e = e->Next) {
            if (e->Kind != "AREA" && e->Kind != "ORT")
                continue;
            for (const auto &[w, h] : sizes) {
                checker.Check(*e, w, h);
                ++views;
            }
        }
        checker.ReportIdleSeaPoints();
        std::printf("checked %d views, %d findings\n", views, checker.failures);
    } catch (const Exception &ex) {
        std::fprintf(stderr, "atlas-check: %s\n", ex.what());
        return 2;
    }
    return checker.failures > 0 ? 1 : 0;
}
