// The raster surface, pixel by pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "map/Canvas.h"
#include "map/Cpu.h"

using namespace landora;

namespace {

constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Black = RGB(0, 0, 0);

// Seeded draws in 0..n-1, the same on every run, for random scenes.
struct Draws {
    std::uint32_t seed;
    int operator()(int n)
    {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(n));
    }
};

std::set<std::pair<int, int>> PixelsOf(const Canvas &c, Colour colour)
{
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.GetPixel(x, y) == colour)
                out.insert({x, y});
    return out;
}

} // namespace

TEST(Canvas, ColoursCrossAsBgr)
{
    Canvas c(4, 4);
    c.SetPixel(1, 2, RGB(10, 20, 30));
    EXPECT_EQ(c.GetPixel(1, 2), 0x1E140Au);
    EXPECT_EQ(c.Image().pixel(1, 2), qRgb(10, 20, 30));
    EXPECT_EQ(c.GetPixel(0, 0), White);
    EXPECT_EQ(c.GetPixel(-1, 0), InvalidColour);
    EXPECT_EQ(c.GetPixel(4, 0), InvalidColour);
    c.SetPixel(9, 9, Black); // outside: ignored
}

TEST(Canvas, LinesOmitTheirEndPixelInEveryOctant)
{
    const std::pair<int, int> ends[] = {{30, 23}, {23, 30}, {17, 30}, {10, 23}, {10, 17}, {17, 10}, {23, 10},
                                        {30, 17}, {30, 20}, {20, 30}, {10, 20}, {20, 10}, {28, 28}, {12, 12},
                                        {28, 12}, {12, 28}, {27, 21}, {21, 13}};
    for (const auto &[ex, ey] : ends) {
        Canvas c(41, 41);
        c.SetPen(Black, 1, PenMode::Copy);
        c.MoveTo(20, 20);
        c.LineTo(ex, ey);
        const auto painted = PixelsOf(c, Black);
        const int steps = std::max(std::abs(ex - 20), std::abs(ey - 20));
        EXPECT_EQ(static_cast<int>(painted.size()), steps) << ex << "," << ey;
        EXPECT_TRUE(painted.count({20, 20})) << ex << "," << ey;
        EXPECT_FALSE(painted.count({ex, ey})) << ex << "," << ey;
        // The line stays within a half pixel of the true segment.
        for (const auto &[x, y] : painted) {
            const double dx = ex - 20.0, dy = ey - 20.0;
            const double dist = std::abs((x - 20.0) * dy - (y - 20.0) * dx) / std::hypot(dx, dy);
            EXPECT_LE(dist, 0.71) << x << "," << y;
        }
        EXPECT_EQ(c.CurrentX(), ex);
        EXPECT_EQ(c.CurrentY(), ey);
    }
}

TEST(Canvas, APathPaintsEachPixelOnceSoNotXorIsExact)
{
    // A closed path in not-xor over white: painting a pixel twice would turn
    // it back to white.
    Canvas copy(60, 60);
    Canvas inv(60, 60);
    const std::pair<int, int> path[] = {{5, 5}, {40, 9}, {52, 30}, {31, 55}, {8, 44}, {5, 5}};
    copy.SetPen(Black, 1, PenMode::Copy);
    inv.SetPen(Black, 1, PenMode::NotXor);
    copy.MoveTo(5, 5);
    inv.MoveTo(5, 5);
    int steps = 0;
    for (std::size_t i = 1; i < std::size(path); ++i) {
        copy.LineTo(path[i].first, path[i].second);
        inv.LineTo(path[i].first, path[i].second);
        steps += std::max(std::abs(path[i].first - path[i - 1].first), std::abs(path[i].second - path[i - 1].second));
    }
    EXPECT_EQ(static_cast<int>(PixelsOf(copy, Black).size()), steps);
    EXPECT_EQ(PixelsOf(inv, Black), PixelsOf(copy, Black));
}

TEST(Canvas, MaskAndNotXorCombineBitByBit)
{
    Canvas c(10, 3);
    c.FillRect(0, 0, 10, 3, RGB(0xF0, 0x0F, 0xAA));
    c.SetPen(RGB(0x3C, 0xFF, 0x0F), 1, PenMode::Mask);
    c.MoveTo(0, 0);
    c.LineTo(10, 0);
    EXPECT_EQ(c.GetPixel(4, 0), RGB(0x30, 0x0F, 0x0A));
    c.SetPen(RGB(0x3C, 0xFF, 0x0F), 1, PenMode::NotXor);
    c.MoveTo(0, 1);
    c.LineTo(10, 1);
    EXPECT_EQ(c.GetPixel(4, 1), RGB(static_cast<std::uint8_t>(~(0xF0 ^ 0x3C)), static_cast<std::uint8_t>(~(0x0F ^ 0xFF)),
                                    static_cast<std::uint8_t>(~(0xAA ^ 0x0F))));
    // Twice is nothing.
    c.MoveTo(0, 1);
    c.LineTo(10, 1);
    EXPECT_EQ(c.GetPixel(4, 1), RGB(0xF0, 0x0F, 0xAA));
    EXPECT_EQ(c.GetPixel(4, 2), RGB(0xF0, 0x0F, 0xAA));
}

