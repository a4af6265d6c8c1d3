#include "model/seeded_random.h"

#include <cassert>
#include <chrono>

namespace nitka {
namespace {

constexpr std::uint64_t kMultiplier = 6364136223846793005u;
constexpr std::uint64_t kIncrement = 1442695040888963407u;

}  // namespace

void SeededRandom::seed(std::uint32_t value) {
    m_state = 0;
    next();
    m_state += value;
    next();
}

std::uint32_t SeededRandom::next() {
    const std::uint64_t old = m_state;
    m_state = old * kMultiplier + kIncrement;
    const auto shifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rotation = static_cast<std::uint32_t>(old >> 59u);
    return (shifted >> rotation) | (shifted << ((32u - rotation) & 31u));
}

int SeededRandom::Random(int n) {
    assert(n >= 1);
    // Multiply-and-shift maps 32 random bits onto 0 .. n - 1; redrawing the few
    // low products below 2^32 mod n removes the bias.
    const auto range = static_cast<std::uint32_t>(n);
    std::uint64_t product = static_cast<std::uint64_t>(next()) * range;
    auto low = static_cast<std::uint32_t>(product);
    if (low < range) {
        const std::uint32_t threshold = (0u - range) % range;
        while (low < threshold) {
            product = static_cast<std::uint64_t>(next()) * range;
            low = static_cast<std::uint32_t>(product);
        }
    }
    return static_cast<int>(product >> 32u);
}

std::uint32_t clockSeed() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks);
}

}  // namespace nitka
