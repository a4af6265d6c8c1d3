#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tool/maze_input.h"

namespace nitka {

// A maze as the arrays other programs take it, for every front end that
// hands them over.

// A position as solve prints it: x along the row (polar: the ring), y the row.
struct Position {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

Position startOf(const AnyMaze& maze);
Position targetOf(const AnyMaze& maze);

// The occupancy grid of a rectangle: (2H + 1) x (2W + 1) bytes, 1 for a wall,
// cell (x, y) at row 2y + 1, column 2x + 1.
struct WallPicture {
    std::int64_t rows = 0;
    std::int64_t columns = 0;
    std::vector<std::uint8_t> walls;
};

// Throws UsageError naming `grid` for any maze but a rectangle.
WallPicture wallPicture(const AnyMaze& maze);

// The same into walls, which holds rows x columns bytes. Requires: a
// rectangle.
void drawWallPicture(const AnyMaze& maze, std::span<std::uint8_t> walls);

}  // namespace nitka
