#pragma once

#include <cassert>
#include <climits>
#include <cstdint>

#include "model/seeded_random.h"

namespace nitka {

// A whole number below n, each equally likely, also for ranges past an int
// (lists of cells of a giant maze). Within an int it is the source's own draw,
// so small mazes draw exactly what Random would. Requires: 1 <= n <= 2^62.
inline std::uint64_t drawBelow(SeededRandom& random, std::uint64_t n) {
    assert(n >= 1 && n <= std::uint64_t{1} << 62);
    if (n <= static_cast<std::uint64_t>(INT_MAX)) {
        return static_cast<std::uint64_t>(random.Random(static_cast<int>(n)));
    }
    constexpr std::uint64_t kSpan = std::uint64_t{1} << 62;
    const std::uint64_t limit = kSpan / n * n;
    while (true) {
        const auto high = static_cast<std::uint64_t>(random.Random(4));
        const auto middle = static_cast<std::uint64_t>(random.Random(1 << 30));
        const auto low = static_cast<std::uint64_t>(random.Random(1 << 30));
        const std::uint64_t value = high << 60 | middle << 30 | low;
        if (value < limit) {
            return value % n;
        }
    }
}

}  // namespace nitka
