#include "map/RegionIndex.h"

#include "map/Cpu.h"

#include <algorithm>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define LANDORA_REGION_AVX2 1
#endif

namespace landora {

namespace {

// The edges of the runs of `value` in one row, written from `out`: the
// first pixel of each run and the one past its last. Returns the end.
std::int32_t *RowEdges(const std::uint32_t *row, int width, std::uint32_t value, std::int32_t *out)
{
    bool open = false;
    for (int x = 0; x < width; ++x)
        if ((row[x] == value) != open) {
            *out++ = x;
            open = !open;
        }
    if (open)
        *out++ = width;
    return out;
}

#if defined(LANDORA_REGION_AVX2)
#define LANDORA_REGION_WIDE __attribute__((target("avx2,bmi,popcnt")))

// Bit j set when p[j] == value, for 32 pixels.
LANDORA_REGION_WIDE inline std::uint32_t EqualBits32(const std::uint32_t *p, __m256i pv)
{
    const auto *q = reinterpret_cast<const __m256i *>(p);
    const __m256i e0 = _mm256_cmpeq_epi32(_mm256_loadu_si256(q), pv);
    const __m256i e1 = _mm256_cmpeq_epi32(_mm256_loadu_si256(q + 1), pv);
    const __m256i e2 = _mm256_cmpeq_epi32(_mm256_loadu_si256(q + 2), pv);
    const __m256i e3 = _mm256_cmpeq_epi32(_mm256_loadu_si256(q + 3), pv);
    // Packing keeps each 128-bit half apart: the bytes come out in the
    // order 0-3 8-11 16-19 24-27 4-7 12-15 20-23 28-31 of the pixels, put
    // right by one permutation of 32-bit groups.
    const __m256i w01 = _mm256_packs_epi32(e0, e1);
    const __m256i w23 = _mm256_packs_epi32(e2, e3);
    const __m256i b = _mm256_packs_epi16(w01, w23);
    const __m256i ordered = _mm256_permutevar8x32_epi32(b, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(ordered));
}

// RowEdges 64 pixels a step. Where the mask of a step changes from one
// bit to the next a run begins or ends; those positions are written four
// at a time whatever their number, and the output moves on by the number
// that were real, so that the usual step costs no branch that depends on
// the pixels beyond whether it has an edge at all.
LANDORA_REGION_WIDE std::int32_t *RowEdgesWide(const std::uint32_t *row, int width, std::uint32_t value,
                                                std::int32_t *out)
{
    const __m256i pv = _mm256_set1_epi32(static_cast<int>(value));
    std::uint64_t carry = 0;
    int x = 0;
    for (; x + 64 <= width; x += 64) {
        const std::uint64_t m = EqualBits32(row + x, pv) | static_cast<std::uint64_t>(EqualBits32(row + x + 32, pv)) << 32;
        std::uint64_t change = m ^ ((m << 1) | carry);
        carry = m >> 63;
        if (change == 0)
            continue;
        const int count = static_cast<int>(_mm_popcnt_u64(change));
        for (int k = 0; k < 4; ++k) {
            out[k] = x + static_cast<std::int32_t>(_tzcnt_u64(change));
            change = _blsr_u64(change);
        }
        for (int k = 4; k < count; ++k) {
            out[k] = x + static_cast<std::int32_t>(_tzcnt_u64(change));
            change = _blsr_u64(change);
        }
        out += count;
    }
    bool open = carry != 0;
    for (; x < width; ++x)
        if ((row[x] == value) != open) {
            *out++ = x;
            open = !open;
        }
    if (open)
        *out++ = width;
    return out;
}

// n pixels from p set to c; `room` pixels from p belong to the row (room >= n).
LANDORA_REGION_WIDE inline void WriteSpanWide(std::uint32_t *p, int n, int room, __m256i pc)
{
    auto *q = reinterpret_cast<__m256i *>(p);
    if (n >= 8) {
        // Whole 32-pixel groups, then the last up to 32 pixels by four
        // stores that end at the run's end (overlapping what is written).
        int i = 0;
        for (; i + 32 < n; i += 32) {
            _mm256_storeu_si256(q + i / 8, pc);
            _mm256_storeu_si256(q + i / 8 + 1, pc);
            _mm256_storeu_si256(q + i / 8 + 2, pc);
            _mm256_storeu_si256(q + i / 8 + 3, pc);
        }
        std::uint32_t *end = p + n;
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(end - 8), pc);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(std::max(end - 16, p)), pc);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(std::max(end - 24, p)), pc);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(std::max(end - 32, p)), pc);
    } else if (room >= 8) {
        // The eight pixels from p written back with c in the first n; those
        // beyond belong to runs further right, written later, or to no run.
        const __m256i lanes = _mm256_cmpgt_epi32(_mm256_set1_epi32(n), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        _mm256_storeu_si256(q, _mm256_blendv_epi8(_mm256_loadu_si256(q), pc, lanes));
    } else {
        std::fill_n(p, n, static_cast<std::uint32_t>(_mm256_cvtsi256_si32(pc)));
    }
}