TEST(Canvas, ThickLinesCoverTheirWidthAndPaintEachPixelOnce)
{
    Canvas copy(40, 40);
    Canvas inv(40, 40);
    copy.SetPen(Black, 3, PenMode::Copy);
    inv.SetPen(Black, 3, PenMode::NotXor);
    copy.MoveTo(5, 20);
    copy.LineTo(35, 26);
    inv.MoveTo(5, 20);
    inv.LineTo(35, 26);
    const auto painted = PixelsOf(copy, Black);
    EXPECT_EQ(PixelsOf(inv, Black), painted);
    EXPECT_TRUE(painted.count({5, 19}));
    EXPECT_TRUE(painted.count({5, 21}));
    EXPECT_TRUE(painted.count({4, 20}));
    EXPECT_FALSE(painted.count({5, 23}));
    // A zero-length line paints nothing.
    Canvas dot(10, 10);
    dot.SetPen(Black, 4, PenMode::Copy);
    dot.MoveTo(5, 5);
    dot.LineTo(5, 5);
    EXPECT_TRUE(PixelsOf(dot, Black).empty());
}

TEST(Canvas, RectangleExcludesRightAndBottomEdges)
{
    Canvas c(8, 6);
    c.SetPen(Black, 1, PenMode::Copy);
    c.SetNoFill();
    c.FillRect(0, 0, 8, 6, RGB(1, 2, 3));
    c.Rectangle(0, 0, 8, 6);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(c.GetPixel(x, 0), Black);
        EXPECT_EQ(c.GetPixel(x, 5), Black);
    }
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(c.GetPixel(0, y), Black);
        EXPECT_EQ(c.GetPixel(7, y), Black);
    }
    EXPECT_EQ(c.GetPixel(1, 1), RGB(1, 2, 3)); // no fill

    Canvas f(10, 10);
    f.SetPen(Black, 1, PenMode::Copy);
    f.SetBrush(RGB(9, 9, 9));
    f.Rectangle(2, 3, 6, 8);
    EXPECT_EQ(f.GetPixel(2, 3), Black);
    EXPECT_EQ(f.GetPixel(5, 7), Black);
    EXPECT_EQ(f.GetPixel(3, 4), RGB(9, 9, 9));
    EXPECT_EQ(f.GetPixel(4, 6), RGB(9, 9, 9));
    EXPECT_EQ(f.GetPixel(6, 5), White);
    EXPECT_EQ(f.GetPixel(4, 8), White);
}

TEST(Canvas, WideFrameIsCentredOnTheOutline)
{
    Canvas c(20, 20);
    c.SetPen(Black, 5, PenMode::Copy);
    c.SetNoFill();
    c.Rectangle(0, 0, 20, 20);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(c.GetPixel(i, 10), Black);
        EXPECT_EQ(c.GetPixel(19 - i, 10), Black);
        EXPECT_EQ(c.GetPixel(10, i), Black);
        EXPECT_EQ(c.GetPixel(10, 19 - i), Black);
    }
    EXPECT_EQ(c.GetPixel(3, 10), White);
    EXPECT_EQ(c.GetPixel(16, 10), White);
}

