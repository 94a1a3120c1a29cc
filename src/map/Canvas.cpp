#include "map/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define LANDORA_HAVE_AVX2_PATH 1
#endif

#include "data/Cp1252.h"
#include "map/Cpu.h"

namespace landora {

namespace {

constexpr std::uint32_t Opaque = 0xFF000000u;
constexpr std::uint32_t RgbBits = 0x00FFFFFFu;

// The brush of a thick pen: `width` pixels across, rounded at the corners.
// Offsets run from Lo to Hi around the pixel of the path; Span gives, for each
// brush row, the columns it covers.
struct PenBrush {
    int Lo = 0;
    int Hi = 0;
    std::vector<int> SpanLo;
    std::vector<int> SpanHi;

    explicit PenBrush(int width)
    {
        Lo = -(width - 1) / 2;
        Hi = width / 2;
        const double c = (Lo + Hi) / 2.0;
        const double r2 = (width / 2.0) * (width / 2.0);
        for (int dy = Lo; dy <= Hi; ++dy) {
            int lo = Hi + 1;
            int hi = Lo - 1;
            for (int dx = Lo; dx <= Hi; ++dx) {
                if ((dx - c) * (dx - c) + (dy - c) * (dy - c) <= r2 + 1e-9) {
                    lo = std::min(lo, dx);
                    hi = std::max(hi, dx);
                }
            }
            SpanLo.push_back(lo);
            SpanHi.push_back(hi);
        }
    }
};

// The pixels of a line from (x0, y0) towards (x1, y1), end pixel excluded:
// n = the larger of |dx| and |dy| steps; step i (0..n-1) lies at
// major = start + i, minor = start + floor((2 i |dminor| + n) / (2 n)),
// so the minor coordinate is rounded half away from the start. The steps
// whose pixel can touch the rectangle [xmin, xmax] x [ymin, ymax] are handed
// to `visit`; the rest are skipped without being walked.
template <typename Visit>
void WalkLine(int x0, int y0, int x1, int y1, int xmin, int xmax, int ymin, int ymax, Visit visit)
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

struct Segment {
    int Y;
    int XL;
    int XR;
    int DY;
};

// The 4-connected scanline seed fill: `inside` tells whether a pixel still
// belongs to the region, `set` fills it and must make `inside` false for it.
// Each row segment is filled once; its neighbours are looked at only beyond
// the segment's parent, so the fill reads each pixel a small constant number
// of times and never recurses.
template <typename Inside, typename Set>
void ScanlineFill(int width, int height, int x, int y, Inside inside, Set set)
{
    if (x < 0 || y < 0 || x >= width || y >= height || !inside(x, y))
        return;
    std::vector<Segment> stack;
    stack.reserve(256);
    auto push = [&](int py, int xl, int xr, int dy) {
        if (py + dy >= 0 && py + dy < height)
            stack.push_back({py, xl, xr, dy});
    };
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (!stack.empty()) {
        const Segment s = stack.back();
        stack.pop_back();
        const int dy = s.DY;
        const int row = s.Y + dy;
        const int x1 = s.XL;
        const int x2 = s.XR;
        int cx = x1;
        for (; cx >= 0 && inside(cx, row); --cx)
            set(cx, row);
        int left;
        if (cx >= x1) {
            // Nothing at x1: look for the next run inside the parent span.
            for (++cx; cx <= x2 && !inside(cx, row); ++cx) {
            }
            left = cx;
            if (cx > x2)
                continue;
        } else {
            left = cx + 1;
            if (left < x1)
                push(row, left, x1 - 1, -dy);
            cx = x1 + 1;
        }
        for (;;) {
            for (; cx < width && inside(cx, row); ++cx)
                set(cx, row);
            push(row, left, cx - 1, dy);
            if (cx > x2 + 1)
                push(row, x2 + 1, cx - 1, -dy);
            for (++cx; cx <= x2 && !inside(cx, row); ++cx) {
            }
            left = cx;
            if (cx > x2)
                break;
        }
    }
}


// Row scans for the flood fill. A pixel is inside the region when it equals
// `v` (a surface fill) or differs from it (a border fill). ScanRight gives the
// first index from x on (before end) whose inside-ness differs from `want`,
// or end; ScanLeft the smallest index l >= start such that l..x all have it.
// Four pixels are compared at a time where the processor allows.
template <bool Equal, bool Want>
inline bool Keeps(std::uint32_t p, std::uint32_t v)
{
    return ((p == v) == Equal) == Want;
}

#if defined(__SSE2__)
template <bool Equal, bool Want>
inline int StopMask(const std::uint32_t *at, __m128i pv)
{
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
    const int eq = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(d, pv)));
    const int inside = Equal ? eq : (~eq & 0xF);
    return Want ? (~inside & 0xF) : inside;
}
#endif

