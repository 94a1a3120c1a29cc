#pragma once
// The flood fills and solid spans of the canvas, where the processor decides
// the path: the scanline fill that reads four pixels a step (CanvasFill.cpp)
// everywhere, and the one with 256-bit vectors (CanvasFillWide.cpp) where
// map/Cpu.h says so. Both fill exactly the region of the plain scanline fill
// in Canvas.cpp. Internal to the canvas.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "map/Cpu.h"

#if defined(__x86_64__) && defined(__GNUC__)
#define LANDORA_HAVE_AVX2_PATH 1
#endif

namespace landora::canvas {

// A row segment waiting on the seed fill's stack: the pixels XL..XR of row
// Y, whose neighbours in row Y + DY are still to be looked at.
struct Segment {
    int Y;
    int XL;
    int XR;
    int DY;
};

#if defined(LANDORA_HAVE_AVX2_PATH)
// The wide paths, compiled for AVX2; called only where HasAvx2 holds.
__attribute__((target("avx2"))) void FillSpanWide(std::uint32_t *p, std::size_t n, std::uint32_t value);
void SurfaceFillWide(std::uint32_t *bits, std::size_t stride, int width, int height, int x, int y,
                     std::uint32_t target, std::uint32_t fill);
void BorderFillWide(std::uint32_t *bits, std::size_t stride, int width, int height, int x, int y,
                    std::uint32_t border);
#endif

// Solid spans: the plain fill that every other cost is measured against, so
// it gets the same wide vectors as the flood fill.
inline void FillSpan(std::uint32_t *p, std::size_t n, std::uint32_t value)
{
#if defined(LANDORA_HAVE_AVX2_PATH)
    if (HasAvx2) {
        FillSpanWide(p, n, value);
        return;
    }
#endif
    std::fill_n(p, n, value);
}

// The 4-connected region of pixels equal to `target` through (x, y), set to
// `fill` (which differs from `target`). A seed off the surface or of another
// colour fills nothing.
void SurfaceFill(std::uint32_t *bits, std::size_t stride, int width, int height, int x, int y, std::uint32_t target,
                 std::uint32_t fill);
// The 4-connected region of pixels other than `border` through (x, y), set
// to `border` itself.
void BorderFill(std::uint32_t *bits, std::size_t stride, int width, int height, int x, int y, std::uint32_t border);

} // namespace landora::canvas
