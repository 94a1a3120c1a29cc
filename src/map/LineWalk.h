#pragma once
// Which pixels a line covers: the one definition, used by the plain thick
// line of the canvas and by the fast width-1 paths of CanvasLines.h, whose
// pixels must be these. Internal to the canvas.
#include <algorithm>
#include <cstdint>

namespace landora::canvas {

// The pixels of a line from (x0, y0) towards (x1, y1), end pixel excluded:
// n = the larger of |dx| and |dy| steps; step i (0..n-1) lies at
// major = start + i, minor = start + floor((2 i |dminor| + n) / (2 n)),
// so the minor coordinate is rounded half away from the start. The steps
// whose pixel can touch the rectangle [xmin, xmax] x [ymin, ymax] are handed
// to `visit`; the rest are skipped without being walked.
template <typename Visit>
inline void WalkLine(int x0, int y0, int x1, int y1, int xmin, int xmax, int ymin, int ymax, Visit visit)
{
    const std::int64_t dx = static_cast<std::int64_t>(x1) - x0;
    const std::int64_t dy = static_cast<std::int64_t>(y1) - y0;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const std::int64_t n = xMajor ? adx : ady;
    if (n == 0)
        return;
    const std::int64_t a = xMajor ? ady : adx; // minor extent
    const int sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t major0 = xMajor ? x0 : y0;
    const std::int64_t minor0 = xMajor ? y0 : x0;
    const std::int64_t majMin = xMajor ? xmin : ymin;
    const std::int64_t majMax = xMajor ? xmax : ymax;
    const std::int64_t minMin = xMajor ? ymin : xmin;
    const std::int64_t minMax = xMajor ? ymax : xmax;

    if (x0 >= xmin && x0 <= xmax && x1 >= xmin && x1 <= xmax && y0 >= ymin && y0 <= ymax && y1 >= ymin &&
        y1 <= ymax) {
        // Wholly on the surface: the plain walk, without clipping arithmetic.
        const std::int64_t den2 = 2 * n;
        const std::int64_t inc2 = 2 * a;
        std::int64_t r = n;
        int maj = static_cast<int>(major0);
        int mnr = static_cast<int>(minor0);
        for (std::int64_t i = 0; i < n; ++i) {
            if (xMajor)
                visit(maj, mnr);
            else
                visit(mnr, maj);
            maj += sMajor;
            r += inc2;
            if (r >= den2) {
                r -= den2;
                mnr += sMinor;
            }
        }
        return;
    }
    // Steps whose major coordinate lies in range.
    std::int64_t iLo = 0;
    std::int64_t iHi = n - 1;
    if (sMajor > 0) {
        iLo = std::max(iLo, majMin - major0);
        iHi = std::min(iHi, majMax - major0);
    } else {
        iLo = std::max(iLo, major0 - majMax);
        iHi = std::min(iHi, major0 - majMin);
    }
    if (iLo > iHi)
        return;
    // Steps whose minor offset m(i) lies in [mLo, mHi]; m is non-decreasing.
    std::int64_t mLo = sMinor > 0 ? minMin - minor0 : minor0 - minMax;
    std::int64_t mHi = sMinor > 0 ? minMax - minor0 : minor0 - minMin;
    if (a == 0) {
        if (mLo > 0 || mHi < 0)
            return;
    } else {
        mLo = std::max<std::int64_t>(mLo, 0);
        if (mHi < mLo)
            return;
        // m(i) >= k  <=>  i >= (2nk - n) / (2a)
        auto firstWithAtLeast = [&](std::int64_t k) {
            const std::int64_t num = 2 * n * k - n;
            if (num <= 0)
                return std::int64_t{0};
            return (num + 2 * a - 1) / (2 * a);
        };
        iLo = std::max(iLo, firstWithAtLeast(mLo));
        iHi = std::min(iHi, firstWithAtLeast(mHi + 1) - 1);
        if (iLo > iHi)
            return;
    }
    // The first visible step by division, the rest incrementally: the
    // numerator 2ia + n grows by 2a per step, and a <= n, so the minor
    // offset grows by at most one per step.
    const std::int64_t den = 2 * n;
    const std::int64_t num = 2 * iLo * a + n;
    std::int64_t m = num / den;
    std::int64_t rem = num % den;
    const std::int64_t inc = 2 * a;
    int major = static_cast<int>(major0 + sMajor * iLo);
    int minor = static_cast<int>(minor0 + sMinor * m);
    for (std::int64_t i = iLo; i <= iHi; ++i) {
        if (xMajor)
            visit(major, minor);
        else
            visit(minor, major);
        major += sMajor;
        rem += inc;
        if (rem >= den) {
            rem -= den;
            minor += sMinor;
        }
    }
}

} // namespace landora::canvas
