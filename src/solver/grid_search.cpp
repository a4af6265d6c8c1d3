#include "solver/grid_search.h"

#include <algorithm>
#include <cassert>
#include <new>
#include <utility>
#include <vector>

#include "solver/search_parts.h"

namespace nitka {
namespace {

using search::CellRing;
using search::kFailed;
using search::kOnRoute;
using search::kUnreached;
using search::kUnvisited;
using search::nextMark;
using search::previousMark;

constexpr Step stepOf(unsigned number) {
    return static_cast<Step>(number);
}

}  // namespace

// The plain rectangle's searches are a named fast path beside the general ones
// over a maze view (view_search.h): they carry each cell's column and row from
// step to step, where the general code divides to find them. At 3000 x 3000
// that is solve 0.33 s against 0.38 s and solve --shortest 0.61 s against
// 0.65 s, whole process (docs/performance.md). ShapeSearch's tests prove they
// walk the general searches' routes cell for cell.
std::optional<GridRoute> findGridRoute(WallGrid& grid, GridCell from, GridCell to) {
    grid.clearScratch();
    if (!grid.contains(from) || !grid.contains(to)) {
        return std::nullopt;
    }
    // The route doubles as the stack: the way back from a cell is the opposite
    // of the route's last move.
    GridRoute route(from);
    GridCell cell = from;
    std::size_t at = grid.index(cell);
    const auto moveAt = indexMoves(grid);
    grid.setScratch(at, kOnRoute);
    while (cell != to) {
        const unsigned tried = grid.scratch(at) - kOnRoute;
        const unsigned next = firstStepInto(grid, cell, at, tried, kUnvisited);
        if (next == 4) {
            // Never entered again, by findRoute's argument for its failed mark;
            // that keeps a maze with loops to one entry per cell.
            grid.setScratch(at, kFailed);
            if (route.moves() == 0) {
                grid.clearScratch();
                return std::nullopt;
            }
            const Step back = opposite(route.move(route.moves() - 1));
            route.pop();
            cell = neighbour(cell, back);
            at += moveAt[static_cast<int>(back)];
        } else {
            grid.setScratch(at, static_cast<std::uint8_t>(kOnRoute + next + 1));
            route.push(stepOf(next));
            cell = neighbour(cell, stepOf(next));
            at += moveAt[next];
            grid.setScratch(at, kOnRoute);
        }
    }
    grid.clearScratch();
    return route;
}

std::optional<GridRoute> findShortestRoute(WallGrid& grid, GridCell from, GridCell to,
                                           std::size_t queueCells) {
    assert(queueCells >= 1);
    grid.clearScratch();
    if (!grid.contains(from) || !grid.contains(to)) {
        return std::nullopt;
    }
    // Searched from the target, so that the route reads forwards from the start.
    CellRing<GridCell> ring(queueCells);
    std::uint8_t mark = 1;
    grid.setScratch(grid.index(to), mark);
    ring.push(to);
    bool levelInRing = true;
    const std::size_t fromAt = grid.index(from);
    while (grid.scratch(fromAt) == kUnreached) {
        const std::uint8_t reachedMark = nextMark(mark);
        bool reachedAny = false;
        bool overflow = false;
        const auto expand = [&](GridCell cell, std::size_t at) {
            for (unsigned number = firstStepInto(grid, cell, at, 0, kUnreached); number < 4;
                 number = firstStepInto(grid, cell, at, number + 1, kUnreached)) {
                const GridCell next = neighbour(cell, stepOf(number));
                grid.setScratch(grid.index(next), reachedMark);
                reachedAny = true;
                overflow = !ring.push(next) || overflow;
            }
        };
        if (levelInRing) {
            for (std::size_t left = ring.size(); left > 0; --left) {
                const GridCell cell = ring.pop();
                expand(cell, grid.index(cell));
            }
        } else {
            // The level did not fit the ring: find it by its mark. Cells three,
            // six, ... levels nearer carry the same mark, but every neighbour of
            // theirs is reached already, so expanding them adds nothing.
            std::size_t at = 0;
            for (int y = 0; y < grid.height(); ++y) {
                for (int x = 0; x < grid.width(); ++x, ++at) {
                    if (grid.scratch(at) == mark) {
                        expand({x, y}, at);
                    }
                }
            }
        }
        if (!reachedAny) {
            grid.clearScratch();
            return std::nullopt;
        }
        if (overflow) {
            ring.clear();
        }
        levelInRing = !overflow;
        mark = reachedMark;
    }

    GridRoute route(from);
    for (GridCell cell = from; cell != to; cell = neighbour(cell, route.move(route.moves() - 1))) {
        const std::size_t at = grid.index(cell);
        const unsigned next = firstStepInto(grid, cell, at, 0, previousMark(grid.scratch(at)));
        assert(next < 4);
        route.push(stepOf(next));
    }
    grid.clearScratch();
    return route;
}

}  // namespace nitka