template <bool Equal, bool Want>
int ScanRight(const std::uint32_t *row, int x, int end, std::uint32_t v)
{
#if defined(__SSE2__)
    const __m128i pv = _mm_set1_epi32(static_cast<int>(v));
    while (x + 16 <= end) {
        const auto *p = reinterpret_cast<const __m128i *>(row + x);
        const __m128i e0 = _mm_cmpeq_epi32(_mm_loadu_si128(p), pv);
        const __m128i e1 = _mm_cmpeq_epi32(_mm_loadu_si128(p + 1), pv);
        const __m128i e2 = _mm_cmpeq_epi32(_mm_loadu_si128(p + 2), pv);
        const __m128i e3 = _mm_cmpeq_epi32(_mm_loadu_si128(p + 3), pv);
        bool keepAll;
        if constexpr (Equal == Want)
            keepAll = _mm_movemask_ps(_mm_castsi128_ps(_mm_and_si128(_mm_and_si128(e0, e1), _mm_and_si128(e2, e3)))) == 0xF;
        else
            keepAll = _mm_movemask_ps(_mm_castsi128_ps(_mm_or_si128(_mm_or_si128(e0, e1), _mm_or_si128(e2, e3)))) == 0;
        if (!keepAll)
            break;
        x += 16;
    }
    while (x + 4 <= end) {
        const int stop = StopMask<Equal, Want>(row + x, pv);
        if (stop != 0)
            return x + __builtin_ctz(static_cast<unsigned>(stop));
        x += 4;
    }
#endif
    while (x < end && Keeps<Equal, Want>(row[x], v))
        ++x;
    return x;
}

// ScanRight over inside pixels that fills them as it goes: the row is read
// and written in one sweep.
template <bool Equal>
int ScanRightFillTail(std::uint32_t *row, int x, int end, std::uint32_t v, std::uint32_t fill)
{
#if defined(__SSE2__)
    const __m128i pv = _mm_set1_epi32(static_cast<int>(v));
    const __m128i pf = _mm_set1_epi32(static_cast<int>(fill));
    while (x + 4 <= end) {
        auto *p = reinterpret_cast<__m128i *>(row + x);
        const int eq = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(_mm_loadu_si128(p), pv)));
        if (eq != (Equal ? 0xF : 0))
            break;
        _mm_storeu_si128(p, pf);
        x += 4;
    }
#endif
    while (x < end && Keeps<Equal, true>(row[x], v))
        row[x++] = fill;
    return x;
}


// Solid spans: the plain fill that every other cost is measured against, so
// it gets the same wide vectors as the flood fill.
#if defined(LANDORA_HAVE_AVX2_PATH)
__attribute__((target("avx2"))) void FillSpanWide(std::uint32_t *p, std::size_t n, std::uint32_t value)
{
    const __m256i pv = _mm256_set1_epi32(static_cast<int>(value));
    std::size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        auto *q = reinterpret_cast<__m256i *>(p + i);
        _mm256_storeu_si256(q, pv);
        _mm256_storeu_si256(q + 1, pv);
        _mm256_storeu_si256(q + 2, pv);
        _mm256_storeu_si256(q + 3, pv);
    }
    for (; i < n; ++i)
        p[i] = value;
}
#endif

void FillSpan(std::uint32_t *p, std::size_t n, std::uint32_t value)
{
#if defined(LANDORA_HAVE_AVX2_PATH)
    if (HasAvx2) {
        FillSpanWide(p, n, value);
        return;
    }
#endif
    std::fill_n(p, n, value);
}

template <bool Equal>
int ScanRightFill(std::uint32_t *row, int x, int end, std::uint32_t v, std::uint32_t fill)
{
#if defined(__SSE2__)
    const __m128i pv = _mm_set1_epi32(static_cast<int>(v));
    const __m128i pf = _mm_set1_epi32(static_cast<int>(fill));
    while (x + 16 <= end) {
        auto *p = reinterpret_cast<__m128i *>(row + x);
        const __m128i e0 = _mm_cmpeq_epi32(_mm_loadu_si128(p), pv);
        const __m128i e1 = _mm_cmpeq_epi32(_mm_loadu_si128(p + 1), pv);
        const __m128i e2 = _mm_cmpeq_epi32(_mm_loadu_si128(p + 2), pv);
        const __m128i e3 = _mm_cmpeq_epi32(_mm_loadu_si128(p + 3), pv);
        bool all;
        if constexpr (Equal)
            all = _mm_movemask_ps(_mm_castsi128_ps(_mm_and_si128(_mm_and_si128(e0, e1), _mm_and_si128(e2, e3)))) == 0xF;
        else
            all = _mm_movemask_ps(_mm_castsi128_ps(_mm_or_si128(_mm_or_si128(e0, e1), _mm_or_si128(e2, e3)))) == 0;
        if (!all)
            break;
        _mm_storeu_si128(p, pf);
        _mm_storeu_si128(p + 1, pf);
        _mm_storeu_si128(p + 2, pf);
        _mm_storeu_si128(p + 3, pf);
        x += 16;
    }
#endif
    return ScanRightFillTail<Equal>(row, x, end, v, fill);
}

template <bool Equal, bool Want>
int ScanLeft(const std::uint32_t *row, int x, int start, std::uint32_t v)
{
#if defined(__SSE2__)
    const __m128i pv = _mm_set1_epi32(static_cast<int>(v));
    while (x - 3 >= start) {
        const int stop = StopMask<Equal, Want>(row + x - 3, pv);
        if (stop != 0)
            return x - 3 + (31 - __builtin_clz(static_cast<unsigned>(stop))) + 1;
        x -= 4;
    }
#endif
    while (x >= start && Keeps<Equal, Want>(row[x], v))
        --x;
    return x + 1;
}

