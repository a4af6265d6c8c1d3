#pragma once

#include <cstdint>
#include <random>

#include "model/random_source.h"

namespace nitka {

// The program's random source: seeded once, never reseeded, so successive
// mazes differ.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed = 0) : m_engine(seed) {}
    void seed(std::uint32_t value) { m_engine.seed(value); }
    int Random(int n) override;

private:
    std::mt19937 m_engine;
};

// Low 32 bits of the high-resolution clock: a different seed on every start.
std::uint32_t clockSeed();

}  // namespace nitka