LANDORA_REGION_WIDE void WriteRowsWide(std::uint32_t *bits, std::size_t stride, int width, int height,
                                       const std::int32_t *rowStart, const std::int32_t *edges,
                                       const std::int32_t *region, const std::uint32_t *colour)
{
    for (int y = 0; y < height; ++y) {
        std::uint32_t *row = bits + stride * static_cast<std::size_t>(y);
        for (std::int32_t r = rowStart[y]; r < rowStart[y + 1]; ++r) {
            const std::uint32_t c = colour[region[r]];
            if (c == 0)
                continue;
            const std::int32_t x0 = edges[2 * r];
            WriteSpanWide(row + x0, edges[2 * r + 1] - x0, width - x0, _mm256_set1_epi32(static_cast<int>(c)));
        }
    }
}
#endif

// The first run of r's region so far. Path halving: every other run on the
// way links to its grandparent.
inline std::int32_t Root(std::int32_t *link, std::int32_t r)
{
    while (link[r] != r) {
        link[r] = link[link[r]];
        r = link[r];
    }
    return r;
}

// Joins the runs j0..j1-1 of a row to the runs i0..i1-1 of the row above
// that share a column with them. Both rows are in left-to-right order, so
// one sweep pairs them all; every run links to an earlier one or to itself
// (the first run of its region). On a map most runs meet one run above,
// the one the run before them met last, which keeps the loops below short
// and alike from one run to the next.
void JoinRow(const std::int32_t *edges, std::int32_t i0, std::int32_t i1, std::int32_t j0, std::int32_t j1,
             std::int32_t *link)
{
    std::int32_t i = i0;
    for (std::int32_t j = j0; j < j1; ++j) {
        link[j] = j;
        const std::int32_t b0 = edges[2 * j];
        const std::int32_t b1 = edges[2 * j + 1];
        // Runs above that end before this one begins meet none further on.
        while (i < i1 && edges[2 * i + 1] <= b0)
            ++i;
        // The rest that begin before it ends share a column with it.
        for (std::int32_t k = i; k < i1 && edges[2 * k] < b1; ++k) {
            const std::int32_t ra = Root(link, k);
            const std::int32_t rb = Root(link, j);
            if (ra < rb)
                link[rb] = ra;
            else if (rb < ra)
                link[ra] = rb;
        }
    }
}

} // namespace