// The scanline seed fill for regions told by the pixels alone (the filled
// colour is never inside): each row run is found with the scans above and
// filled in one sweep. Processors with 256-bit vectors take FastFillWide
// below instead.
template <bool Equal>
void FastFill(std::uint32_t *bits, std::size_t stride, int width, int height, int x, int y, std::uint32_t v,
              std::uint32_t fill)
{
    auto rowAt = [bits, stride](int r) { return bits + stride * static_cast<std::size_t>(r); };
    if (x < 0 || y < 0 || x >= width || y >= height || !Keeps<Equal, true>(rowAt(y)[x], v))
        return;
    // The map fills hundreds of areas per drawing: the segment stack keeps
    // its storage from one fill to the next instead of being allocated anew.
    thread_local std::vector<Segment> stack;
    stack.clear();
    auto push = [&](int py, int xl, int xr, int dy) {
        if (py + dy >= 0 && py + dy < height)
            stack.push_back({py, xl, xr, dy});
    };
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (!stack.empty()) {
        const Segment s = stack.back();
        stack.pop_back();
        const int dy = s.DY;
        const int r = s.Y + dy;
        const int x1 = s.XL;
        const int x2 = s.XR;
        std::uint32_t *row = rowAt(r);
        int cx = x1;
        if (Keeps<Equal, true>(row[x1], v)) {
            const int left = ScanLeft<Equal, true>(row, x1, 0, v);
            std::fill(row + left, row + x1, fill);
            const int right = ScanRightFill<Equal>(row, x1, width, v, fill);
            // The next segment popped is usually the next row over this run:
            // ask for its cache lines now rather than waiting on each later.
            if (r + dy >= 0 && r + dy < height) {
                const std::uint32_t *next = rowAt(r + dy);
                for (int px = left; px < right; px += 16)
                    __builtin_prefetch(next + px);
            }
            if (left < x1)
                push(r, left, x1 - 1, -dy);
            push(r, left, right - 1, dy);
            if (right > x2 + 1)
                push(r, x2 + 1, right - 1, -dy);
            cx = right;
        }
        for (;;) {
            cx = ScanRight<Equal, false>(row, cx + 1, x2 + 1, v);
            if (cx > x2)
                break;
            const int right = ScanRightFill<Equal>(row, cx, width, v, fill);
            push(r, cx, right - 1, dy);
            if (right > x2 + 1)
                push(r, x2 + 1, right - 1, -dy);
            cx = right;
        }
    }
}


#if defined(LANDORA_HAVE_AVX2_PATH)
// The same seed fill for processors with 256-bit vectors, compiled for them
// as a whole so that the scans below inline into it. Every step works on
// eight pixels at once and finds a run's end with one compare and a bit
// scan instead of a pixel loop; a group that would reach past the row is
// read as the row's last eight pixels instead, so no row is ever read or
// written outside its own pixels. Each segment ends in a few
// data-dependent branches only, which is what a fill of many short
// runs (small countries, ragged coasts) pays for.
#define LANDORA_WIDE __attribute__((target("avx2")))
#define LANDORA_WIDE_INLINE __attribute__((target("avx2"), always_inline)) inline

// Bit j set when lane j of d holds v.
LANDORA_WIDE_INLINE unsigned EqualBits(__m256i d, __m256i pv)
{
    return static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(d, pv))));
}

// Bit j set when pixel at[j] belongs to the region.
template <bool Equal>
LANDORA_WIDE_INLINE unsigned InsideBits(const std::uint32_t *at, __m256i pv)
{
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(at));
    const auto eq = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(d, pv))));
    return Equal ? eq : (~eq & 0xFFu);
}

template <bool Equal>
inline bool Inside(std::uint32_t p, std::uint32_t v)
{
    return (p == v) == Equal;
}

// The first index in [x, end) whose pixel belongs to the region (Want) or
// not (!Want); end when there is none. end <= width.
template <bool Equal, bool Want>
LANDORA_WIDE_INLINE int FindRightWide(const std::uint32_t *row, int x, int end, int width, __m256i pv,
                                      std::uint32_t v)
{
    constexpr unsigned Flip = Want ? 0u : 0xFFu;
    while (x + 8 <= end) {
        const unsigned hit = InsideBits<Equal>(row + x, pv) ^ Flip;
        if (hit != 0)
            return x + __builtin_ctz(hit);
        x += 8;
    }
    if (x >= end)
        return end;
    if (width < 8) {
        while (x < end && Inside<Equal>(row[x], v) != Want)
            ++x;
        return x;
    }
    // Fewer than eight left before end: the group ending at the row's end
    // (or starting at x), with the lanes before x masked off.
    const int base = std::min(x, width - 8);
    const unsigned hit = (InsideBits<Equal>(row + base, pv) ^ Flip) & (0xFFu << (x - base));
    if (hit == 0)
        return end;
    const int at = base + __builtin_ctz(hit);
    return at < end ? at : end;
}

// The last index in [start, x] whose pixel belongs to the region (Want) or
// not (!Want); start - 1 when there is none. start >= 0.
template <bool Equal, bool Want>
LANDORA_WIDE_INLINE int FindLeftWide(const std::uint32_t *row, int x, int start, int width, __m256i pv,
                                     std::uint32_t v)
{
    constexpr unsigned Flip = Want ? 0u : 0xFFu;
    while (x - 7 >= start) {
        const unsigned hit = InsideBits<Equal>(row + x - 7, pv) ^ Flip;
        if (hit != 0)
            return x - 7 + (31 - __builtin_clz(hit));
        x -= 8;
    }
    if (x < start)
        return start - 1;
    if (width < 8) {
        while (x >= start && Inside<Equal>(row[x], v) != Want)
            --x;
        return x;
    }
    // Fewer than eight left after start: the group starting at the row's
    // start (or ending at x), with the lanes before start and after x masked off.
    const int base = std::max(x - 7, 0);
    const unsigned lanes = (0xFFu >> (7 - (x - base))) & (0xFFu << (start - base));
    const unsigned hit = (InsideBits<Equal>(row + base, pv) ^ Flip) & lanes;
    if (hit == 0)
        return start - 1;
    return base + (31 - __builtin_clz(hit));
}