TEST(Canvas, ACopyDrawsIntoPixelsOfItsOwn)
{
    Canvas a(10, 10);
    a.SetPixel(1, 1, Black);
    Canvas b = a;
    a.SetPixel(2, 2, Black);
    b.SetPixel(3, 3, RGB(255, 0, 0));
    EXPECT_EQ(b.GetPixel(1, 1), Black);
    EXPECT_EQ(b.GetPixel(2, 2), White);
    EXPECT_EQ(a.GetPixel(3, 3), White);
    EXPECT_EQ(b.Image().pixel(3, 3), 0xFFFF0000u); // the image shown is the one drawn into

    Canvas c(4, 4);
    c = b;
    b.FillRect(0, 0, 10, 10, Black);
    EXPECT_EQ(c.Width(), 10);
    EXPECT_EQ(c.GetPixel(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(c.GetPixel(5, 5), White);

    // Text is drawn by a painter, which may move the pixels to a buffer of
    // their own; drawing after it still reaches the image.
    Canvas t = c;
    t.TextOut(0, 0, "W");
    t.SetPixel(9, 9, Black);
    EXPECT_EQ(t.Image().pixel(9, 9), 0xFF000000u);
    EXPECT_EQ(c.GetPixel(9, 9), White);

    Canvas m = std::move(t);
    EXPECT_EQ(m.GetPixel(9, 9), Black);
    m.SetPixel(8, 8, Black);
    EXPECT_EQ(m.Image().pixel(8, 8), 0xFF000000u);
}

TEST(Canvas, RectangleOutlineCombinesEachPixelOnceInEveryPenMode)
{
    // The outline is the pen (of its width, centred on the path along
    // columns left..right-1 and rows top..bottom-1) over every pixel of the
    // band between the outer and inner boxes, each combined exactly once,
    // also where the box reaches off the surface.
    struct Box {
        int L, T, R, B;
    };
    const Box boxes[] = {{0, 0, 20, 16}, {-3, 2, 12, 30}, {4, 4, 9, 7}, {5, -6, 25, 11}};
    const Colour pen = RGB(0x5A, 0xC3, 0x3C);
    for (const PenMode mode : {PenMode::Copy, PenMode::Mask, PenMode::NotXor})
        for (const int width : {1, 2, 5})
            for (const Box &b : boxes) {
                Canvas c(20, 16);
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 20; ++x)
                        c.SetPixel(x, y, RGB(x * 13, y * 17, (x + y) * 5));
                const Canvas before = c;
                c.SetPen(pen, width, mode);
                c.SetNoFill();
                c.Rectangle(b.L, b.T, b.R, b.B);
                const int lo = -(width - 1) / 2, hi = width / 2;
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 20; ++x) {
                        const bool outer = x >= b.L + lo && x <= b.R - 1 + hi && y >= b.T + lo && y <= b.B - 1 + hi;
                        const bool inner = x >= b.L + hi + 1 && x <= b.R - 1 + lo - 1 && y >= b.T + hi + 1 &&
                                           y <= b.B - 1 + lo - 1;
                        const Colour old = before.GetPixel(x, y);
                        Colour want = old;
                        if (outer && !inner)
                            want = mode == PenMode::Copy   ? pen
                                   : mode == PenMode::Mask ? (old & pen)
                                                           : (~(old ^ pen) & 0x00FFFFFFu);
                        ASSERT_EQ(c.GetPixel(x, y), want) << "mode " << static_cast<int>(mode) << " width " << width
                                                          << " box " << b.L << "," << b.T << " at " << x << "," << y;
                    }
            }
}

TEST(Canvas, EllipseStaysInItsBoxWithPenOutlineAndBrushInside)
{
    Canvas c(30, 30);
    c.FillRect(0, 0, 30, 30, Black);
    c.SetPen(White, 1, PenMode::Copy);
    c.SetBrush(RGB(0, 128, 0));
    c.Ellipse(5, 5, 25, 25);
    EXPECT_EQ(c.GetPixel(15, 15), RGB(0, 128, 0));
    EXPECT_EQ(c.GetPixel(5, 15), White);
    EXPECT_EQ(c.GetPixel(24, 15), White);
    EXPECT_EQ(c.GetPixel(15, 5), White);
    EXPECT_EQ(c.GetPixel(15, 24), White);
    EXPECT_EQ(c.GetPixel(25, 15), Black);
    EXPECT_EQ(c.GetPixel(5, 5), Black); // corners of the box lie outside
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if (x < 5 || x >= 25 || y < 5 || y >= 25) {
                ASSERT_EQ(c.GetPixel(x, y), Black) << x << "," << y;
            }
    // The brush region is closed by the pen: no brush pixel touches the outside.
    for (int y = 1; y < 29; ++y)
        for (int x = 1; x < 29; ++x)
            if (c.GetPixel(x, y) == RGB(0, 128, 0)) {
                EXPECT_NE(c.GetPixel(x - 1, y), Black);
                EXPECT_NE(c.GetPixel(x + 1, y), Black);
                EXPECT_NE(c.GetPixel(x, y - 1), Black);
                EXPECT_NE(c.GetPixel(x, y + 1), Black);
            }
}