void RegionIndex::Build(std::uint32_t *bits, std::size_t stride, int width, int height, std::uint32_t value)
{
    height = std::max(height, 0);
    width = std::max(width, 0);
    rowStart_.assign(static_cast<std::size_t>(height) + 1, 0);
    // A row has at most width + 1 edges, and the wide scan writes up to four
    // beyond the last; the buffer only grows, so its size is set (and its
    // new part cleared) on the first drawings only.
    const std::size_t room = static_cast<std::size_t>(width) + 8;
    std::size_t used = 0;
    for (int y = 0; y < height; ++y) {
        const auto first = static_cast<std::int32_t>(used / 2);
        rowStart_[static_cast<std::size_t>(y)] = first;
        if (edges_.size() < used + room)
            edges_.resize(std::max(edges_.size() * 2, used + room));
        const std::uint32_t *row = bits + stride * static_cast<std::size_t>(y);
        std::int32_t *out = edges_.data() + used;
#if defined(LANDORA_REGION_AVX2)
        if (HasAvx2BitScan)
            used = static_cast<std::size_t>(RowEdgesWide(row, width, value, out) - edges_.data());
        else
#endif
            used = static_cast<std::size_t>(RowEdges(row, width, value, out) - edges_.data());
        // The row is joined to the one above while both are at hand.
        const auto last = static_cast<std::int32_t>(used / 2);
        if (region_.size() < static_cast<std::size_t>(last))
            region_.resize(std::max(region_.size() * 2, static_cast<std::size_t>(last)));
        const std::int32_t above = y > 0 ? rowStart_[static_cast<std::size_t>(y) - 1] : first;
        JoinRow(edges_.data(), above, first, first, last, region_.data());
    }
    const auto n = static_cast<std::int32_t>(used / 2);
    rowStart_[static_cast<std::size_t>(height)] = n;

    // In run order each link already leads to a numbered run.
    std::int32_t regions = 0;
    for (std::int32_t r = 0; r < n; ++r) {
        auto &l = region_[static_cast<std::size_t>(r)];
        l = l == r ? regions++ : region_[static_cast<std::size_t>(l)];
    }
    colour_.assign(static_cast<std::size_t>(regions), 0u);
    noted_ = 0;
    bits_ = bits;
    stride_ = stride;
    width_ = width;
    height_ = height;
    value_ = value;
    valid_ = true;
}

void RegionIndex::WriteNoted() const
{
    if (noted_ == 0)
        return;
#if defined(LANDORA_REGION_AVX2)
    if (HasAvx2BitScan)
        WriteRowsWide(bits_, stride_, width_, height_, rowStart_.data(), edges_.data(), region_.data(), colour_.data());
    else
#endif
        for (int y = 0; y < height_; ++y) {
            std::uint32_t *row = bits_ + stride_ * static_cast<std::size_t>(y);
            for (std::int32_t r = rowStart_[static_cast<std::size_t>(y)]; r < rowStart_[static_cast<std::size_t>(y) + 1];
                 ++r) {
                const std::uint32_t c = colour_[static_cast<std::size_t>(region_[static_cast<std::size_t>(r)])];
                if (c != 0)
                    std::fill(row + edges_[2 * static_cast<std::size_t>(r)],
                              row + edges_[2 * static_cast<std::size_t>(r) + 1], c);
            }
        }
    std::fill(colour_.begin(), colour_.end(), 0u);
    noted_ = 0;
}

int RegionIndex::RegionAt(int x, int y) const
{
    if (!valid_ || y < 0 || y >= height_)
        return -1;
    // The last run of the row starting at or before x.
    std::int32_t lo = rowStart_[static_cast<std::size_t>(y)];
    std::int32_t hi = rowStart_[static_cast<std::size_t>(y) + 1];
    while (lo < hi) {
        const std::int32_t mid = lo + (hi - lo) / 2;
        if (edges_[2 * static_cast<std::size_t>(mid)] <= x)
            lo = mid + 1;
        else
            hi = mid;
    }
    const std::int32_t r = lo - 1;
    if (r < rowStart_[static_cast<std::size_t>(y)] || x >= edges_[2 * static_cast<std::size_t>(r) + 1])
        return -1;
    return region_[static_cast<std::size_t>(r)];
}

} // namespace landora