// Pixels a..b-1 of a row of `width` pixels set to the fill; the last group
// overlaps the one before it rather than ending in a pixel loop.
LANDORA_WIDE_INLINE void FillWide(std::uint32_t *row, int a, int b, int width, __m256i pf)
{
    const int n = b - a;
    std::uint32_t *p = row + a;
    if (n >= 8) {
        int i = 0;
        for (; i + 8 <= n; i += 8)
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(p + i), pf);
        if (i < n)
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(p + n - 8), pf);
    } else if (a + 8 <= width) {
        // Fewer than eight: the eight pixels from a are written back with
        // the fill blended into the lanes below n (masked stores are slow
        // on many processors).
        auto *q = reinterpret_cast<__m256i *>(p);
        const __m256i lanes = _mm256_cmpgt_epi32(_mm256_set1_epi32(n), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        _mm256_storeu_si256(q, _mm256_blendv_epi8(_mm256_loadu_si256(q), pf, lanes));
    } else {
        // At the row's end no group of eight starts at a.
        std::fill_n(p, n, static_cast<std::uint32_t>(_mm256_cvtsi256_si32(pf)));
    }
}

// Fills the run of region pixels that starts at x and returns its end.
// Long runs are compared and filled 32 pixels a step in one sweep.
template <bool Equal>
LANDORA_WIDE_INLINE int FillRunWide(std::uint32_t *row, int x, int width, __m256i pv, __m256i pf,
                                    std::uint32_t v)
{
    const int start = x;
    // Most runs of a map end within 32 pixels of where they are entered:
    // one look at 32 pixels finds the end, and four stores of those pixels
    // with the fill blended in up to it fill the run, with no branch on
    // where it lies.
    if (x + 32 <= width) {
        auto *p = reinterpret_cast<__m256i *>(row + x);
        const __m256i d0 = _mm256_loadu_si256(p);
        const __m256i d1 = _mm256_loadu_si256(p + 1);
        const __m256i d2 = _mm256_loadu_si256(p + 2);
        const __m256i d3 = _mm256_loadu_si256(p + 3);
        const unsigned eq =
            EqualBits(d0, pv) | EqualBits(d1, pv) << 8 | EqualBits(d2, pv) << 16 | EqualBits(d3, pv) << 24;
        const unsigned out = Equal ? ~eq : eq;
        if (out != 0) {
            // Plain stores of the pixels just read: masked stores cost
            // several times as much on many processors.
            const int length = __builtin_ctz(out);
            const __m256i n = _mm256_set1_epi32(length);
            const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
            const __m256i eight = _mm256_set1_epi32(8);
            __m256i at = lane;
            const __m256i d[4] = {d0, d1, d2, d3};
            for (int g = 0; g < 4; ++g) {
                _mm256_storeu_si256(p + g, _mm256_blendv_epi8(d[g], pf, _mm256_cmpgt_epi32(n, at)));
                at = _mm256_add_epi32(at, eight);
            }
            return x + length;
        }
        _mm256_storeu_si256(p, pf);
        _mm256_storeu_si256(p + 1, pf);
        _mm256_storeu_si256(p + 2, pf);
        _mm256_storeu_si256(p + 3, pf);
        x += 32;
    }
    while (x + 32 <= width) {
        auto *p = reinterpret_cast<__m256i *>(row + x);
        const __m256i e0 = _mm256_cmpeq_epi32(_mm256_loadu_si256(p), pv);
        const __m256i e1 = _mm256_cmpeq_epi32(_mm256_loadu_si256(p + 1), pv);
        const __m256i e2 = _mm256_cmpeq_epi32(_mm256_loadu_si256(p + 2), pv);
        const __m256i e3 = _mm256_cmpeq_epi32(_mm256_loadu_si256(p + 3), pv);
        bool all;
        if constexpr (Equal)
            all = _mm256_movemask_epi8(_mm256_and_si256(_mm256_and_si256(e0, e1), _mm256_and_si256(e2, e3))) == -1;
        else
            all = _mm256_movemask_epi8(_mm256_or_si256(_mm256_or_si256(e0, e1), _mm256_or_si256(e2, e3))) == 0;
        if (!all)
            break;
        _mm256_storeu_si256(p, pf);
        _mm256_storeu_si256(p + 1, pf);
        _mm256_storeu_si256(p + 2, pf);
        _mm256_storeu_si256(p + 3, pf);
        x += 32;
    }
    // Eight a step, filling each group found whole; the group the run ends
    // in is filled by one store ending at the run's end when the run is long
    // enough to hold it.
    while (x + 8 <= width) {
        const unsigned out = ~InsideBits<Equal>(row + x, pv) & 0xFFu;
        if (out != 0) {
            const int end = x + __builtin_ctz(out);
            if (end - start >= 8)
                _mm256_storeu_si256(reinterpret_cast<__m256i *>(row + end - 8), pf);
            else
                FillWide(row, x, end, width, pf);
            return end;
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(row + x), pf);
        x += 8;
    }
    const int end = FindRightWide<Equal, false>(row, x, width, width, pv, v);
    if (end > x && end - start >= 8)
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(row + end - 8), pf);
    else
        FillWide(row, x, end, width, pf);
    return end;
}