namespace {

// A 20x20 white canvas with a black ring (4-connected wall) around the box
// 5..14 and a grey patch inside it.
Canvas Ring()
{
    Canvas c(20, 20);
    c.SetPen(Black, 1, PenMode::Copy);
    c.SetNoFill();
    c.Rectangle(5, 5, 15, 15);
    c.FillRect(8, 8, 10, 10, RGB(128, 128, 128));
    return c;
}

} // namespace

TEST(Canvas, SurfaceFillTakesOnlyTheConnectedSameColour)
{
    Canvas c = Ring();
    c.SetBrush(RGB(0, 0, 255));
    c.FloodFill(7, 7, White, FloodStyle::Surface);
    EXPECT_EQ(c.GetPixel(6, 6), RGB(0, 0, 255));
    EXPECT_EQ(c.GetPixel(13, 13), RGB(0, 0, 255));
    EXPECT_EQ(c.GetPixel(8, 8), RGB(128, 128, 128)); // another colour stays
    EXPECT_EQ(c.GetPixel(2, 2), White);               // outside the ring stays
    EXPECT_EQ(c.GetPixel(5, 5), Black);

    // A start pixel of another colour fills nothing.
    Canvas d = Ring();
    d.SetBrush(RGB(0, 0, 255));
    d.FloodFill(5, 9, White, FloodStyle::Surface);
    EXPECT_TRUE(PixelsOf(d, RGB(0, 0, 255)).empty());
    // Filling a surface with its own colour is no change and ends.
    d.SetBrush(White);
    d.FloodFill(2, 2, White, FloodStyle::Surface);
    EXPECT_EQ(PixelsOf(d, White).size(), PixelsOf(Ring(), White).size());
}

TEST(Canvas, BorderFillCrossesOtherColoursUpToTheBorder)
{
    Canvas c = Ring();
    c.SetBrush(Black);
    c.FloodFill(7, 7, Black, FloodStyle::Border);
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x)
            EXPECT_EQ(c.GetPixel(x, y), Black);
    EXPECT_EQ(c.GetPixel(4, 4), White);

    // A brush other than the border colour, started on a pixel of another
    // colour, still fills to the border and stops.
    Canvas d = Ring();
    d.SetBrush(RGB(255, 0, 0));
    d.FloodFill(8, 8, Black, FloodStyle::Border);
    EXPECT_EQ(d.GetPixel(6, 13), RGB(255, 0, 0));
    EXPECT_EQ(d.GetPixel(9, 9), RGB(255, 0, 0));
    EXPECT_EQ(d.GetPixel(5, 9), Black);
    EXPECT_EQ(d.GetPixel(15, 9), White);
    // Started on the border itself: nothing.
    Canvas e = Ring();
    e.SetBrush(RGB(255, 0, 0));
    e.FloodFill(5, 9, Black, FloodStyle::Border);
    EXPECT_TRUE(PixelsOf(e, RGB(255, 0, 0)).empty());
}

TEST(Canvas, FloodFillIsFourConnectedAndHandlesMazes)
{
    // A diagonal wall: 4-connected fills do not pass between its pixels.
    Canvas c(16, 16);
    for (int i = 0; i < 16; ++i)
        c.SetPixel(i, 15 - i, Black);
    c.SetBrush(RGB(0, 255, 0));
    c.FloodFill(0, 0, White, FloodStyle::Surface);
    EXPECT_EQ(c.GetPixel(14, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.GetPixel(15, 15), White);
    EXPECT_EQ(c.GetPixel(1, 15), White);

    // A serpentine corridor reached only through its turns.
    Canvas m(41, 41);
    m.SetPen(Black, 1, PenMode::Copy);
    for (int row = 2; row < 40; row += 4) {
        const bool gapRight = (row / 4) % 2 == 0;
        m.MoveTo(gapRight ? 0 : 2, row);
        m.LineTo(gapRight ? 39 : 41, row);
    }
    m.SetBrush(RGB(0, 0, 200));
    m.FloodFill(20, 0, White, FloodStyle::Surface);
    EXPECT_TRUE(PixelsOf(m, White).empty());
}

namespace {

// The plain breadth-first 4-connected fill that the scanline fill must match.
void ReferenceFill(std::vector<Colour> &px, int w, int h, int x, int y, Colour colour, FloodStyle style, Colour brush)
{
    auto inside = [&](Colour p) { return style == FloodStyle::Surface ? p == colour : p != colour; };
    std::vector<char> seen(px.size(), 0);
    if (!inside(px[static_cast<std::size_t>(y * w + x)]))
        return;
    std::vector<std::pair<int, int>> queue{{x, y}};
    seen[static_cast<std::size_t>(y * w + x)] = 1;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const auto [cx, cy] = queue[i];
        for (const auto &[nx, ny] : {std::pair{cx + 1, cy}, {cx - 1, cy}, {cx, cy + 1}, {cx, cy - 1}}) {
            if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                continue;
            const auto k = static_cast<std::size_t>(ny * w + nx);
            if (!seen[k] && inside(px[k])) {
                seen[k] = 1;
                queue.push_back({nx, ny});
            }
        }
    }
    for (const auto &[cx, cy] : queue)
        px[static_cast<std::size_t>(cy * w + cx)] = brush;
}


// Fills the canvas from (sx, sy) and checks every pixel against the plain
// fill of `expected` (the canvas's pixels before the fill).
void ExpectFillLikeReference(Canvas &c, std::vector<Colour> expected, int sx, int sy, Colour target, FloodStyle style,
                             Colour brush, const std::string &context)
{
    const int w = c.Width(), h = c.Height();
    ReferenceFill(expected, w, h, sx, sy, target, style, brush);
    c.SetBrush(brush);
    c.FloodFill(sx, sy, target, style);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(c.GetPixel(x, y), expected[static_cast<std::size_t>(y * w + x)])
                << context << " at " << x << "," << y;
}

} // namespace

