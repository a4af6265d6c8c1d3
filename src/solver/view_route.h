#pragma once

#include <cstddef>
#include <optional>

#include "grid/grid_route.h"
#include "shape/cell_fill.h"
#include "shape/maze_view.h"
#include "solver/grid_search.h"
#include "solver/shape_route.h"
#include "solver/view_search.h"

// The two route searches over a maze view, each route in its store's own
// form: a GridRoute on a WallGrid, a ShapeRoute on any shape. The one place
// the plain rectangle's fast path (grid_search.h) is chosen; it walks the
// general searches' routes cell for cell (ShapeSearch's tests).
namespace nitka {

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

inline GridCell gridCellOf(const GridLayout& layout, CellId cell) {
    const CellPosition at = layout.position(cell);
    return {static_cast<int>(at.x), static_cast<int>(at.y)};
}

// The route the window's search finds from one cell to another; nullopt when
// there is none or either end is no cell. Linear time; the scratch bits clear
// again on return.
inline std::optional<GridRoute> windowRoute(const GridView<WallGrid>& maze, CellId from,
                                            CellId to) {
    if (!maze.layout().isCell(from) || !maze.layout().isCell(to)) {
        return std::nullopt;
    }
    return findGridRoute(maze.grid(), gridCellOf(maze.layout(), from),
                         gridCellOf(maze.layout(), to));
}

template <Layout L>
std::optional<ShapeRoute> windowRoute(const ShapeView<L>& maze, CellId from, CellId to) {
    ShapeRoute route(from);
    ShapeTrail trail(route);
    if (!search::searchDepthFirst(maze, from, to, trail)) {
        return std::nullopt;
    }
    return route;
}

// A shortest route, the one search::searchShortest describes; a level of more
// than queueCells cells is found by scanning the maze. nullopt as above.
// Requires: queueCells >= 1.
inline std::optional<GridRoute> shortestRoute(const GridView<WallGrid>& maze, CellId from,
                                              CellId to,
                                              std::size_t queueCells = kShortestQueueCells) {
    if (!maze.layout().isCell(from) || !maze.layout().isCell(to)) {
        return std::nullopt;
    }
    return findShortestRoute(maze.grid(), gridCellOf(maze.layout(), from),
                             gridCellOf(maze.layout(), to), queueCells);
}

template <Layout L>
std::optional<ShapeRoute> shortestRoute(const ShapeView<L>& maze, CellId from, CellId to,
                                        std::size_t queueCells = kShortestQueueCells) {
    ShapeRoute route(from);
    ShapeTrail trail(route);
    if (!search::searchShortest(maze, from, to, trail, queueCells)) {
        return std::nullopt;
    }
    return route;
}

// Calls visit(cell) for every cell of a route found on this view, first to
// last, each cell by its number in the view's layout.
template <typename Visit>
void forEachRouteCell(const GridView<WallGrid>& maze, const GridRoute& route, Visit&& visit) {
    route.forEachCell([&](GridCell cell) { visit(maze.layout().cellAt({cell.x, cell.y})); });
}

template <Layout L, typename Visit>
void forEachRouteCell(const ShapeView<L>& maze, const ShapeRoute& route, Visit&& visit) {
    route.forEachCell(maze.layout(), visit);
}

}  // namespace nitka