template <bool Equal>
LANDORA_WIDE void FastFillWide(std::uint32_t *bits, std::size_t stride, int width, int height, int x, int y,
                               std::uint32_t v, std::uint32_t fill)
{
    if (x < 0 || y < 0 || x >= width || y >= height || !Inside<Equal>(bits[stride * static_cast<std::size_t>(y) + x], v))
        return;
    const __m256i pv = _mm256_set1_epi32(static_cast<int>(v));
    const __m256i pf = _mm256_set1_epi32(static_cast<int>(fill));
    // The segment stack keeps its storage from one fill to the next; within
    // a fill it is a plain array that grows by doubling.
    thread_local std::vector<Segment> storage(1024);
    Segment *stack = storage.data();
    std::size_t capacity = storage.size();
    std::size_t top = 0;
    auto push = [&](int py, int xl, int xr, int dy) {
        if (py + dy < 0 || py + dy >= height)
            return;
        if (top == capacity) {
            storage.resize(capacity * 2);
            stack = storage.data();
            capacity = storage.size();
        }
        stack[top++] = {py, xl, xr, dy};
    };
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (top > 0) {
        Segment s = stack[--top];
        // The row after a run is looked at straight away, without going
        // through the stack; further runs and the rows back wait there.
        for (bool follow = true; follow;) {
            follow = false;
            const int dy = s.DY;
            const int r = s.Y + dy;
            const int x1 = s.XL;
            const int x2 = s.XR;
            std::uint32_t *row = bits + stride * static_cast<std::size_t>(r);
            // The row two beyond is where this run's follow-on usually
            // leads: ask for its cache lines at both ends of the segment
            // now, so the first look at it does not wait on memory. Asking
            // is only a hint and never faults, even past the surface.
            {
                const auto ahead = reinterpret_cast<std::uintptr_t>(row) +
                                   static_cast<std::uintptr_t>(2 * dy * static_cast<std::ptrdiff_t>(stride * sizeof(std::uint32_t)));
                __builtin_prefetch(reinterpret_cast<const void *>(ahead + static_cast<std::uintptr_t>(x1) * sizeof(std::uint32_t)));
                __builtin_prefetch(reinterpret_cast<const void *>(ahead + static_cast<std::uintptr_t>(x2) * sizeof(std::uint32_t)));
            }
            int cx = x1;
            if (Inside<Equal>(row[x1], v)) {
                const int left = x1 > 0 ? FindLeftWide<Equal, false>(row, x1 - 1, 0, width, pv, v) + 1 : 0;
                const int right = FillRunWide<Equal>(row, x1, width, pv, pf, v);
                FillWide(row, left, x1, width, pf);
                // The run's overhangs beyond its parent are looked at back
                // in the parent's row, still at hand: only where that row
                // has pixels of the region is a segment left for later.
                // (The first segment of a fill has no such row when it
                // starts on the last row.)
                if (r - dy >= 0 && r - dy < height) {
                    const std::uint32_t *back = bits + stride * static_cast<std::size_t>(r - dy);
                    if (left < x1 && FindRightWide<Equal, true>(back, left, x1, width, pv, v) < x1)
                        push(r, left, x1 - 1, -dy);
                    if (right > x2 + 1 && FindRightWide<Equal, true>(back, x2 + 1, right, width, pv, v) < right)
                        push(r, x2 + 1, right - 1, -dy);
                }
                if (r + dy >= 0 && r + dy < height) {
                    s = {r, left, right - 1, dy};
                    follow = true;
                }
                cx = right;
            }
            for (;;) {
                cx = FindRightWide<Equal, true>(row, cx + 1, x2 + 1, width, pv, v);
                if (cx > x2)
                    break;
                const int right = FillRunWide<Equal>(row, cx, width, pv, pf, v);
                push(r, cx, right - 1, dy);
                if (right > x2 + 1 && r - dy >= 0 && r - dy < height &&
                    FindRightWide<Equal, true>(bits + stride * static_cast<std::size_t>(r - dy), x2 + 1, right, width,
                                               pv, v) < right)
                    push(r, x2 + 1, right - 1, -dy);
                cx = right;
            }
        }
    }
}
#endif
} // namespace

Canvas::Surface::Surface(QImage from) : image(std::move(from))
{
    Attach();
}

Canvas::Surface::Surface(Surface &&other) noexcept : image(std::move(other.image))
{
    Attach();
    other.image = QImage();
    other.Attach();
}

Canvas::Surface &Canvas::Surface::operator=(const Surface &other)
{
    if (this != &other) {
        image = other.image.copy();
        Attach();
    }
    return *this;
}

Canvas::Surface &Canvas::Surface::operator=(Surface &&other) noexcept
{
    if (this != &other) {
        image = std::move(other.image);
        Attach();
        other.image = QImage();
        other.Attach();
    }
    return *this;
}

void Canvas::Surface::Attach()
{
    bits = image.isNull() ? nullptr : reinterpret_cast<std::uint32_t *>(image.bits());
    stride = static_cast<std::size_t>(image.bytesPerLine()) / sizeof(std::uint32_t);
    width = image.width();
    height = image.height();
}

