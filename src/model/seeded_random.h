#pragma once

#include <pcg_random.hpp>

#include <cstdint>

#include "model/random_source.h"

namespace nitka {

// The program's random source: the reference PCG32 generator, seeded once and
// never reseeded, so successive mazes differ. A seed is a promise: the same
// seed gives the same draws, and so the same mazes, in every later version.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed = 0) : m_engine(seed) {}
    void seed(std::uint64_t value) { m_engine.seed(value); }
    // The generator's own unbiased bounded draw.
    int Random(int n) override { return static_cast<int>(m_engine(static_cast<std::uint32_t>(n))); }

private:
    pcg32 m_engine;
};

// The high-resolution clock's ticks: a different seed on every start.
std::uint64_t clockSeed();

}  // namespace nitka
