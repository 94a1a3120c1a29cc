// The layered map drawing on small canvases: outlines, lakes, sea, area
// fills, the grid and the place markers.
#include <gtest/gtest.h>

#include <set>

#include "data/Services.h"
#include "map/MapFixtures.h"

using namespace landora;
using namespace landora::test;

namespace {

constexpr Colour Black = RGB(0, 0, 0);
constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Land = RGB(128, 128, 128);
constexpr Colour Sea = RGB(0, 0, 128);
constexpr Colour Lake = RGB(0, 0, 200);

struct CountingPump : IEventPump {
    int calls = 0;
    void ProcessEvents() override { ++calls; }
};

int Count(const Canvas &c, Colour colour)
{
    int n = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            n += c.GetPixel(x, y) == colour ? 1 : 0;
    return n;
}

Colour At(const TestMap &t, float lat, float lon)
{
    return t.canvas.GetPixel(t.map.PositionToX(lat, lon), t.map.LatitudeToY(lat));
}

// A world map of 400x200 with a box country, a lake inside it, and land
// outside everything that the sea floods.
struct World : TestMap {
    CArea *country;
    CArea *lake;

    World() : TestMap(400, 200)
    {
        map.LandColour = Land;
        map.SeaColour = Sea;
        map.WaterColour = Lake;
        map.AreaColour = RGB(0, 128, 0);
        country = &AddBox(*map.Areas, "C", -30, -60, 30, 60);
        country->FillPoint1 = {-20.0f, -40.0f};
        country->FillPoint2 = {20.0f, 40.0f};
        lake = &AddBox(*map.Waters, "L", -5, -10, 5, 10);
        map.SeaPointCount = 1;
        map.SeaPoints[1] = {60.0f, 0.0f};
    }

    void DrawBase(int width = 1)
    {
        map.FillBackground();
        map.DrawOutlines(width);
        map.DrawWaters();
        map.FloodSea();
    }
};

} // namespace

TEST(Drawing, BaseLayersComeOutInOrder)
{
    World w;
    w.DrawBase();
    EXPECT_EQ(At(w, 60, 0), Sea);
    EXPECT_EQ(At(w, -60, 100), Sea);
    EXPECT_EQ(At(w, 20, 40), Land); // inside the country, not flooded
    EXPECT_EQ(At(w, 0, 0), Lake);
    EXPECT_EQ(At(w, 30, 0), Black); // the country's northern border
    for (int i = 1; i <= w.country->PointCount; ++i)
        EXPECT_EQ(At(w, w.country->Points[i].Latitude, w.country->Points[i].Longitude), Black) << i;
    // The frame: black, three pixels deep.
    EXPECT_EQ(w.canvas.GetPixel(2, 100), Black);
    EXPECT_EQ(w.canvas.GetPixel(397, 100), Black);
    EXPECT_EQ(w.canvas.GetPixel(3, 100), Sea);
}

TEST(Drawing, OutlinesSkipAreasThatCannotBeVisible)
{
    TestMap t(400, 200, 60.0f, 20.0f, 0.0f);
    AddBox(*t.map.Areas, "S", -40, -10, -30, 10); // north bound below the view
    AddBox(*t.map.Areas, "N", 70, -10, 80, 10);   // south bound above it
    AddArea(*t.map.Areas, "E", {});                // no points
    t.map.LandColour = Land;
    t.map.FillBackground();
    t.map.DrawOutlines(1);
    // Only the frame-less rectangle outline of the image is black.
    EXPECT_EQ(Count(t.canvas, Black), 2 * 400 + 2 * 200 - 4);
    AddBox(*t.map.Areas, "V", 30, -10, 40, 10);
    t.map.FillBackground();
    t.map.DrawOutlines(1);
    EXPECT_GT(Count(t.canvas, Black), 2 * 400 + 2 * 200 - 4);
}