namespace {

QImage WhiteImage(int width, int height)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(0xFFFFFFFFu);
    return image;
}

} // namespace

Canvas::Canvas(int width, int height) : px_(WhiteImage(width, height)) {}

void Canvas::Resize(int width, int height)
{
    regions_.Forget(); // the pixels are new
    px_ = Surface(WhiteImage(width, height));
}

void Canvas::SetPen(Colour colour, int width, PenMode mode)
{
    penColour_ = colour;
    SetPenWidth(width);
    penMode_ = mode;
}

void Canvas::SetFont(const std::string &family, double points)
{
    fontFamily_ = family;
    fontPoints_ = points;
    fontPixels_ = std::max(1, static_cast<int>(std::nearbyint(fontPoints_ * dpi_ / 72.0)));
}

void Canvas::SetDotsPerInch(double dotsPerInch)
{
    dpi_ = dotsPerInch > 0.0 ? dotsPerInch : 96.0;
    SetFont(fontFamily_, fontPoints_);
}

void Canvas::FillRect(int left, int top, int right, int bottom, Colour colour)
{
    Touch();
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, Width());
    bottom = std::min(bottom, Height());
    if (left >= right || top >= bottom)
        return;
    const std::uint32_t value = ToPixel(colour);
    for (int y = top; y < bottom; ++y)
        FillSpan(Row(y) + left, static_cast<std::size_t>(right - left), value);
}

void Canvas::MoveTo(int x, int y)
{
    curX_ = x;
    curY_ = y;
}

void Canvas::PenPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    PenSpan(y, x, x);
}

void Canvas::PenSpan(int y, int x0, int x1)
{
    if (y < 0 || y >= Height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, Width() - 1);
    if (x0 > x1)
        return;
    std::uint32_t *row = Row(y);
    const std::uint32_t pen = ToPixel(penColour_) & RgbBits;
    switch (penMode_) {
    case PenMode::Copy:
        FillSpan(row + x0, static_cast<std::size_t>(x1 - x0 + 1), Opaque | pen);
        break;
    case PenMode::Mask:
        for (int x = x0; x <= x1; ++x)
            row[x] = Opaque | (row[x] & pen);
        break;
    case PenMode::NotXor:
        for (int x = x0; x <= x1; ++x)
            row[x] = Opaque | (~(row[x] ^ pen) & RgbBits);
        break;
    }
}

void Canvas::LineTo(int x, int y)
{
    Touch();
    if (penWidth_ <= 1)
        ThinLine(curX_, curY_, x, y);
    else
        ThickLine(curX_, curY_, x, y);
    curX_ = x;
    curY_ = y;
}

namespace {

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

const std::array<ShortLine, ShortSide * ShortSide> &ShortLines()
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

} // namespace

void Canvas::Polyline(const CanvasPoint *points, std::size_t count)
{
    Touch();
    if (count == 0)
        return;
    MoveTo(points[0].X, points[0].Y);
    if (penWidth_ > 1) {
        for (std::size_t i = 1; i < count; ++i)
            LineTo(points[i].X, points[i].Y);
        return;
    }
    // The outlines of a map are thousands of lines a few pixels long: the
    // pen and its mode are worked out once for all of them.
    auto walk = [&](auto paint) {
        for (std::size_t i = 1; i < count; ++i) {
            PaintLine(px_.bits, px_.stride, px_.width, px_.height, curX_, curY_, points[i].X, points[i].Y, paint);
            curX_ = points[i].X;
            curY_ = points[i].Y;
        }
    };
    const std::uint32_t pen = ToPixel(penColour_) & RgbBits;
    switch (penMode_) {
    case PenMode::Copy: {
        const std::uint32_t value = Opaque | pen;
        for (std::size_t i = 1; i < count; ++i) {
            const int x1 = points[i].X;
            const int y1 = points[i].Y;
            if (!PaintShortLine(px_.bits, px_.stride, px_.width, px_.height, curX_, curY_, x1, y1, value))
                PaintLine(px_.bits, px_.stride, px_.width, px_.height, curX_, curY_, x1, y1, CopyPaint{value});
            curX_ = x1;
            curY_ = y1;
        }
        break;
    }
    case PenMode::Mask:
        walk(MaskPaint{pen});
        break;
    case PenMode::NotXor:
        walk(NotXorPaint{pen});
        break;
    }
}

void Canvas::ThinLine(int x0, int y0, int x1, int y1)
{
    if (y0 == y1 && x0 != x1) {
        // Along a row (the parallels of the grid): the pixels from x0
        // towards x1, end pixel excluded, as one span.
        PenSpan(y0, x0 < x1 ? x0 : x1 + 1, x0 < x1 ? x1 - 1 : x0);
        return;
    }
    const std::uint32_t pen = ToPixel(penColour_) & RgbBits;
    switch (penMode_) {
    case PenMode::Copy:
        if (!PaintShortLine(px_.bits, px_.stride, px_.width, px_.height, x0, y0, x1, y1, Opaque | pen))
            PaintLine(px_.bits, px_.stride, px_.width, px_.height, x0, y0, x1, y1, CopyPaint{Opaque | pen});
        break;
    case PenMode::Mask:
        PaintLine(px_.bits, px_.stride, px_.width, px_.height, x0, y0, x1, y1, MaskPaint{pen});
        break;
    case PenMode::NotXor:
        PaintLine(px_.bits, px_.stride, px_.width, px_.height, x0, y0, x1, y1, NotXorPaint{pen});
        break;
    }
}

