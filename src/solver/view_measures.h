#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "grid/wall_grid.h"
#include "shape/cell_fill.h"
#include "shape/maze_view.h"
#include "shape/shape_maze.h"
#include "solver/grid_counts.h"
#include "solver/maze_stats.h"
#include "solver/view_route.h"

// The measures of `info`, written once over a maze view (shape/maze_view.h).
// A side counts as open when the view calls it passable, so a grid's
// hand-edited flag counts as its route search walks it.
namespace nitka::measure {

inline Ends endsOf(const WallGrid& grid) {
    return {0, grid.cellCount() - 1};
}

inline Ends endsOf(const ShapeMaze& maze) {
    return {maze.topology().start(), maze.topology().target()};
}

// The open sides of a cell, and how many lead to later cells in reading order
// (so that each passage is counted once, from its earlier cell).
struct Openings {
    int all = 0;
    int onward = 0;
};

template <typename View>
Openings openingsOf(const View& maze, CellId cell) {
    LinkArray list{};
    const int count = maze.layout().links(cell, list);
    Openings openings;
    for (int place = 0; place < count; ++place) {
        const Link& link = list[static_cast<std::size_t>(place)];
        const CellId next = link.next;
        if (maze.passable(link.side)) {
            ++openings.all;
            openings.onward += next > cell ? 1 : 0;
        }
    }
    return openings;
}

// Whether the cells joined to start form a ring of two-way cells only. Walks
// on from start until it comes back, which only such a ring allows, or meets
// a cell of another kind: once over the piece at most.
template <typename View>
bool isBareRing(const View& maze, CellId start) {
    LinkArray list{};
    CellId previous = kNoCell;
    CellId cell = start;
    do {
        const int count = maze.layout().links(cell, list);
        CellId onward = kNoCell;
        int open = 0;
        for (int place = 0; place < count; ++place) {
            const Link& link = list[static_cast<std::size_t>(place)];
            const CellId next = link.next;
            if (maze.passable(link.side)) {
                ++open;
                onward = next != previous && onward == kNoCell ? next : onward;
            }
        }
        if (open != 2) {
            return false;
        }
        previous = cell;
        cell = onward;
    } while (cell != start);
    return true;
}

// The counts of every cell's sides and pieces, the scratch left clear. A
// WallGrid takes the fast path of grid_counts.h instead.
template <typename View>
SideCounts countSides(const View& maze, Ends ends) {
    const auto& layout = maze.layout();
    MazeStats stats;
    stats.width = layout.width();
    stats.height = layout.height();
    stats.cells = layout.cellCount();

    maze.clearScratch();
    const auto passes = [&maze](const Link& link) { return maze.passable(link.side); };
    std::uint64_t components = 1;
    std::uint64_t rings = isBareRing(maze, ends.start) ? 1 : 0;
    stats.reachable = fillJoinedCells(maze, ends.start, passes);
    const bool targetReachable = maze.scratch(ends.target) != 0;
    std::uint64_t corridorEnds = 0;
    for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
        if (!layout.isCell(cell)) {
            continue;
        }
        const Openings openings = openingsOf(maze, cell);
        stats.passages += static_cast<std::uint64_t>(openings.onward);
        stats.deadEnds += openings.all == 1 ? 1 : 0;
        // Each opening of a cell that is not two-way starts one corridor, and
        // each corridor with ends has two of them.
        corridorEnds += openings.all == 2 ? 0 : static_cast<std::uint64_t>(openings.all);
        if (maze.scratch(cell) == 0) {
            rings += isBareRing(maze, cell) ? 1 : 0;
            fillJoinedCells(maze, cell, passes);
            ++components;
        }
    }
    maze.clearScratch();
    stats.loops = stats.passages + components - stats.cells;
    stats.corridors = corridorEnds / 2 + rings;
    stats.perfect = components == 1 && stats.passages + 1 == stats.cells;
    return {stats, targetReachable};
}

// The figures and the shortest route they count, kept for measures that walk
// it: the one shortestRoute finds (without a loop the only route); nullopt
// without.
template <typename Route>
struct Measures {
    MazeStats stats;
    std::optional<Route> shortest;
};

// Linear time, as long as shortestRoute's levels fit its queue; besides the
// searches' routes and queue it uses only the scratch bits, clear again on
// return.
template <typename View>
auto measureView(const View& maze, Ends ends) {
    SideCounts counts = countSides(maze, ends);
    MazeStats& stats = counts.stats;
    using Route = typename decltype(windowRoute(maze, ends.start, ends.target))::value_type;
    std::optional<Route> shortest;
    if (counts.targetReachable) {
        std::optional<Route> route = windowRoute(maze, ends.start, ends.target);
        if (route) {
            stats.routeCells = route->moves() + 1;
        }
        // Without a loop the route between two cells is the only one, so it is
        // also the shortest: a giant perfect maze is spared the second search.
        if (stats.loops == 0) {
            shortest = std::move(route);
        } else {
            route.reset();
            shortest = shortestRoute(maze, ends.start, ends.target);
        }
        if (shortest) {
            stats.shortestCells = shortest->moves() + 1;
        }
    }
    return Measures<Route>{stats, std::move(shortest)};
}

}  // namespace nitka::measure