TEST(Drawing, AMarkerShowsOnlyWhereTheExerciseAsksIt)
{
    // A disc standing for an island in open sea, and one inside the country.
    World w;
    CArea &island = AddBox(*w.map.Areas, "I", 50, 100, 60, 120);
    island.FillPoint1 = island.FillPoint2 = {55.0f, 110.0f};
    island.Marker = true;
    CArea &enclave = AddBox(*w.map.Areas, "E", 10, -40, 20, -20);
    enclave.FillPoint1 = enclave.FillPoint2 = {15.0f, -30.0f};
    enclave.Marker = true;
    w.country->Active = true;
    w.DrawBase();
    w.map.FillAreasByState();
    // Not asked: no outline, the sea flows over the island's disc and the
    // country's fill over the enclave's, as if they were not in the file.
    EXPECT_EQ(At(w, 55, 110), Sea);
    EXPECT_EQ(At(w, 60, 110), Sea);
    EXPECT_EQ(At(w, 15, -30), w.map.AreaColour);
    EXPECT_EQ(At(w, 20, -30), w.map.AreaColour);
    // Asked: drawn and filled like any area.
    island.Active = enclave.Active = true;
    w.DrawBase();
    w.map.FillAreasByState();
    EXPECT_EQ(At(w, 60, 110), Black);
    EXPECT_EQ(At(w, 55, 110), w.map.AreaColour);
    EXPECT_EQ(At(w, 20, -30), Black);
    EXPECT_EQ(At(w, 15, -30), w.map.AreaColour);
    // An area that is no marker is drawn whether asked or not.
    island.Active = enclave.Active = false;
    island.Marker = false;
    w.DrawBase();
    EXPECT_EQ(At(w, 60, 110), Black);
    EXPECT_EQ(At(w, 55, 110), Land);
}

TEST(Drawing, OutlinesCloseEveryVertexAsLinesWithBothEndsSetWould)
{
    // Every vertex of a border is painted although a line omits its end
    // pixel, on and off the image, with repeated vertices and with a single
    // one (which paints nothing), for thin and thick pens alike.
    std::uint32_t seed = 31337;
    auto rnd = [&seed](int lo, int hi) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<float>(lo + static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(hi - lo + 1)));
    };
    for (const int width : {1, 2}) {
        TestMap drawn(300, 150);
        TestMap expected(300, 150);
        for (TestMap *t : {&drawn, &expected}) {
            seed = 31337;
            for (int a = 0; a < 12; ++a) {
                const std::string key(1, static_cast<char>('A' + a));
                if (a == 0) {
                    AddArea(*t->map.Areas, key, {{10.0f, 10.0f}});
                    continue;
                }
                CArea &area = AddArea(*t->map.Areas, key, {{0.0f, 0.0f}});
                area.PointCount = 0;
                for (int i = 1; i <= 9; ++i) {
                    area.Points[++area.PointCount] = GeoPoint{rnd(-95, 95), rnd(-200, 200)};
                    if (i % 4 == 0) {
                        const GeoPoint again = area.Points[area.PointCount];
                        area.Points[++area.PointCount] = again;
                    }
                }
                area.North = 90;
                area.South = -90;
                area.East = 180;
                area.West = -180;
            }
            t->map.LandColour = Land;
            t->map.FillBackground();
        }
        drawn.map.DrawOutlines(width);
        // The outline as separate lines, with both ends of each set.
        Canvas &c = expected.canvas;
        c.SetPenColour(Black);
        c.SetPenMode(PenMode::Copy);
        c.SetNoFill();
        c.Rectangle(0, 0, 300, 150);
        c.SetPenWidth(width);
        for (int i = 1; i <= expected.map.Areas->Count; ++i) {
            const CArea &area = *expected.map.Areas->Items[i];
            auto pixel = [&](int j) {
                const GeoPoint &p = area.Points[j];
                return std::pair{expected.map.PositionToX(p.Latitude, p.Longitude), expected.map.LatitudeToY(p.Latitude)};
            };
            const auto first = pixel(1);
            c.MoveTo(first.first, first.second);
            auto previous = first;
            for (int j = 1; j <= area.PointCount; ++j) {
                const auto next = pixel(j);
                if (next == previous)
                    continue;
                c.LineTo(next.first, next.second);
                c.SetPixel(previous.first, previous.second, Black);
                c.SetPixel(next.first, next.second, Black);
                previous = next;
            }
            c.LineTo(first.first, first.second);
        }
        c.Rectangle(0, 0, 300, 150);
        int black = 0;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 300; ++x) {
                ASSERT_EQ(drawn.canvas.GetPixel(x, y), c.GetPixel(x, y)) << "width " << width << " at " << x << "," << y;
                black += c.GetPixel(x, y) == Black ? 1 : 0;
            }
        EXPECT_GT(black, 2000);
    }
    // An area of a single vertex paints nothing: only the image's outline.
    TestMap dot(100, 50);
    AddArea(*dot.map.Areas, "D", {{10.0f, 10.0f}});
    dot.map.LandColour = Land;
    dot.map.FillBackground();
    dot.map.DrawOutlines(1);
    EXPECT_EQ(Count(dot.canvas, Black), 2 * 100 + 2 * 50 - 4);
}