void Canvas::ThickLine(int x0, int y0, int x1, int y1)
{
    // The brush is stamped on every pixel of the thin line; the union of the
    // stamps is painted row by row, each pixel once, so that the raster
    // modes combine a thick line with the surface exactly once as well.
    const PenBrush brush(penWidth_);
    const int h = Height();
    const int w = Width();
    std::vector<int> lo(static_cast<std::size_t>(h), 0);
    std::vector<int> hi(static_cast<std::size_t>(h), -1);
    int rowMin = h;
    int rowMax = -1;
    WalkLine(x0, y0, x1, y1, -brush.Hi, w - 1 - brush.Lo, -brush.Hi, h - 1 - brush.Lo, [&](int px, int py) {
        for (int dy = brush.Lo; dy <= brush.Hi; ++dy) {
            const int row = py + dy;
            if (row < 0 || row >= h)
                continue;
            const auto k = static_cast<std::size_t>(dy - brush.Lo);
            const int a = px + brush.SpanLo[k];
            const int b = px + brush.SpanHi[k];
            auto &l = lo[static_cast<std::size_t>(row)];
            auto &r = hi[static_cast<std::size_t>(row)];
            if (r < l) {
                l = a;
                r = b;
            } else {
                l = std::min(l, a);
                r = std::max(r, b);
            }
            rowMin = std::min(rowMin, row);
            rowMax = std::max(rowMax, row);
        }
    });
    for (int row = rowMin; row <= rowMax; ++row) {
        const auto k = static_cast<std::size_t>(row);
        if (hi[k] >= lo[k])
            PenSpan(row, lo[k], hi[k]);
    }
}

void Canvas::Rectangle(int left, int top, int right, int bottom)
{
    Touch();
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left >= right || top >= bottom)
        return;
    // The pen runs along columns left..right-1 and rows top..bottom-1,
    // widened around that path by the pen width.
    const PenBrush brush(penWidth_);
    const int outerL = left + brush.Lo;
    const int outerR = right - 1 + brush.Hi;
    const int outerT = top + brush.Lo;
    const int outerB = bottom - 1 + brush.Hi;
    const int innerL = left + brush.Hi + 1;
    const int innerR = right - 1 + brush.Lo - 1;
    const int innerT = top + brush.Hi + 1;
    const int innerB = bottom - 1 + brush.Lo - 1;
    const bool hasInner = innerL <= innerR && innerT <= innerB;
    if (hasInner && brushSolid_)
        FillRect(innerL, innerT, innerR + 1, innerB + 1, brushColour_);
    const int firstRow = std::max(outerT, 0);
    const int lastRow = std::min(outerB, Height() - 1);
    for (int y = firstRow; y <= lastRow; ++y) {
        if (hasInner && y >= innerT && y <= innerB) {
            // The side edges, down all the rows between the top and bottom
            // edges at once: the map's frames run the height of the surface.
            const int last = std::min(innerB, lastRow);
            PenColumns(y, last, outerL, innerL - 1);
            PenColumns(y, last, innerR + 1, outerR);
            y = last;
        } else {
            PenSpan(y, outerL, outerR);
        }
    }
}

void Canvas::PenColumns(int y0, int y1, int x0, int x1)
{
    y0 = std::max(y0, 0);
    y1 = std::min(y1, Height() - 1);
    x0 = std::max(x0, 0);
    x1 = std::min(x1, Width() - 1);
    if (x0 > x1 || y0 > y1)
        return;
    const std::uint32_t pen = ToPixel(penColour_) & RgbBits;
    auto each = [&](auto paint) {
        for (int y = y0; y <= y1; ++y) {
            std::uint32_t *row = Row(y);
            for (int x = x0; x <= x1; ++x)
                row[x] = paint(row[x]);
        }
    };
    switch (penMode_) {
    case PenMode::Copy:
        each([pen](std::uint32_t) { return Opaque | pen; });
        break;
    case PenMode::Mask:
        each([pen](std::uint32_t p) { return Opaque | (p & pen); });
        break;
    case PenMode::NotXor:
        each([pen](std::uint32_t p) { return Opaque | (~(p ^ pen) & RgbBits); });
        break;
    }
}

void Canvas::Ellipse(int left, int top, int right, int bottom)
{
    Touch();
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left >= right || top >= bottom)
        return;
    // Pixel centres inside the ellipse that fills the box belong to it; those
    // also inside the ellipse shrunk by the pen width are the brush's, the
    // rest the pen's.
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double ra = (right - left) / 2.0;
    const double rb = (bottom - top) / 2.0;
    const double ia = ra - penWidth_;
    const double ib = rb - penWidth_;
    auto span = [](double c, double r, double ny, int &from, int &to) {
        const double q = 1.0 - ny * ny;
        if (q < 0.0 || r <= 0.0) {
            from = 1;
            to = 0;
            return;
        }
        const double half = r * std::sqrt(q);
        from = static_cast<int>(std::ceil(c - half - 0.5));
        to = static_cast<int>(std::floor(c + half - 0.5));
    };
    const Colour brush = brushColour_;
    for (int y = std::max(top, 0); y < std::min(bottom, Height()); ++y) {
        const double yc = y + 0.5;
        int oFrom, oTo;
        span(cx, ra, (yc - cy) / rb, oFrom, oTo);
        oFrom = std::max(oFrom, left);
        oTo = std::min(oTo, right - 1);
        if (oFrom > oTo)
            continue;
        int iFrom = 1, iTo = 0;
        if (ia > 0.0 && ib > 0.0)
            span(cx, ia, (yc - cy) / ib, iFrom, iTo);
        if (iFrom > iTo) {
            PenSpan(y, oFrom, oTo);
            continue;
        }
        iFrom = std::max(iFrom, oFrom + 1);
        iTo = std::min(iTo, oTo - 1);
        if (iFrom > iTo) {
            PenSpan(y, oFrom, oTo);
            continue;
        }
        PenSpan(y, oFrom, iFrom - 1);
        PenSpan(y, iTo + 1, oTo);
        if (brushSolid_)
            FillRect(iFrom, y, iTo + 1, y + 1, brush);
    }
}

