#pragma once
// The regions of one colour on a surface, found in a single pass: every
// maximal run of that colour along a row, and which runs touch across rows
// (4-connected). A start drawing floods the sea and then every country from
// seed points, all of them regions of the land colour. With the index a fill
// only notes its region's new colour, and the noted regions are written in
// one pass down the surface: no fill searches for its region's edges row by
// row, and the writes follow the memory in order.
//
// Filling a whole region with another colour leaves every other region of
// the indexed colour as it was, so the index stays true through any number
// of such fills. Anything else drawn on the surface may join or split
// regions: the surface then writes the noted colours and drops its index
// (see Canvas).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace landora {

class RegionIndex {
public:
    RegionIndex() = default;
    // An index belongs to the pixels it was built from: a copied or moved
    // surface starts without one. The source's noted colours are written
    // first, so that a surface copied next to its index copies them too.
    RegionIndex(const RegionIndex &other) { other.WriteNoted(); }
    RegionIndex &operator=(const RegionIndex &other)
    {
        other.WriteNoted();
        Forget();
        return *this;
    }
    ~RegionIndex() = default;

    // Indexes the pixels equal to `value` of a surface of width x height
    // (its rows `stride` pixels apart); no region has a colour noted.
    void Build(std::uint32_t *bits, std::size_t stride, int width, int height, std::uint32_t value);
    // Whether the index describes the pixels of `value` at `bits`.
    bool Covers(const std::uint32_t *bits, std::uint32_t value) const
    {
        return valid_ && bits == bits_ && value == value_;
    }
    // Drops the index. Noted colours not yet written are lost: write them
    // first where they count.
    void Forget()
    {
        valid_ = false;
        if (noted_ != 0)
            std::fill(colour_.begin(), colour_.end(), 0u);
        noted_ = 0;
    }
    std::uint32_t Value() const { return value_; }

    // The region holding pixel (x, y), or -1 when the pixel was not of the
    // indexed colour.
    int RegionAt(int x, int y) const;
    // The colour noted for a region, or 0 (no pixel value is 0: pixels are
    // opaque).
    std::uint32_t Noted(int region) const { return noted_ == 0 ? 0 : colour_[static_cast<std::size_t>(region)]; }
    void Note(int region, std::uint32_t colour)
    {
        auto &c = colour_[static_cast<std::size_t>(region)];
        noted_ += c == 0 ? 1 : 0;
        c = colour;
    }
    bool AnyNoted() const { return noted_ != 0; }
    // Writes the noted colours into their regions' pixels, row by row from
    // the top, and clears the notes. The index stays true.
    void WriteNoted() const;

    std::size_t RunCount() const { return rowStart_.empty() ? 0 : static_cast<std::size_t>(rowStart_.back()); }
    std::size_t RegionCount() const { return colour_.size(); }

private:
    std::uint32_t *bits_ = nullptr;
    std::size_t stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::uint32_t value_ = 0;
    bool valid_ = false;
    // The runs row by row, left to right, as pairs of edges: run r covers
    // pixels edges_[2r] to edges_[2r + 1] - 1 of its row.
    std::vector<std::int32_t> edges_;
    std::vector<std::int32_t> rowStart_;  // first run of each row; one more entry at the end
    std::vector<std::int32_t> region_;    // per run (grown only): while building a run it joins, then its region
    // Notes are kept by const surfaces too: writing them changes no pixel's
    // colour as the surface shows it.
    mutable std::vector<std::uint32_t> colour_; // per region: the noted colour, or 0
    mutable std::size_t noted_ = 0;             // regions with a colour noted
};

} // namespace landora
