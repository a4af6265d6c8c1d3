#include "solver/difficulty.h"

#include <array>
#include <cmath>

#include "solver/grid_search.h"
#include "solver/measured_maze.h"
#include "solver/shape_search.h"
#include "solver/shape_stats.h"

namespace nitka {
namespace {

// Whether cell has an open way other than to the cells before and after it
// on the route (kNoCell at the route's ends).
bool offersChoice(const ShapeMaze& maze, CellId cell, CellId before, CellId after) {
    std::array<CellId, kMaxNeighbours> list{};
    const int count = maze.topology().neighbours(cell, list);
    for (int i = 0; i < count; ++i) {
        const CellId next = list[static_cast<std::size_t>(i)];
        if (next != before && next != after && maze.isOpen(cell, next)) {
            return true;
        }
    }
    return false;
}

bool offersChoice(const WallGrid& grid, GridCell cell, GridCell before, GridCell after) {
    for (int step = 0; step < 4; ++step) {
        const GridCell next = neighbour(cell, static_cast<Step>(step));
        if (!grid.contains(next) || next == before || next == after) {
            continue;
        }
        // The flag of the side between: the top or left flag of the lower cell.
        const bool across = next.y == cell.y;
        const GridCell holder =
            across ? (next.x > cell.x ? next : cell) : (next.y > cell.y ? next : cell);
        const std::size_t at = grid.index(holder);
        if (letsRoutePass(across ? grid.left(at) : grid.top(at))) {
            return true;
        }
    }
    return false;
}

// Whether more than count of the bits of steps are set: what is left after
// clearing the lowest set bit count times.
bool hasMoreBitsThan(unsigned steps, int count) {
    for (int i = 0; i < count; ++i) {
        steps &= steps - 1;
    }
    return steps != 0;
}

}  // namespace

double expectedExploredCells(const DifficultyParts& parts) {
    const auto route = static_cast<double>(parts.routeCells);
    return route + (static_cast<double>(parts.reachable) - route) / 2;
}

double difficultyScore(const DifficultyParts& parts) {
    const double score = expectedExploredCells(parts) / 10 + static_cast<double>(parts.decisions);
    return std::round(score * 10) / 10;
}

std::optional<DifficultyParts> shapeDifficultyParts(ShapeMaze& maze, std::uint64_t reachable) {
    const Topology& topology = maze.topology();
    const auto route = findShortestShapeRoute(maze, topology.start(), topology.target());
    if (!route) {
        return std::nullopt;
    }
    return shapeDifficultyParts(maze, *route, reachable);
}

std::optional<DifficultyParts> gridDifficultyParts(WallGrid& grid, std::uint64_t reachable) {
    const GridCell target{grid.width() - 1, grid.height() - 1};
    const auto route = findShortestRoute(grid, {0, 0}, target);
    if (!route) {
        return std::nullopt;
    }
    DifficultyParts parts;
    parts.routeCells = route->moves() + 1;
    parts.reachable = reachable;
    constexpr GridCell kNowhere{-2, -2};
    GridCell before = kNowhere;
    GridCell judged = kNowhere;
    route->forEachCell([&](GridCell cell) {
        if (judged != kNowhere && offersChoice(grid, judged, before, cell)) {
            ++parts.decisions;
        }
        before = judged;
        judged = cell;
    });
    return parts;
}

DifficultyParts gridDifficultyParts(const WallGrid& grid, const GridRoute& shortest,
                                    std::uint64_t reachable) {
    DifficultyParts parts;
    parts.routeCells = shortest.moves() + 1;
    parts.reachable = reachable;
    // A route enters each of its cells once and only through open sides, so a
    // cell offers a way off it exactly when it has more openings than the
    // route takes: one at the start, two further on. The target is not judged.
    GridCell cell = shortest.start();
    int taken = 1;
    for (std::uint64_t i = 0; i < shortest.moves(); ++i) {
        parts.decisions += hasMoreBitsThan(passableSteps(grid, cell), taken) ? 1 : 0;
        taken = 2;
        cell = neighbour(cell, shortest.move(i));
    }
    return parts;
}

DifficultyParts shapeDifficultyParts(const ShapeMaze& maze, const ShapeRoute& shortest,
                                     std::uint64_t reachable) {
    DifficultyParts parts;
    parts.routeCells = shortest.moves() + 1;
    parts.reachable = reachable;
    // Three cells of the route in view at a time: the one before, the one
    // judged and the one after.
    CellId before = kNoCell;
    CellId judged = kNoCell;
    shortest.forEachCell(maze.topology(), [&](CellId cell) {
        if (judged != kNoCell && offersChoice(maze, judged, before, cell)) {
            ++parts.decisions;
        }
        before = judged;
        judged = cell;
    });
    return parts;
}

std::optional<double> shapeDifficulty(ShapeMaze& maze) {
    return measureWithDifficulty(maze).difficulty;
}

}  // namespace nitka
