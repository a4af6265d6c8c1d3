#include "model/seeded_random.h"

#include <cassert>
#include <chrono>

namespace nitka {

int SeededRandom::Random(int n) {
    assert(n >= 1);
    return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
}

std::uint32_t clockSeed() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks);
}

}  // namespace nitka
