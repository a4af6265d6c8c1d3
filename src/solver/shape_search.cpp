#include "solver/shape_search.h"

#include "shape/maze_view.h"
#include "solver/view_route.h"

namespace nitka {

std::optional<ShapeRoute> findShapeRoute(ShapeMaze& maze, CellId from, CellId to) {
    return withMazeView(maze, [&](const auto& view) { return windowRoute(view, from, to); });
}

std::optional<ShapeRoute> findShortestShapeRoute(ShapeMaze& maze, CellId from, CellId to,
                                                 std::size_t queueCells) {
    return withMazeView(
        maze, [&](const auto& view) { return shortestRoute(view, from, to, queueCells); });
}

}  // namespace nitka
