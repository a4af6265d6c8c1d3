#pragma once

#include "grid/wall_grid.h"
#include "solver/maze_pictures.h"

namespace nitka::testing {

// The compact form of a wall array: every cell's top and left flag by class.
// The outer right and bottom flags have no place in it.
inline WallGrid gridFromMaze(const SizedMaze& maze) {
    WallGrid grid(maze.width, maze.height);
    for (int y = 0; y < maze.height; ++y) {
        for (int x = 0; x < maze.width; ++x) {
            const std::size_t at = grid.index({x, y});
            grid.setTop(at, flagOf(maze.walls[x][y].Top));
            grid.setLeft(at, flagOf(maze.walls[x][y].Left));
        }
    }
    return grid;
}

}  // namespace nitka::testing
