#pragma once

#include <cstdint>

#include "model/random_source.h"

namespace nitka {

// The program's random source: a PCG32 generator (permuted 64-bit linear
// congruential) seeded once and never reseeded, so successive mazes differ.
// Carving a 100 x 100 maze draws some 40,000 numbers, so the draw is kept cheap.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed = 0) { this->seed(seed); }
    void seed(std::uint32_t value);
    int Random(int n) override;

private:
    std::uint32_t next();

    std::uint64_t m_state = 0;
};

// Low 32 bits of the high-resolution clock: a different seed on every start.
std::uint32_t clockSeed();

}  // namespace nitka