TEST(Drawing, ALakeFillPointOffItsOwnOutlineFloodsNothing)
{
    // A lake a pixel or two across whose fill point lands on the land beside
    // it at this scale: a border fill from there would run to the lakes'
    // frame and turn the whole map into lake.
    World w;
    CArea &tiny = AddBox(*w.map.Waters, "T", 40, 100, 41, 101);
    tiny.FillPoint1 = {42.5f, 102.5f};
    tiny.FillPoint2 = {42.5f, 102.5f};
    w.DrawBase();
    EXPECT_EQ(At(w, 20, 40), Land);
    EXPECT_EQ(At(w, 60, 0), Sea);
    EXPECT_EQ(At(w, 0, 0), Lake); // the other lake is still filled
    EXPECT_LT(Count(w.canvas, Lake), 400 * 200 / 20);
}

TEST(Drawing, SeaPointOnOutlineLakeOrSeaPaintsNothing)
{
    for (const GeoPoint p : {GeoPoint{30.0f, 0.0f}, GeoPoint{0.0f, 0.0f}}) {
        World w;
        w.map.SeaPoints[1] = p;
        w.DrawBase();
        EXPECT_EQ(Count(w.canvas, Sea), 0) << p.Latitude;
    }
    World w;
    CountingPump pump;
    w.map.Events = &pump;
    w.map.SeaPointCount = 2;
    w.map.SeaPoints[2] = {-60.0f, 0.0f}; // already sea after the first fill
    w.DrawBase();
    EXPECT_GT(Count(w.canvas, Sea), 0);
    EXPECT_EQ(pump.calls, 1); // one fill, one pump
}

TEST(Drawing, FillAreaSkipsBordersLakesAndItsOwnColour)
{
    World w;
    w.DrawBase();
    const int lake = Count(w.canvas, Lake);
    w.map.FillArea(*w.country, RGB(255, 0, 0));
    EXPECT_EQ(At(w, 20, 40), RGB(255, 0, 0));
    EXPECT_EQ(At(w, -20, -40), RGB(255, 0, 0));
    EXPECT_EQ(Count(w.canvas, Lake), lake);
    EXPECT_EQ(At(w, 30, 0), Black);
    const int red = Count(w.canvas, RGB(255, 0, 0));
    w.map.FillArea(*w.country, RGB(255, 0, 0)); // its own colour: nothing
    EXPECT_EQ(Count(w.canvas, RGB(255, 0, 0)), red);

    World onBorder;
    onBorder.DrawBase();
    onBorder.country->FillPoint1 = {30.0f, 0.0f};
    onBorder.country->FillPoint2 = {0.0f, 0.0f}; // in the lake
    onBorder.map.FillArea(*onBorder.country, RGB(255, 0, 0));
    EXPECT_EQ(Count(onBorder.canvas, RGB(255, 0, 0)), 0);
}