TEST(Canvas, ScanlineFillMatchesAPlainFillOnRandomScenes)
{
    // Wide scenes with long runs and many obstacles, so the wide row scans
    // and every leak direction of the scanline fill are exercised.
    Draws rnd{12345u};
    const Colour palette[] = {RGB(128, 128, 128), Black, RGB(0, 0, 128), RGB(0, 128, 0)};
    for (int round = 0; round < 40; ++round) {
        const int w = 150 + rnd(200);
        const int h = 40 + rnd(80);
        Canvas c(w, h);
        c.FillRect(0, 0, w, h, palette[0]);
        for (int i = 0; i < 60; ++i) {
            const int x = rnd(w), y = rnd(h);
            c.FillRect(x, y, x + 1 + rnd(40), y + 1 + rnd(6), palette[rnd(4)]);
        }
        c.SetPen(Black, 1, PenMode::Copy);
        for (int i = 0; i < 15; ++i) {
            c.MoveTo(rnd(w), rnd(h));
            c.LineTo(rnd(w), rnd(h));
        }
        std::vector<Colour> expected(static_cast<std::size_t>(w * h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                expected[static_cast<std::size_t>(y * w + x)] = c.GetPixel(x, y);
        const int sx = rnd(w), sy = rnd(h);
        const FloodStyle style = round % 3 == 2 ? FloodStyle::Border : FloodStyle::Surface;
        const Colour target = style == FloodStyle::Border ? Black : c.GetPixel(sx, sy);
        const Colour brush = round % 2 == 0 ? RGB(255, 0, 0) : (style == FloodStyle::Border ? Black : RGB(1, 1, 1));
        ExpectFillLikeReference(c, expected, sx, sy, target, style, brush, "round " + std::to_string(round));
    }
}

TEST(Canvas, FloodFillCoversALargeBlankImage)
{
    Canvas c(1920, 1048);
    c.FillRect(0, 0, 1920, 1048, RGB(128, 128, 128));
    c.SetBrush(RGB(0, 0, 128));
    c.FloodFill(960, 524, RGB(128, 128, 128), FloodStyle::Surface);
    for (int y = 0; y < 1048; y += 7)
        for (int x = 0; x < 1920; ++x)
            ASSERT_EQ(c.GetPixel(x, y), RGB(0, 0, 128)) << x << "," << y;
    EXPECT_EQ(c.GetPixel(1919, 1047), RGB(0, 0, 128));
}

TEST(Canvas, LinesLeavingTheSurfaceKeepTheirPixelsOnIt)
{
    // The walk skips the steps off the surface by arithmetic; the pixels it
    // keeps must be exactly those of the whole line that fall on it.
    std::uint32_t seed = 777;
    auto rnd = [&seed](int lo, int hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(hi - lo + 1));
    };
    for (int round = 0; round < 400; ++round) {
        const int width = round % 2 == 0 ? 1 : 3;
        const int x0 = rnd(-300, 340), y0 = rnd(-300, 300), x1 = rnd(-300, 340), y1 = rnd(-300, 300);
        Canvas c(40, 30);
        c.SetPen(Black, width, PenMode::Copy);
        c.MoveTo(x0, y0);
        c.LineTo(x1, y1);
        // The whole line, walked on a surface large enough to hold it.
        Canvas big(700, 700);
        big.SetPen(Black, width, PenMode::Copy);
        big.MoveTo(x0 + 320, y0 + 320);
        big.LineTo(x1 + 320, y1 + 320);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(c.GetPixel(x, y), big.GetPixel(x + 320, y + 320))
                    << "line " << x0 << "," << y0 << " to " << x1 << "," << y1 << " at " << x << "," << y;
    }
}

namespace {

// The pixels of a width-1 line by its definition: n = the larger of |dx| and
// |dy| steps, step i at major = start + i, minor = start + floor((2 i |dminor|
// + n) / (2 n)), the end pixel left out.
std::vector<std::pair<int, int>> DefinedLine(int x0, int y0, int x1, int y1)
{
    const int dx = x1 - x0, dy = y1 - y0;
    const int adx = std::abs(dx), ady = std::abs(dy);
    const bool xMajor = adx >= ady;
    const int n = std::max(adx, ady);
    const int a = xMajor ? ady : adx;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    std::vector<std::pair<int, int>> out;
    for (int i = 0; i < n; ++i) {
        const int m = (2 * i * a + n) / (2 * n);
        out.push_back(xMajor ? std::pair{x0 + sx * i, y0 + sy * m} : std::pair{x0 + sx * m, y0 + sy * i});
    }
    return out;
}

// A background where every pixel differs, so that each pen mode shows.
void Pattern(Canvas &c)
{
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            c.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x * 7 + y), static_cast<std::uint8_t>(y * 13 + x * 3), 0x5A));
}

