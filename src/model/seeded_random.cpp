#include "model/seeded_random.h"

#include <chrono>

namespace nitka {

std::uint64_t clockSeed() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint64_t>(ticks);
}

}  // namespace nitka
