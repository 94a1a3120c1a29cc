#pragma once
// Random draws a test can predict.
#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "platform/Random.h"
#include "data/Services.h"

namespace landora::test {

// The same pseudo-random sequence in every run for one seed.
using SeededRandom = CSeededRandom;

// Hands out the given values in order; running out fails the test and gives 0.
// Reseed() is counted, not acted upon.
class ScriptedRandom final : public IRandom {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<double> values) : values_(values) {}

    void Push(double value) { values_.push_back(value); }
    void Reseed() override { ++reseeds; }
    double Next() override
    {
        if (next_ >= values_.size()) {
            ADD_FAILURE() << "ScriptedRandom ran out after " << values_.size() << " draws";
            return 0.0;
        }
        return values_[next_++];
    }
    std::size_t Drawn() const { return next_; }
    std::size_t Left() const { return values_.size() - next_; }

    int reseeds = 0;

private:
    std::vector<double> values_;
    std::size_t next_ = 0;
};

} // namespace landora::test
