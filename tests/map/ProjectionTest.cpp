// The conversions between degrees and pixels, the view fitting and the sea
// point file.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "data/Errors.h"
#include "map/MapFixtures.h"
#include "support/CrpWriter.h"
#include "support/TempDir.h"

using namespace landora;
using namespace landora::test;

TEST(Projection, ScaleDivisorFollowsTheViewsMiddleLatitude)
{
    CKarta map;
    map.NorthLatitude = 70.0f;
    map.SouthLatitude = 50.0f;
    map.ComputeScale();
    EXPECT_EQ(map.ScaleDivisor, 123);
    map.NorthLatitude = 10.0f;
    map.SouthLatitude = -10.0f;
    map.ComputeScale();
    EXPECT_EQ(map.ScaleDivisor, 90);
    map.NorthLatitude = -80.0f;
    map.SouthLatitude = -100.0f;
    map.ComputeScale();
    EXPECT_EQ(map.ScaleDivisor, 140);
}

TEST(Projection, OddWidthPutsTheCentreOnTheEvenColumnAndBack)
{
    TestMap t(1001, 600, 60.0f, 30.0f, 17.5f);
    // 500.5 rounds to the even 500; the inverse subtracts 1001 div 2 = 500.
    EXPECT_EQ(t.map.PositionToX(0.0f, 17.5f), 500);
    for (int y : {0, 1, 299, 300, 599, 600})
        EXPECT_EQ(t.map.PointToLongitude(y, 500), 17.5f) << "row " << y;
    TestMap u(1003, 600, 60.0f, 30.0f, 17.5f);
    EXPECT_EQ(u.map.PositionToX(0.0f, 17.5f), 502); // 501.5 rounds to even
}

TEST(Projection, RowsAreLinearInLatitudeAndClamped)
{
    TestMap t(400, 300, 60.0f, 30.0f, 0.0f);
    EXPECT_EQ(t.map.LatitudeToY(60.0f), 0);
    EXPECT_EQ(t.map.LatitudeToY(30.0f), 300);
    EXPECT_EQ(t.map.LatitudeToY(45.0f), 150);
    EXPECT_FLOAT_EQ(t.map.YToLatitude(0), 60.0f);
    EXPECT_NEAR(t.map.YToLatitude(150), 45.0f, 1e-4);

    TestMap w(400, 200, 90.0f, -90.0f, 0.0f);
    EXPECT_EQ(w.map.LatitudeToY(95.0f), w.map.LatitudeToY(90.0f));
    EXPECT_EQ(w.map.LatitudeToY(-200.0f), 200);
    EXPECT_EQ(w.map.YToLatitude(100000), -90.0f);
    EXPECT_EQ(w.map.YToLatitude(-100000), 90.0f);
}

TEST(Projection, PolesCollapseToTheCentreColumn)
{
    TestMap t(101, 100, 90.0f, -90.0f, 25.0f);
    EXPECT_EQ(t.map.PositionToX(90.0f, -170.0f), 50); // Round(50.5)
    EXPECT_EQ(t.map.PositionToX(-90.0f, 170.0f), 50);
    // Row 0 lies at 90 degrees: every column there is the centre longitude.
    EXPECT_EQ(t.map.PointToLongitude(0, 0), 25.0f);
    EXPECT_EQ(t.map.PointToLongitude(0, 100), 25.0f);

    // A view reaching beyond the pole clamps the row's latitude to it.
    TestMap u(200, 100, 100.0f, 0.0f, -40.0f);
    EXPECT_EQ(u.map.PointToLongitude(0, 3), -40.0f);
}

TEST(Projection, ColumnsShrinkTowardsThePolesAndRoundTrip)
{
    TestMap t(800, 400, 90.0f, -90.0f, 0.0f);
    ASSERT_EQ(t.map.ScaleDivisor, 90);
    // At the equator a degree of longitude is as wide as one of latitude.
    const float s = 400.0f / 180.0f;
    EXPECT_EQ(t.map.PositionToX(0.0f, 90.0f), static_cast<int>(std::nearbyint(400 + 90 * s)));
    EXPECT_LT(t.map.PositionToX(60.0f, 90.0f) - 400, t.map.PositionToX(0.0f, 90.0f) - 400);
    EXPECT_EQ(t.map.PositionToX(60.0f, -90.0f) - 400, 400 - t.map.PositionToX(60.0f, 90.0f));
    // Forward then back lands within a pixel's worth of degrees.
    for (float lat : {-60.0f, -10.0f, 0.0f, 33.0f, 70.0f})
        for (float lon : {-150.0f, -20.0f, 5.0f, 120.0f}) {
            const int y = t.map.LatitudeToY(lat);
            const int x = t.map.PositionToX(lat, lon);
            EXPECT_NEAR(t.map.YToLatitude(y), lat, 0.5);
            EXPECT_NEAR(t.map.PointToLongitude(y, x), lon, 1.5) << lat << " " << lon;
        }
}

