#pragma once
// The fast paths of the width-1 pen: a line stepped by a pixel pointer, and
// lines up to four pixels long painted from a table. Both give exactly the
// pixels of WalkLine (LineWalk.h), which defines them; the plain canvas
// (Canvas.cpp) calls these for its thin lines and polylines. Internal to the
// canvas.
#include <array>
#include <cstddef>
#include <cstdint>

#include "map/LineWalk.h"

namespace landora::canvas {

constexpr std::uint32_t Opaque = 0xFF000000u;
constexpr std::uint32_t RgbBits = 0x00FFFFFFu;

// A width-1 line from (x0, y0) to (x1, y1) without its end pixel, each pixel
// changed once by `paint`. A line wholly on the surface (the map's outlines,
// nearly all of them) takes the steps of WalkLine with a pixel pointer moved
// along the major axis and across on the minor one; any other is clipped by
// WalkLine itself.
template <typename Paint>
[[gnu::noinline]] void PaintClippedLine(std::uint32_t *bits, std::size_t stride, int width, int height, int x0, int y0,
                                        int x1, int y1, Paint paint)
{
    WalkLine(x0, y0, x1, y1, 0, width - 1, 0, height - 1, [&](int x, int y) {
        paint(bits[stride * static_cast<std::size_t>(y) + static_cast<std::size_t>(x)]);
    });
}

template <typename Paint>
[[gnu::always_inline]] inline void PaintLine(std::uint32_t *bits, std::size_t stride, int width, int height, int x0,
                                             int y0, int x1, int y1, Paint paint)
{
    if (static_cast<unsigned>(x0) >= static_cast<unsigned>(width) ||
        static_cast<unsigned>(x1) >= static_cast<unsigned>(width) ||
        static_cast<unsigned>(y0) >= static_cast<unsigned>(height) ||
        static_cast<unsigned>(y1) >= static_cast<unsigned>(height)) {
        PaintClippedLine(bits, stride, width, height, x0, y0, x1, y1, paint);
        return;
    }
    auto at = [bits, stride](int x, int y) -> std::uint32_t & {
        return bits[stride * static_cast<std::size_t>(y) + static_cast<std::size_t>(x)];
    };
    const int dx = x1 - x0;
    const int dy = y1 - y0;
    const int adx = dx < 0 ? -dx : dx;
    const int ady = dy < 0 ? -dy : dy;
    const auto rowStep = static_cast<std::ptrdiff_t>(stride);
    const std::ptrdiff_t xStep = dx < 0 ? -1 : 1;
    const std::ptrdiff_t yStep = dy < 0 ? -rowStep : rowStep;
    const bool xMajor = adx >= ady;
    const int n = xMajor ? adx : ady;
    const int twiceMinor = 2 * (xMajor ? ady : adx);
    const int twiceN = 2 * n;
    const std::ptrdiff_t majorStep = xMajor ? xStep : yStep;
    const std::ptrdiff_t minorStep = xMajor ? yStep : xStep;
    std::uint32_t *p = &at(x0, y0);
    int r = n;
    if constexpr (!Paint::ReadsPixel) {
        // Writing only: the minor step is taken by mask rather than by
        // branch, since along a slanted line it comes at no pattern a branch
        // could learn, and no load waits on the pointer.
        for (int i = 0; i < n; ++i) {
            paint(*p);
            r += twiceMinor;
            const int step = -static_cast<int>(r >= twiceN);
            r -= twiceN & step;
            p += majorStep + (minorStep & step);
        }
        return;
    }
    if (xMajor) {
        for (int i = 0; i < n; ++i) {
            paint(*p);
            p += majorStep;
            r += twiceMinor;
            if (r >= twiceN) {
                r -= twiceN;
                p += minorStep;
            }
        }
        return;
    }
    // Down or up the rows every pixel lies in a cache line of its own: the
    // one a few rows ahead (within as many pixels across) is asked for while
    // this one is combined. Asking is only a hint; it never faults, even past
    // the surface.
    const auto ahead = static_cast<std::uintptr_t>(majorStep * 8 * static_cast<std::ptrdiff_t>(sizeof(std::uint32_t)));
    for (int i = 0; i < n; ++i) {
        __builtin_prefetch(reinterpret_cast<const void *>(reinterpret_cast<std::uintptr_t>(p) + ahead));
        paint(*p);
        p += majorStep;
        r += twiceMinor;
        if (r >= twiceN) {
            r -= twiceN;
            p += minorStep;
        }
    }
}

// The pixel operations of the pen modes, with the pen's RGB bits.
struct CopyPaint {
    static constexpr bool ReadsPixel = false;
    std::uint32_t Value;
    void operator()(std::uint32_t &p) const { p = Value; }
};
struct MaskPaint {
    static constexpr bool ReadsPixel = true;
    std::uint32_t Pen;
    void operator()(std::uint32_t &p) const { p = Opaque | (p & Pen); }
};
struct NotXorPaint {
    static constexpr bool ReadsPixel = true;
    std::uint32_t Pen;
    void operator()(std::uint32_t &p) const { p = Opaque | (~(p ^ Pen) & RgbBits); }
};

// The pixels of every line no more than four pixels long either way, as
// offsets from its start, worked out by the line walk itself: an outline's
// lines are mostly of this kind, and painting them from the table takes no
// loop and no step that waits on the one before. Unused places repeat the
// start pixel (painted anyway), so four pixels are always written.
struct ShortLine {
    std::int8_t N = 0; // pixels painted
    std::int8_t X[4] = {};
    std::int8_t Y[4] = {};
};
constexpr int ShortReach = 4;
constexpr int ShortSide = 2 * ShortReach + 1;

inline const std::array<ShortLine, ShortSide * ShortSide> &ShortLines()
{
    static const auto table = [] {
        std::array<ShortLine, ShortSide * ShortSide> t{};
        for (int dy = -ShortReach; dy <= ShortReach; ++dy)
            for (int dx = -ShortReach; dx <= ShortReach; ++dx) {
                ShortLine &line = t[static_cast<std::size_t>((dy + ShortReach) * ShortSide + dx + ShortReach)];
                WalkLine(0, 0, dx, dy, -ShortReach, ShortReach, -ShortReach, ShortReach, [&](int x, int y) {
                    line.X[line.N] = static_cast<std::int8_t>(x);
                    line.Y[line.N] = static_cast<std::int8_t>(y);
                    ++line.N;
                });
            }
        return t;
    }();
    return table;
}

// A copy-mode line from the table when it is short and wholly on the
// surface; false, with nothing painted, when it is not.
inline bool PaintShortLine(std::uint32_t *bits, std::size_t stride, int width, int height, int x0, int y0, int x1,
                           int y1, std::uint32_t value)
{
    const int dx = x1 - x0;
    const int dy = y1 - y0;
    if (static_cast<unsigned>(dx + ShortReach) >= ShortSide || static_cast<unsigned>(dy + ShortReach) >= ShortSide ||
        static_cast<unsigned>(x0) >= static_cast<unsigned>(width) ||
        static_cast<unsigned>(x1) >= static_cast<unsigned>(width) ||
        static_cast<unsigned>(y0) >= static_cast<unsigned>(height) ||
        static_cast<unsigned>(y1) >= static_cast<unsigned>(height))
        return false;
    static const auto &lines = ShortLines();
    const ShortLine &line = lines[static_cast<std::size_t>((dy + ShortReach) * ShortSide + dx + ShortReach)];
    // A line of no pixels writes its four into the sink.
    std::uint32_t sink = 0;
    std::uint32_t *p = line.N > 0 ? bits + stride * static_cast<std::size_t>(y0) + x0 : &sink;
    const auto rowStep = static_cast<std::ptrdiff_t>(stride);
    p[line.X[0] + line.Y[0] * rowStep] = value;
    p[line.X[1] + line.Y[1] * rowStep] = value;
    p[line.X[2] + line.Y[2] * rowStep] = value;
    p[line.X[3] + line.Y[3] * rowStep] = value;
    return true;
}

} // namespace landora::canvas