TEST(Drawing, AreasAreFilledByAnswerState)
{
    World w;
    CArea &a1 = AddBox(*w.map.Areas, "T1", 40, -170, 50, -150);
    CArea &a2 = AddBox(*w.map.Areas, "T2", 40, -140, 50, -120);
    CArea &a3 = AddBox(*w.map.Areas, "T3", 40, -110, 50, -90);
    CArea &a5 = AddBox(*w.map.Areas, "T5", 40, 90, 50, 110);
    CArea &a0 = AddBox(*w.map.Areas, "T0", 40, 120, 50, 140);
    CArea &idle = AddBox(*w.map.Areas, "I", -50, -20, -40, 20);
    w.map.SeaPointCount = 0;
    w.DrawBase();
    w.map.Areas->MarkActive("C");
    for (auto [area, t] : {std::pair{&a1, 1}, {&a2, 2}, {&a3, 3}, {&a5, 5}, {&a0, 0}}) {
        area->Active = true;
        area->Answered = true;
        area->AnsweredOnTry = t;
    }
    w.map.FillAreasByState();
    auto centre = [&](const CArea &a) {
        return At(w, static_cast<float>((a.North + a.South) / 2), static_cast<float>((a.East + a.West) / 2));
    };
    EXPECT_EQ(At(w, 20, 40), RGB(0, 128, 0));
    EXPECT_EQ(centre(*w.country), Lake);
    EXPECT_EQ(centre(a1), RGB(255, 255, 255));
    EXPECT_EQ(centre(a2), RGB(255, 255, 128));
    EXPECT_EQ(centre(a3), RGB(255, 255, 0));
    EXPECT_EQ(centre(a5), RGB(255, 0, 0));
    EXPECT_EQ(centre(a0), Land);
    EXPECT_EQ(centre(idle), Land);

    // By key: only active matching areas.
    idle.Group1 = "G";
    a1.Group1 = "G";
    w.map.FillAreasByKey("G", RGB(0, 255, 0));
    EXPECT_EQ(centre(a1), RGB(0, 255, 0));
    EXPECT_EQ(centre(idle), Land);
}

TEST(Drawing, GraticulePiecesNeverPaintAPixelTwice)
{
    // Copy shows every pixel the grid touches; not-xor in black over white
    // shows those touched an odd number of times. Away from the parallels
    // and the poles, where meridians meet, the two must agree.
    auto draw = [](PenMode mode) {
        auto t = std::make_unique<TestMap>(720, 360, 80.0f, -80.0f, 15.0f);
        t->map.LandColour = White;
        t->map.FillBackground();
        t->map.DrawGraticule(10, Black, mode);
        return t;
    };
    auto copy = draw(PenMode::Copy);
    auto inv = draw(PenMode::NotXor);
    std::set<int> parallelRows;
    for (int m = -8; m <= 8; ++m)
        parallelRows.insert(copy->map.LatitudeToY(static_cast<float>(m * 10)));
    const int top = copy->map.LatitudeToY(70.0f);
    const int bottom = copy->map.LatitudeToY(-70.0f);
    int compared = 0;
    for (int y = top; y <= bottom; ++y) {
        if (parallelRows.count(y))
            continue;
        for (int x = 3; x < 717; ++x) {
            ASSERT_EQ(inv->canvas.GetPixel(x, y), copy->canvas.GetPixel(x, y)) << x << "," << y;
            compared += copy->canvas.GetPixel(x, y) == Black ? 1 : 0;
        }
    }
    EXPECT_GT(compared, 1000);
    // Crossings of parallels and meridians are painted twice: back to white.
    const int y0 = copy->map.LatitudeToY(0.0f);
    const int x0 = copy->map.PositionToX(0.0f, 10.0f);
    EXPECT_EQ(copy->canvas.GetPixel(x0, y0), Black);
    EXPECT_EQ(inv->canvas.GetPixel(x0, y0), White);
}

TEST(Drawing, MaskGraticuleDarkensWhatLiesBelow)
{
    TestMap t(360, 180);
    t.map.LandColour = RGB(200, 100, 50);
    t.map.FillBackground();
    t.map.DrawGraticule(10, RGB(0, 128, 0), PenMode::Mask);
    const int y = t.map.LatitudeToY(20.0f);
    EXPECT_EQ(t.canvas.GetPixel(180, y), RGB(0, 100 & 128, 0));
    EXPECT_EQ(t.canvas.Mode(), PenMode::Copy);
    EXPECT_EQ(t.canvas.GetPixel(1, 90), Black); // the frame
}

