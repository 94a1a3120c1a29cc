// The flood fill of the canvas on every processor: the scanline seed fill
// with its row scans four pixels a step, and the choice of the 256-bit path
// where the processor has it (map/Cpu.h, LANDORA_PLAIN_PATHS).
#include "map/CanvasFill.h"

#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace landora::canvas {

namespace {

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
// filled in one sweep. Processors with 256-bit vectors take the fill of
// CanvasFillWide.cpp instead.
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

} // namespace

void SurfaceFill(std::uint32_t *bits, std::size_t stride, int width, int height, int x, int y, std::uint32_t target,
                 std::uint32_t fill)
{
#if defined(LANDORA_HAVE_AVX2_PATH)
    if (HasAvx2) {
        SurfaceFillWide(bits, stride, width, height, x, y, target, fill);
        return;
    }
#endif
    FastFill<true>(bits, stride, width, height, x, y, target, fill);
}

void BorderFill(std::uint32_t *bits, std::size_t stride, int width, int height, int x, int y, std::uint32_t border)
{
#if defined(LANDORA_HAVE_AVX2_PATH)
    if (HasAvx2) {
        BorderFillWide(bits, stride, width, height, x, y, border);
        return;
    }
#endif
    FastFill<false>(bits, stride, width, height, x, y, border, border);
}

} // namespace landora::canvas
