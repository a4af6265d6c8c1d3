#include "solver/shape_search.h"

#include <utility>

#include "shape/maze_view.h"
#include "solver/view_search.h"

namespace nitka {
namespace {

// A ShapeRoute as the searches' trail: each move keeps its way back, so the
// route doubles as the depth-first search's stack.
class ShapeTrail {
public:
    explicit ShapeTrail(ShapeRoute& route) : m_route(&route) {}

    std::uint64_t moves() const { return m_route->moves(); }
    void push(CellId cell, int place, CellId, const LinkArray& enteredLinks, int enteredCount) {
        m_route->push(place, placeIn(enteredLinks, enteredCount, cell));
    }
    CellId popFrom(CellId, const LinkArray& cellLinks) {
        const CellId left =
            cellLinks[static_cast<std::size_t>(m_route->moveBack(moves() - 1))].next;
        m_route->pop();
        return left;
    }

private:
    ShapeRoute* m_route;
};

template <typename Search>
std::optional<ShapeRoute> shapeRouteBy(ShapeMaze& maze, CellId from, Search&& search) {
    ShapeRoute route(from);
    ShapeTrail trail(route);
    if (!withMazeView(maze, [&](const auto& view) { return search(view, trail); })) {
        return std::nullopt;
    }
    return route;
}

}  // namespace

std::optional<ShapeRoute> findShapeRoute(ShapeMaze& maze, CellId from, CellId to) {
    return shapeRouteBy(maze, from, [&](const auto& view, ShapeTrail& trail) {
        return search::searchDepthFirst(view, from, to, trail);
    });
}

std::optional<ShapeRoute> findShortestShapeRoute(ShapeMaze& maze, CellId from, CellId to,
                                                 std::size_t queueCells) {
    return shapeRouteBy(maze, from, [&](const auto& view, ShapeTrail& trail) {
        return search::searchShortest(view, from, to, trail, queueCells);
    });
}

}  // namespace nitka