// Paints on `expected` what a width-1 pen makes of the line by its
// definition, pixel by pixel; pixels off the surface are skipped.
void PaintDefinedLine(Canvas &expected, CanvasPoint from, CanvasPoint to, Colour pen, PenMode mode)
{
    const std::uint32_t p = Canvas::ToPixel(pen) & 0xFFFFFFu;
    for (const auto &[x, y] : DefinedLine(from.X, from.Y, to.X, to.Y)) {
        if (x < 0 || y < 0 || x >= expected.Width() || y >= expected.Height())
            continue;
        const std::uint32_t below = Canvas::ToPixel(expected.GetPixel(x, y));
        const std::uint32_t now = mode == PenMode::Copy   ? p
                                  : mode == PenMode::Mask ? (below & p)
                                                          : (~(below ^ p) & 0xFFFFFFu);
        expected.SetPixel(x, y, Canvas::FromPixel(now));
    }
}

} // namespace

TEST(Canvas, ThinLinesAndPolylinesFollowTheDefinitionInEveryMode)
{
    // Lines on the surface are walked by pointer steps, lines reaching off
    // it by the clipping walk; steep lines read ahead. All must paint the
    // defined pixels, each once, in every octant and pen mode, whether drawn
    // one by one or as a path.
    std::uint32_t seed = 4242;
    auto rnd = [&seed](int lo, int hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(hi - lo + 1));
    };
    const Colour pen = RGB(0x3C, 0xA5, 0x0F);
    for (const PenMode mode : {PenMode::Copy, PenMode::Mask, PenMode::NotXor}) {
        for (int round = 0; round < 60; ++round) {
            const int w = 50, h = 40;
            // Half the paths stay on the surface, half wander off it.
            const int margin = round % 2 == 0 ? 0 : 25;
            std::vector<CanvasPoint> path;
            for (int i = 0; i < 6; ++i)
                path.push_back({rnd(-margin, w - 1 + margin), rnd(-margin, h - 1 + margin)});
            if (round % 3 == 0)
                path.push_back(path.back()); // a repeated vertex draws nothing
            Canvas expected(w, h), single(w, h), joined(w, h);
            for (Canvas *c : {&expected, &single, &joined}) {
                Pattern(*c);
                c->SetPen(pen, 1, mode);
            }
            for (std::size_t i = 1; i < path.size(); ++i)
                PaintDefinedLine(expected, path[i - 1], path[i], pen, mode);
            single.MoveTo(path[0].X, path[0].Y);
            for (std::size_t i = 1; i < path.size(); ++i)
                single.LineTo(path[i].X, path[i].Y);
            joined.Polyline(path.data(), path.size());
            EXPECT_EQ(joined.CurrentX(), path.back().X);
            EXPECT_EQ(joined.CurrentY(), path.back().Y);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    ASSERT_EQ(single.GetPixel(x, y), expected.GetPixel(x, y))
                        << "mode " << static_cast<int>(mode) << " round " << round << " at " << x << "," << y;
                    ASSERT_EQ(joined.GetPixel(x, y), expected.GetPixel(x, y))
                        << "mode " << static_cast<int>(mode) << " round " << round << " at " << x << "," << y;
                }
        }
    }
}