TEST(Drawing, PlaceLabelsShowTheTryColour)
{
    struct Case {
        int tryNumber;
        Colour label;
    };
    const Colour alert = RGB(250, 60, 70);
    for (const Case c : {Case{1, RGB(255, 255, 255)}, Case{2, RGB(255, 255, 160)}, Case{3, RGB(255, 255, 0)},
                         Case{4, alert}, Case{7, alert}}) {
        TestMap t(500, 250);
        t.map.LandColour = Land;
        t.map.AlertColour = alert;
        t.map.Language = 3;
        t.map.FillBackground();
        COrt place;
        place.Names[1] = "Paris";
        place.Names[3] = "Paris-fr";
        place.Latitude = 10.0;
        place.Longitude = 20.0;
        place.Selected = true;
        place.Answered = true;
        place.AnsweredOnTry = c.tryNumber;
        t.map.DrawPlace(place, RGB(255, 255, 0));
        const int x = t.map.PositionToX(10.0f, 20.0f);
        const int y = t.map.LatitudeToY(10.0f);
        const int r = 500 / 250 + 2;
        const TextSize size = t.canvas.MeasureText("Paris-fr");
        ASSERT_GT(size.Width, 20);
        ASSERT_GT(size.Height, 5);
        const int left = x - size.Width / 2 - 4;
        EXPECT_EQ(t.canvas.GetPixel(left, y - r + 1), Black) << c.tryNumber;
        EXPECT_EQ(t.canvas.GetPixel(left + 1, y - r + 1), c.label) << c.tryNumber;
        EXPECT_EQ(t.canvas.GetPixel(x + size.Width / 2 + 2, y - r + size.Height - 2), c.label);
        EXPECT_EQ(t.canvas.GetPixel(left - 1, y - r + 1), Land);
        // No smoothing: every pixel is one of the colours drawn.
        int text = 0;
        for (int py = 0; py < 250; ++py)
            for (int px = 0; px < 500; ++px) {
                const Colour p = t.canvas.GetPixel(px, py);
                ASSERT_TRUE(p == Land || p == White || p == Black || p == RGB(255, 255, 0) || p == c.label)
                    << std::hex << p << " at " << std::dec << px << "," << py;
                text += (p == Black && py > y - r && py < y - r + size.Height - 1 && px > left && px < x + size.Width / 2 + 3)
                            ? 1
                            : 0;
            }
        EXPECT_GT(text, 10); // the name itself is drawn in black
    }
}

TEST(Drawing, PendingPlacesAreGreenDotsWithoutLabels)
{
    TestMap t(500, 250);
    t.map.LandColour = Land;
    t.map.FillBackground();
    auto add = [&](double lat, double lon, bool selected, bool answered) {
        auto p = std::make_unique<COrt>();
        p->Names[1] = "X";
        p->Latitude = lat;
        p->Longitude = lon;
        p->Selected = selected;
        p->Answered = answered;
        return p;
    };
    auto a = add(0, 0, true, false);
    auto b = add(20, 40, false, false);
    auto c = add(-20, -40, true, true);
    a->Next = b.get();
    b->Next = c.get();
    t.map.Places->First = a.get();
    t.map.DrawPendingPlaces();
    EXPECT_EQ(At(t, 0, 0), RGB(0, 128, 0));
    EXPECT_EQ(At(t, 20, 40), Land);
    EXPECT_EQ(At(t, -20, -40), Land);
    const int x = t.map.PositionToX(0, 0);
    const int y = t.map.LatitudeToY(0);
    const int r = 500 / 250 + 2;
    EXPECT_EQ(t.canvas.GetPixel(x - r, y), White); // the marker's rim
    EXPECT_EQ(t.canvas.GetPixel(x - r - 1, y), Land);
    EXPECT_EQ(Count(t.canvas, Black), 0);
    t.map.Places->First = nullptr;
}
