#include "solver/maze_stats.h"

#include "shape/maze_view.h"
#include "solver/view_measures.h"

namespace nitka {

std::optional<double> meanCorridorLength(const MazeStats& stats) {
    if (stats.corridors == 0) {
        return std::nullopt;
    }
    return static_cast<double>(stats.passages) / static_cast<double>(stats.corridors);
}

namespace {

template <typename Maze>
MazeStats statsOf(Maze& maze) {
    return withMazeView(maze, [&](const auto& view) {
        return measure::measureView(view, measure::endsOf(maze)).stats;
    });
}

}  // namespace

MazeStats measureMaze(WallGrid& grid) {
    return statsOf(grid);
}

MazeStats measureMaze(ShapeMaze& maze) {
    return statsOf(maze);
}

}  // namespace nitka