TEST(Canvas, ShortAndLevelLinesFollowTheDefinitionEverywhere)
{
    // An outline is mostly lines of a few pixels, painted from a table of
    // their pixels, and a grid's parallels are level lines painted as one
    // span: every such line, from the middle of the surface, its edges and
    // its corners (where the table must give way to clipping), in every pen
    // mode, must paint the defined pixels once and leave its end pixel.
    const int w = 12, h = 9;
    const Colour pen = RGB(0x3C, 0xA5, 0x0F);
    const CanvasPoint starts[] = {{6, 4}, {0, 0}, {w - 1, h - 1}, {0, h - 1}, {w - 1, 0}, {6, 0}, {0, 4}};
    for (const PenMode mode : {PenMode::Copy, PenMode::Mask, PenMode::NotXor})
        for (const CanvasPoint from : starts)
            for (int dy = -6; dy <= 6; ++dy)
                for (int dx = -14; dx <= 14; ++dx) {
                    if (dy != 0 && std::abs(dx) > 6)
                        continue; // long lines only when level
                    const CanvasPoint to{from.X + dx, from.Y + dy};
                    Canvas expected(w, h), single(w, h), joined(w, h);
                    for (Canvas *c : {&expected, &single, &joined}) {
                        Pattern(*c);
                        c->SetPen(pen, 1, mode);
                    }
                    PaintDefinedLine(expected, from, to, pen, mode);
                    single.MoveTo(from.X, from.Y);
                    single.LineTo(to.X, to.Y);
                    const CanvasPoint path[] = {from, to};
                    joined.Polyline(path, 2);
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x) {
                            ASSERT_EQ(single.GetPixel(x, y), expected.GetPixel(x, y))
                                << "mode " << static_cast<int>(mode) << " from " << from.X << "," << from.Y << " by "
                                << dx << "," << dy << " at " << x << "," << y;
                            ASSERT_EQ(joined.GetPixel(x, y), expected.GetPixel(x, y))
                                << "mode " << static_cast<int>(mode) << " from " << from.X << "," << from.Y << " by "
                                << dx << "," << dy << " at " << x << "," << y;
                        }
                }
}

TEST(Canvas, PolylineWithAThickPenDrawsLikeItsLines)
{
    const std::vector<CanvasPoint> path = {{3, 4}, {30, 9}, {30, 9}, {12, 33}, {-5, 20}, {3, 4}};
    Canvas single(40, 40), joined(40, 40);
    for (Canvas *c : {&single, &joined}) {
        Pattern(*c);
        c->SetPen(Black, 3, PenMode::NotXor);
    }
    single.MoveTo(path[0].X, path[0].Y);
    for (std::size_t i = 1; i < path.size(); ++i)
        single.LineTo(path[i].X, path[i].Y);
    joined.Polyline(path.data(), path.size());
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(joined.GetPixel(x, y), single.GetPixel(x, y)) << x << "," << y;
    // No points: nothing drawn, the current point stays.
    joined.MoveTo(7, 8);
    joined.Polyline(path.data(), 0);
    EXPECT_EQ(joined.CurrentX(), 7);
    EXPECT_EQ(joined.CurrentY(), 8);
}

TEST(Canvas, ScanlineFillMatchesAPlainFillOnNarrowScenesAndAtEveryEdge)
{
    // Surfaces narrower than a vector group, rows whose last group overlaps
    // the one before, and fills started on the first and last rows and
    // columns, where the fill looks back at rows that do not exist.
    Draws rnd{99u};
    const Colour palette[] = {RGB(128, 128, 128), Black, RGB(0, 0, 128)};
    for (int round = 0; round < 600; ++round) {
        const int w = 1 + rnd(27);
        const int h = 1 + rnd(12);
        Canvas c(w, h);
        c.FillRect(0, 0, w, h, palette[0]);
        for (int i = rnd(w * h / 3 + 1); i > 0; --i)
            c.SetPixel(rnd(w), rnd(h), palette[1 + rnd(2)]);
        std::vector<Colour> expected(static_cast<std::size_t>(w * h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                expected[static_cast<std::size_t>(y * w + x)] = c.GetPixel(x, y);
        // Seeds on the edges most of the time.
        int sx = rnd(w), sy = rnd(h);
        switch (round % 5) {
        case 0: sy = h - 1; break;
        case 1: sy = 0; break;
        case 2: sx = w - 1; break;
        case 3: sx = 0; break;
        default: break;
        }
        const FloodStyle style = round % 2 == 0 ? FloodStyle::Surface : FloodStyle::Border;
        const Colour target = style == FloodStyle::Border ? Black : c.GetPixel(sx, sy);
        const Colour brush = style == FloodStyle::Border ? Black : RGB(255, 0, 0);
        ExpectFillLikeReference(c, expected, sx, sy, target, style, brush,
                                "round " + std::to_string(round) + " (" + std::to_string(w) + "x" +
                                    std::to_string(h) + " from " + std::to_string(sx) + "," + std::to_string(sy) + ")");
    }
}

namespace {

// Where two canvases of one size first differ, or "" when they do not.
std::string FirstDifference(const Canvas &a, const Canvas &b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y) || a.Image().pixel(x, y) != b.Image().pixel(x, y))
                return std::to_string(x) + "," + std::to_string(y);
    return {};
}

} // namespace