TEST(Projection, ManyPointsAtOnceComeOutAsOneByOne)
{
    // Points are projected four at a time where the processor allows; every
    // one must land on the pixel X() and Y() give it, including the poles,
    // latitudes beyond them, a view of no height (whose pixels overflow and
    // saturate) and counts that do not fill the last group of four.
    std::uint32_t seed = 2024;
    auto rnd = [&seed](float lo, float hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + (hi - lo) * static_cast<float>(seed >> 8) / static_cast<float>(1u << 24);
    };
    struct View {
        int Width, Height;
        float North, South, Centre;
    };
    for (const View &v : {View{1920, 1048, 90.0f, -90.0f, 0.0f}, View{1001, 600, 72.5f, 33.0f, 17.5f},
                          View{800, 500, -10.0f, -60.0f, -150.0f}, View{640, 480, 45.0f, 45.0f, 0.0f}}) {
        TestMap t(v.Width, v.Height, v.North, v.South, v.Centre);
        const MapProjection projection = t.map.Projection();
        std::vector<GeoPoint> points;
        for (int i = 0; i < 203; ++i)
            points.push_back({rnd(-95.0f, 95.0f), rnd(-400.0f, 400.0f)});
        for (const float pole : {90.0f, -90.0f, 90.5f, -91.0f})
            points.insert(points.begin() + 5 * (static_cast<int>(pole) % 7 + 8), GeoPoint{pole, 12.0f});
        for (std::size_t count : {points.size(), std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{4},
                                  std::size_t{7}}) {
            std::vector<CanvasPoint> out(count, CanvasPoint{-7, -7});
            projection.Project(points.data(), count, out.data());
            for (std::size_t i = 0; i < count; ++i) {
                const GeoPoint &p = points[i];
                ASSERT_EQ(out[i].X, projection.X(p.Latitude, p.Longitude))
                    << "point " << i << " (" << p.Latitude << ", " << p.Longitude << ")";
                ASSERT_EQ(out[i].Y, projection.Y(p.Latitude)) << "point " << i << " (" << p.Latitude << ")";
            }
        }
    }
}

TEST(Projection, ThirtyTwoBitStepsDecideThePixel)
{
    // The longitude difference, the pixels per degree, the upper latitude and
    // the row before its rounding are 32-bit floats, as the maps were always
    // drawn; the same steps in double land a pixel off at each of these
    // points (given in the comments), one at a time and four at a time.
    TestMap t(1024, 700, 72.0f, 34.0f, 15.0f);
    EXPECT_EQ(t.map.LatitudeToY(38.75f), 612);      // 613
    EXPECT_EQ(t.map.LatitudeToY(64.9700012f), 130); // 129
    const std::vector<GeoPoint> points = {
        {35.3091011f, 54.0559998f}, {44.6422806f, 47.4456024f}, {67.4825592f, 24.8176003f}, {57.75f, 15.0f}};
    const std::vector<CanvasPoint> expected = {{1013, 676}, {905, 504}, {603, 83}, {512, 262}}; // X 1012, 904, 602; Y 263
    std::vector<CanvasPoint> out(points.size());
    t.map.Projection().Project(points.data(), points.size(), out.data());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(t.map.PositionToX(points[i].Latitude, points[i].Longitude), expected[i].X) << "point " << i;
        EXPECT_EQ(t.map.LatitudeToY(points[i].Latitude), expected[i].Y) << "point " << i;
        EXPECT_EQ(out[i], expected[i]) << "point " << i;
    }
}

TEST(Projection, InsideExcludesColumnZeroAndRowZero)
{
    TestMap t(10, 8);
    EXPECT_FALSE(t.map.IsInside(0, 3));
    EXPECT_FALSE(t.map.IsInside(3, 0));
    EXPECT_TRUE(t.map.IsInside(1, 1));
    EXPECT_TRUE(t.map.IsInside(9, 7));
    EXPECT_FALSE(t.map.IsInside(10, 7));
    EXPECT_FALSE(t.map.IsInside(9, 8));
    EXPECT_FALSE(t.map.IsInside(-1, 4));
}

TEST(Projection, PixelDistanceIsTheRoundedEuclideanDistance)
{
    TestMap t(800, 400, 90.0f, -90.0f, 0.0f);
    COrt place;
    place.Latitude = 0.0;
    place.Longitude = 0.0;
    EXPECT_EQ(t.map.PixelDistance(GeoPoint{0.0f, 0.0f}, place), 0);
    // 3 and 4 pixels away in rows and columns at the equator (s = 400/180).
    const float deg = 180.0f / 400.0f;
    const GeoPoint p{-3 * deg, 4 * deg};
    const int dy = t.map.LatitudeToY(p.Latitude) - t.map.LatitudeToY(0.0f);
    const int dx = t.map.PositionToX(p.Latitude, p.Longitude) - t.map.PositionToX(0.0f, 0.0f);
    ASSERT_EQ(dy, 3);
    ASSERT_EQ(dx, 4);
    EXPECT_EQ(t.map.PixelDistance(p, place), 5);
}

