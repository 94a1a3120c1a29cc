// The flood fill and the solid spans with 256-bit vectors (AVX2), for the
// processors that have them; CanvasFill.h chooses. They fill exactly what
// the scanline fill of CanvasFill.cpp fills.
#include "map/CanvasFill.h"

#if defined(LANDORA_HAVE_AVX2_PATH)
#include <immintrin.h>

#include <vector>

namespace landora::canvas {

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

namespace {

// The seed fill of CanvasFill.cpp for processors with 256-bit vectors,
// compiled for them as a whole so that the scans below inline into it. Every step works on
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

} // namespace

void SurfaceFillWide(std::uint32_t *bits, std::size_t stride, int width, int height, int x, int y,
                     std::uint32_t target, std::uint32_t fill)
{
    FastFillWide<true>(bits, stride, width, height, x, y, target, fill);
}

void BorderFillWide(std::uint32_t *bits, std::size_t stride, int width, int height, int x, int y,
                    std::uint32_t border)
{
    FastFillWide<false>(bits, stride, width, height, x, y, border, border);
}

} // namespace landora::canvas
#endif