TEST(Canvas, IndexedRegionFillsGiveThePixelsOfPlainFills)
{
    // Two canvases go through the same drawing; one has its land regions
    // indexed before the fills. Every colour read back and the final pixels
    // must agree, whatever comes between the fills: fills of other colours,
    // fills into the indexed colour, lines, pixels, border fills and copies.
    Draws rnd{4242u};
    const Colour land = RGB(128, 128, 128);
    const Colour palette[] = {land, Black, RGB(0, 0, 128), RGB(0, 128, 0), RGB(255, 255, 0)};
    for (int round = 0; round < 60; ++round) {
        const int w = 1 + rnd(round < 20 ? 40 : 300);
        const int h = 1 + rnd(round < 20 ? 20 : 120);
        Canvas plain(w, h);
        plain.FillRect(0, 0, w, h, land);
        plain.SetPen(Black, 1 + rnd(2), PenMode::Copy);
        for (int i = rnd(25); i > 0; --i) {
            plain.MoveTo(rnd(w), rnd(h));
            plain.LineTo(rnd(w), rnd(h));
        }
        for (int i = rnd(w * h / 8 + 1); i > 0; --i)
            plain.SetPixel(rnd(w), rnd(h), palette[1 + rnd(2)]);
        Canvas indexed = plain;
        indexed.IndexRegions(land);
        const std::string where = "round " + std::to_string(round);
        for (int step = 0; step < 80; ++step) {
            const int x = rnd(w), y = rnd(h);
            const int what = rnd(20);
            auto both = [&](auto op) {
                op(plain);
                op(indexed);
            };
            if (what < 12) {
                // Mostly land, as a start drawing fills, sometimes a colour
                // already filled, sometimes a fill that makes land.
                const Colour target = what < 9 ? land : plain.GetPixel(x, y);
                const Colour brush = what == 11 ? land : palette[1 + rnd(4)];
                both([&](Canvas &c) {
                    c.SetBrush(brush);
                    c.FloodFill(x, y, target, FloodStyle::Surface);
                });
            } else if (what < 16) {
                ASSERT_EQ(indexed.GetPixel(x, y), plain.GetPixel(x, y)) << where << " step " << step;
                continue;
            } else if (what == 16) {
                both([&](Canvas &c) { c.SetPixel(x, y, land); });
            } else if (what == 17) {
                const int x1 = rnd(w), y1 = rnd(h);
                const Colour pen = palette[rnd(2)];
                both([&](Canvas &c) {
                    c.SetPen(pen, 1, PenMode::Copy);
                    c.MoveTo(x, y);
                    c.LineTo(x1, y1);
                });
            } else if (what == 18) {
                both([&](Canvas &c) {
                    c.SetBrush(Black);
                    c.FloodFill(x, y, Black, FloodStyle::Border);
                });
            } else {
                // A copy taken now shows every fill made so far.
                const Canvas copy = indexed;
                ASSERT_EQ(FirstDifference(copy, plain), "") << where << " step " << step;
            }
            if (rnd(10) == 0)
                indexed.IndexRegions(land);
        }
        ASSERT_EQ(FirstDifference(indexed, plain), "") << where;
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
// The suite runs these tests again with LANDORA_PLAIN_PATHS set; unless the
// override takes, that run only repeats the wide paths.
TEST(Canvas, PlainPathsOverrideTurnsTheWidePathsOff)
{
    const char *forced = std::getenv("LANDORA_PLAIN_PATHS");
    if (forced == nullptr || std::string(forced).empty() || std::string(forced) == "0")
        GTEST_SKIP() << "wide paths as the processor allows";
    EXPECT_TRUE(PlainPathsForced);
    EXPECT_FALSE(HasAvx2);
    EXPECT_FALSE(HasAvx2BitScan);
}
#endif