void Canvas::SetPixel(int x, int y, Colour colour)
{
    Touch();
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    Row(y)[x] = ToPixel(colour);
}

Colour Canvas::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return InvalidColour;
    const std::uint32_t p = Row(y)[x];
    // A region with a colour noted shows that colour.
    if (regions_.AnyNoted() && p == regions_.Value()) {
        const int region = regions_.RegionAt(x, y);
        if (region >= 0 && regions_.Noted(region) != 0)
            return FromPixel(regions_.Noted(region));
    }
    return FromPixel(p);
}

void Canvas::Touch()
{
    regions_.WriteNoted();
    regions_.Forget();
}

void Canvas::FloodFill(int x, int y, Colour colour, FloodStyle style)
{
    const std::uint32_t target = ToPixel(colour);
    const std::uint32_t fill = ToPixel(brushColour_);
    if (style == FloodStyle::Surface) {
        // Filling a surface with its own colour changes nothing.
        if (fill != target) {
            if (regions_.Covers(px_.bits, target)) {
                // The region is known: its new colour is only noted, to be
                // written with the others in one pass. A seed of another
                // colour (also one whose region has a colour noted) fills
                // nothing, as below.
                if (x < 0 || y < 0 || x >= Width() || y >= Height() || Row(y)[x] != target)
                    return;
                const int region = regions_.RegionAt(x, y);
                if (region >= 0) {
                    if (regions_.Noted(region) == 0)
                        regions_.Note(region, fill);
                    return;
                }
                Touch(); // not the pixels it was built from
            } else {
                // Other regions are filled on the surface as it shows.
                regions_.WriteNoted();
                // Pixels of the indexed colour appear where none were.
                if (fill == regions_.Value())
                    regions_.Forget();
            }
#if defined(LANDORA_HAVE_AVX2_PATH)
            if (HasAvx2) {
                FastFillWide<true>(px_.bits, px_.stride, Width(), Height(), x, y, target, fill);
                return;
            }
#endif
            FastFill<true>(px_.bits, px_.stride, Width(), Height(), x, y, target, fill);
        }
        return;
    }
    Touch();
    // A border fill in the border colour: every filled pixel becomes border
    // and so stops belonging to the region.
    if (fill == target) {
#if defined(LANDORA_HAVE_AVX2_PATH)
        if (HasAvx2) {
            FastFillWide<false>(px_.bits, px_.stride, Width(), Height(), x, y, target, fill);
            return;
        }
#endif
        FastFill<false>(px_.bits, px_.stride, Width(), Height(), x, y, target, fill);
    } else
        FloodFillVisited(x, y, target, fill);
}

void Canvas::IndexRegions(Colour colour)
{
    const std::uint32_t value = ToPixel(colour);
    if (regions_.Covers(px_.bits, value))
        return;
    Touch();
    regions_.Build(px_.bits, px_.stride, Width(), Height(), value);
}

void Canvas::FloodFillVisited(int x, int y, std::uint32_t border, std::uint32_t fill)
{
    // A border fill in another colour than the border: filled pixels still
    // differ from the border, so a mark per pixel says what is done.
    const int w = Width();
    std::vector<std::uint8_t> done(static_cast<std::size_t>(w) * static_cast<std::size_t>(Height()), 0);
    auto px = [this](int cx, int cy) -> std::uint32_t & { return Row(cy)[cx]; };
    auto at = [&](int cx, int cy) -> std::uint8_t & {
        return done[static_cast<std::size_t>(cy) * static_cast<std::size_t>(w) + static_cast<std::size_t>(cx)];
    };
    ScanlineFill(
        w, Height(), x, y, [&](int cx, int cy) { return at(cx, cy) == 0 && px(cx, cy) != border; },
        [&](int cx, int cy) {
            at(cx, cy) = 1;
            px(cx, cy) = fill;
        });
}

namespace {

QFont LabelFont(const std::string &family, int pixels)
{
    QFont font(QString::fromStdString(family));
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace

TextSize Canvas::MeasureText(const std::string &text) const
{
    const QFontMetrics metrics(LabelFont(fontFamily_, fontPixels_));
    return {metrics.horizontalAdvance(FromCp1252(text)), metrics.height()};
}

void Canvas::TextOut(int x, int y, const std::string &text, Colour colour)
{
    Touch();
    const QFont font = LabelFont(fontFamily_, fontPixels_);
    const QFontMetrics metrics(font);
    QPainter painter(&px_.image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
    painter.drawText(x, y + metrics.ascent(), FromCp1252(text));
    painter.end();
    px_.Attach();
}

} // namespace landora
