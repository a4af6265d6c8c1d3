#include "solver/maze_stats.h"

#include "solver/measured_maze.h"

namespace nitka {

std::optional<double> meanCorridorLength(const MazeStats& stats) {
    if (stats.corridors == 0) {
        return std::nullopt;
    }
    return static_cast<double>(stats.passages) / static_cast<double>(stats.corridors);
}

MazeStats measureMaze(WallGrid& grid) {
    return measureWithDifficulty(grid).stats;
}

MazeStats measureMaze(ShapeMaze& maze) {
    return measureWithDifficulty(maze).stats;
}

}  // namespace nitka
