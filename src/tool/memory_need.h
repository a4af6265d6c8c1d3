#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "plan/memory_need.h"

namespace nitka {

// Why the maze is not taken on with that need by this process, or nothing;
// see refusal() in grid/size_limits.h. To be asked before anything of that
// size is allocated.
std::optional<std::string> memoryRefusal(std::int64_t width, std::int64_t height,
                                         std::uint64_t need);

}  // namespace nitka
