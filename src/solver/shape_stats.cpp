#include "solver/shape_stats.h"

#include <array>
#include <cstdint>
#include <utility>

#include "shape/cell_fill.h"
#include "shape/maze_view.h"
#include "solver/shape_search.h"

namespace nitka {
namespace {

using NeighbourArray = std::array<CellId, kMaxNeighbours>;

// The open sides of a cell, and how many lead to later cells in reading order
// (so that each passage is counted once, from its earlier cell).
struct Openings {
    int all = 0;
    int onward = 0;
};

template <typename View>
Openings openingsOf(const View& maze, CellId cell) {
    NeighbourArray list{};
    const int count = maze.layout().neighbours(cell, list);
    Openings openings;
    for (int place = 0; place < count; ++place) {
        const CellId next = list[static_cast<std::size_t>(place)];
        if (maze.isOpen(cell, next)) {
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
    const auto& topology = maze.layout();
    NeighbourArray list{};
    CellId previous = kNoCell;
    CellId cell = start;
    do {
        const int count = topology.neighbours(cell, list);
        CellId onward = kNoCell;
        int open = 0;
        for (int place = 0; place < count; ++place) {
            const CellId next = list[static_cast<std::size_t>(place)];
            if (maze.isOpen(cell, next)) {
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

struct SideCounts {
    MazeStats stats;
    bool targetReachable = false;
};

// The counts of every cell's sides and pieces, the scratch left clear.
template <typename View>
SideCounts countSides(const View& maze, CellId start, CellId target) {
    const auto& topology = maze.layout();
    MazeStats stats;
    stats.width = topology.width();
    stats.height = topology.height();
    stats.cells = topology.cellCount();

    maze.clearScratch();
    const auto open = [&maze](const Link& link) { return maze.isOpen(link.side); };
    std::uint64_t components = 1;
    std::uint64_t rings = isBareRing(maze, start) ? 1 : 0;
    stats.reachable = fillJoinedCells(maze, start, open);
    const bool targetReachable = maze.scratch(target) != 0;
    std::uint64_t corridorEnds = 0;
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (!topology.isCell(cell)) {
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
            fillJoinedCells(maze, cell, open);
            ++components;
        }
    }
    maze.clearScratch();
    stats.loops = stats.passages + components - stats.cells;
    stats.corridors = corridorEnds / 2 + rings;
    stats.perfect = components == 1 && stats.passages + 1 == stats.cells;
    return {stats, targetReachable};
}

}  // namespace

MazeStats measureShapeMaze(ShapeMaze& maze) {
    return measureShapeMazeWithRoute(maze).stats;
}

ShapeMeasures measureShapeMazeWithRoute(ShapeMaze& maze) {
    const Topology& topology = maze.topology();
    const CellId start = topology.start();
    const CellId target = topology.target();
    const SideCounts counts =
        withMazeView(maze, [&](const auto& view) { return countSides(view, start, target); });
    MazeStats stats = counts.stats;
    const bool targetReachable = counts.targetReachable;
    std::optional<ShapeRoute> shortest;
    if (targetReachable) {
        std::optional<ShapeRoute> route = findShapeRoute(maze, start, target);
        if (route) {
            stats.routeCells = route->moves() + 1;
        }
        // Without a loop the route between two cells is the only one, so it is
        // also the shortest: a giant perfect maze is spared the second search.
        if (stats.loops == 0) {
            shortest = std::move(route);
        } else {
            route.reset();
            shortest = findShortestShapeRoute(maze, start, target);
        }
        if (shortest) {
            stats.shortestCells = shortest->moves() + 1;
        }
    }
    return {stats, std::move(shortest)};
}

}  // namespace nitka
