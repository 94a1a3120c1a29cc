#pragma once
// The one container for every fixed capacity of the data model: 1-based,
// bounds-checked, and failing with the range error that travels like any other
// loading failure (a catalogue entry with 191 keys, an area with 501 vertices).
#include <array>
#include <cstddef>

#include "data/Errors.h"

namespace landora {

template <typename T, int Capacity>
class FixedArray {
    static_assert(Capacity > 0);

public:
    static constexpr int First = 1;
    static constexpr int Last = Capacity;

    T &operator[](int index)
    {
        Check(index);
        return items_[static_cast<std::size_t>(index - 1)];
    }
    const T &operator[](int index) const
    {
        Check(index);
        return items_[static_cast<std::size_t>(index - 1)];
    }

    static constexpr int size() { return Capacity; }
    static constexpr bool Contains(int index) { return index >= First && index <= Last; }

    void Fill(const T &value) { items_.fill(value); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    static void Check(int index)
    {
        if (!Contains(index))
            throw ERangeError();
    }

    std::array<T, Capacity> items_{};
};

} // namespace landora
