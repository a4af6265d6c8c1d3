#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "carve/carve_method.h"

namespace nitka {

// The memory each command needs for a width x height maze, added up from what
// each layer says it holds: the grid, the file buffers, a route through every
// cell, a carving method's lists, a picture writer's rows. Saturated.
std::uint64_t generateNeed(std::int64_t width, std::int64_t height, CarveMethod method);
// Reading the maze and finding routes in it (solve, info).
std::uint64_t searchNeed(std::int64_t width, std::int64_t height);
std::uint64_t renderNeed(std::int64_t width, std::int64_t height);

// Why the maze is not taken on with that need by this process, or nothing;
// see refusal() in grid/size_limits.h. To be asked before anything of that
// size is allocated.
std::optional<std::string> memoryRefusal(std::int64_t width, std::int64_t height,
                                         std::uint64_t need);

}  // namespace nitka
