#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "grid/grid_route.h"
#include "grid/wall_grid.h"

namespace nitka {

// How each step changes a cell's index, in Step order: at + moves[s] is the
// index of the neighbour a step s away (size_t wraps around on the way down).
inline std::array<std::size_t, 4> indexMoves(const WallGrid& grid) {
    const auto width = static_cast<std::size_t>(grid.width());
    return {1, 0 - width, 0 - std::size_t{1}, width};
}

// The first step, numbered first or later, that the window's search may take
// from cell into a cell whose scratch equals wanted; 4 when there is none.
// Requires: grid.contains(cell), at == grid.index(cell).
inline unsigned firstStepInto(const WallGrid& grid, GridCell cell, std::size_t at, unsigned first,
                              std::uint8_t wanted) {
    // Step by step and only as far as needed: a search jumps about a giant
    // maze, where the rows above and below are seldom in the cache and reading
    // them costs more than a mispredicted branch.
    const auto width = static_cast<std::size_t>(grid.width());
    for (; first < 4; ++first) {
        // routeMayStep, with each flag read only once its edge is known to
        // lie on the grid.
        switch (static_cast<Step>(first)) {
            case Step::Right:
                if (cell.x + 1 < grid.width() && letsRoutePass(grid.left(at + 1)) &&
                    grid.scratch(at + 1) == wanted) {
                    return first;
                }
                break;
            case Step::Up:
                if (cell.y > 0 && letsRoutePass(grid.top(at)) &&
                    grid.scratch(at - width) == wanted) {
                    return first;
                }
                break;
            case Step::Left:
                if (cell.x > 0 && letsRoutePass(grid.left(at)) && grid.scratch(at - 1) == wanted) {
                    return first;
                }
                break;
            case Step::Down:
                if (cell.y + 1 < grid.height() && letsRoutePass(grid.top(at + width)) &&
                    grid.scratch(at + width) == wanted) {
                    return first;
                }
                break;
        }
    }
    return first;
}

// The route the window's search (findRoute) finds from one cell to another:
// depth first, trying right, up, left, down at every cell, the first route
// completed in that order; a flag of exactly Flag::Wall blocks, Flag::Other
// passes, no step leaves the maze. Linear time on any maze, loops included;
// besides the route it uses only the scratch bits, clear again on return.
// nullopt when there is no route or either cell lies outside.
std::optional<GridRoute> findGridRoute(WallGrid& grid, GridCell from, GridCell to);

// Cells a breadth-first search holds in its queue at most; a level that would
// hold more is found by scanning the whole grid instead.
inline constexpr std::size_t kShortestQueueCells = std::size_t{4} << 20;

// A shortest route over the same passability as findGridRoute. Of several, the
// one that takes at every cell the first step in Step order that brings it one
// nearer the target. Linear time while every level of the search fits the
// queue; a level that does not costs a scan of the grid for each level from
// there until one fits again. Memory: the scratch bits (clear on return), the
// route and a queue of at most queueCells cells, which stops growing where
// memory runs short, so that no size need be refused for it. nullopt as for
// findGridRoute.
// Requires: queueCells >= 1 (a small one is for tests).
std::optional<GridRoute> findShortestRoute(WallGrid& grid, GridCell from, GridCell to,
                                           std::size_t queueCells = kShortestQueueCells);

}  // namespace nitka
