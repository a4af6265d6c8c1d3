#include "solver/measured_maze.h"

#include "shape/maze_view.h"
#include "solver/difficulty.h"
#include "solver/view_measures.h"

namespace nitka {
namespace {

template <typename Maze>
MeasuredMaze measuredOf(Maze& maze) {
    return withMazeView(maze, [&](const auto& view) -> MeasuredMaze {
        const auto measures = measure::measureView(view, measure::endsOf(maze));
        if (!measures.shortest) {
            return {measures.stats, std::nullopt};
        }
        return {measures.stats, difficultyScore(difficultyParts(view, *measures.shortest,
                                                                measures.stats.reachable))};
    });
}

}  // namespace

MeasuredMaze measureWithDifficulty(WallGrid& grid) {
    return measuredOf(grid);
}

MeasuredMaze measureWithDifficulty(ShapeMaze& maze) {
    return measuredOf(maze);
}

}  // namespace nitka