TEST(Projection, VisibleHalfWidthIsTheNarrowerOfMiddleAndBottomRow)
{
    TestMap t(800, 400, 80.0f, 20.0f, 10.0f);
    const float a = 10.0f - t.map.PointToLongitude(200, 0);
    const float b = 10.0f - t.map.PointToLongitude(400, 0);
    EXPECT_FLOAT_EQ(t.map.VisibleHalfWidth(), std::min(a, b));
    TestMap w(100000, 10, 10.0f, -10.0f, 0.0f);
    EXPECT_EQ(w.map.VisibleHalfWidth(), 1000.0f);
}

TEST(FitToAreas, FramesTheActiveAreasWithAMargin)
{
    TestMap t(2000, 500);
    AddBox(*t.map.Areas, "A", 50, -10, 60, 10).Active = true;
    AddBox(*t.map.Areas, "B", 40, 0, 45, 30).Active = true;
    AddBox(*t.map.Areas, "C", -80, -170, 85, 170); // not active: ignored
    CArea &empty = AddBox(*t.map.Areas, "D", -80, -170, 85, 170);
    empty.PointCount = 0;
    empty.Active = true; // no points: ignored too
    t.map.FitToAreas();
    EXPECT_FLOAT_EQ(t.map.CentreLongitude, 10.0f);
    EXPECT_FLOAT_EQ(t.map.NorthLatitude, 60.8f);
    EXPECT_FLOAT_EQ(t.map.SouthLatitude, 39.2f);
    EXPECT_EQ(t.map.ScaleDivisor, 118);
}

TEST(FitToAreas, WidensUntilTheWidestAreaFits)
{
    TestMap t(1200, 300);
    AddBox(*t.map.Areas, "A", 10, -60, 20, 60).Active = true;
    t.map.FitToAreas();
    EXPECT_GE(t.map.VisibleHalfWidth(), 60.0f);
    EXPECT_GT(t.map.NorthLatitude, 20.4f);
    EXPECT_LT(t.map.SouthLatitude, 9.6f);
}

TEST(FitToAreas, StopsAtThePoleWithTheWidestViewReached)
{
    // Far too wide to ever fit on a tall narrow image: the bottom row reaches
    // the south pole, where the visible width collapses to 0.
    TestMap t(100, 800);
    AddBox(*t.map.Areas, "A", 70, -179, 80, 179).Active = true;
    t.map.FitToAreas(); // must return
    const float reached = t.map.VisibleHalfWidth();
    EXPECT_LT(reached, 179.0f);
    EXPECT_GT(reached, 0.0f);
    EXPECT_GT(t.map.YToLatitude(800), -90.0f);
    // One more widening step would not show more.
    CKarta next;
    next.Image = &t.canvas;
    next.CentreLongitude = t.map.CentreLongitude;
    next.NorthLatitude = t.map.NorthLatitude + (t.map.NorthLatitude - t.map.SouthLatitude) / 100;
    next.SouthLatitude = t.map.SouthLatitude - (next.NorthLatitude - t.map.SouthLatitude) / 100;
    next.ComputeScale();
    EXPECT_LE(next.VisibleHalfWidth(), reached);
}

namespace {

std::string SeaFile(TempDir &dir, int pairs, bool truncated = false)
{
    CrpWriter out;
    for (int i = 0; i < pairs; ++i)
        out.Degrees(10.5 + i).Degrees(-20.25 - i);
    if (truncated)
        out.Int32(5);
    dir.Write("Hav1.crp", out.Bytes());
    return dir.File("Hav1.crp");
}

} // namespace

TEST(SeaPoints, ReadsEveryPairAsDegrees)
{
    TempDir dir;
    CKarta map;
    map.LoadSeaPoints(SeaFile(dir, 3));
    ASSERT_EQ(map.SeaPointCount, 3);
    EXPECT_FLOAT_EQ(map.SeaPoints[1].Latitude, 10.5f);
    EXPECT_FLOAT_EQ(map.SeaPoints[1].Longitude, -20.25f);
    EXPECT_FLOAT_EQ(map.SeaPoints[3].Latitude, 12.5f);
    EXPECT_FLOAT_EQ(map.SeaPoints[3].Longitude, -22.25f);

    map.LoadSeaPoints(SeaFile(dir, 100));
    EXPECT_EQ(map.SeaPointCount, 100);
}

TEST(SeaPoints, EmptyFileGivesNoSeaPoints)
{
    TempDir dir;
    CKarta map;
    map.SeaPointCount = 7;
    map.LoadSeaPoints(SeaFile(dir, 0));
    EXPECT_EQ(map.SeaPointCount, 0);
}

TEST(SeaPoints, OverflowAndBrokenFilesFail)
{
    TempDir dir;
    CKarta map;
    EXPECT_THROW(map.LoadSeaPoints(SeaFile(dir, 101)), ERangeError);
    EXPECT_THROW(map.LoadSeaPoints(SeaFile(dir, 2, true)), EInOutError);
    EXPECT_THROW(map.LoadSeaPoints(dir.File("Hav9.crp")), EFileNotFound);
}
