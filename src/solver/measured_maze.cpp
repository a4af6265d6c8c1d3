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

template <typename Maze>
RouteScore perfectScoreOf(Maze& maze) {
    return withMazeView(maze, [&](const auto& view) -> RouteScore {
        const measure::Ends ends = measure::endsOf(maze);
        // The only route there is, so the shortest.
        const auto route = windowRoute(view, ends.start, ends.target);
        if (!route) {
            return {};
        }
        return {route->moves() + 1,
                difficultyScore(difficultyParts(view, *route, view.layout().cellCount()))};
    });
}

}  // namespace

RouteScore perfectMazeScore(WallGrid& grid) {
    return perfectScoreOf(grid);
}

RouteScore perfectMazeScore(ShapeMaze& maze) {
    return perfectScoreOf(maze);
}

MeasuredMaze measureWithDifficulty(WallGrid& grid) {
    return measuredOf(grid);
}

MeasuredMaze measureWithDifficulty(ShapeMaze& maze) {
    return measuredOf(maze);
}

}  // namespace nitka
