#pragma once

#include <cstdint>
#include <optional>

#include "shape/shape_maze.h"
#include "solver/search_parts.h"
#include "solver/view_route.h"

namespace nitka {

// What the difficulty score is made of (docs/difficulty.md).
struct DifficultyParts {
    // Cells of a shortest route from the start to the target, both included.
    std::uint64_t routeCells = 0;
    // Cells reachable from the start.
    std::uint64_t reachable = 0;
    // Cells of that route, the target excepted, with a way out that leaves
    // the route: the places where a solver must choose.
    std::uint64_t decisions = 0;
};

// Cells an explorer who picks among unexplored ways at random, and never
// goes back into a part it has explored, visits before it reaches the target,
// in expectation: exact in a perfect maze, where each way off the route is
// taken before the onward way half the time and then explored whole.
double expectedExploredCells(const DifficultyParts& parts);

// expectedExploredCells / 10 + decisions, rounded to a tenth.
double difficultyScore(const DifficultyParts& parts);

// The parts along shortest, a shortest route from the start to the target
// found on this maze view (shortestRoute, or measure::measureView, which keeps
// one), reachable as counted elsewhere (measureMaze). Linear in the route.
template <typename View, typename Route>
DifficultyParts difficultyParts(const View& maze, const Route& shortest, std::uint64_t reachable) {
    DifficultyParts parts;
    parts.routeCells = shortest.moves() + 1;
    parts.reachable = reachable;
    // Three cells of the route in view at a time: the one before, the one
    // judged and the one after. The judged one offers a choice when a side
    // other than those to its two route neighbours lets a route through.
    const auto offersChoice = [&maze](CellId cell, CellId before, CellId after) {
        LinkArray list{};
        const int count = maze.layout().links(cell, list);
        for (int i = 0; i < count; ++i) {
            const Link& link = list[static_cast<std::size_t>(i)];
            if (link.next != before && link.next != after && maze.passable(link.side)) {
                return true;
            }
        }
        return false;
    };
    CellId before = kNoCell;
    CellId judged = kNoCell;
    forEachRouteCell(maze, shortest, [&](CellId cell) {
        if (judged != kNoCell && offersChoice(judged, before, cell)) {
            ++parts.decisions;
        }
        before = judged;
        judged = cell;
    });
    return parts;
}

// The plain rectangle's parts: a named fast path beside the walk above, taken
// by overload. It follows the route by column and row and counts a cell's
// openings from its four flags at once, where the general walk finds each
// cell's column by a division and asks the layout for its links; on a route
// through a quarter of 10,000 x 10,000 cells that is 0.3 s against 0.55 s.
// The typed measure tests hold both to one count.
DifficultyParts difficultyParts(const GridView<WallGrid>& maze, const GridRoute& shortest,
                                std::uint64_t reachable);

// The score of a maze of any shape, measuring what it needs; nullopt without
// a route. Linear time.
std::optional<double> shapeDifficulty(ShapeMaze& maze);

}  // namespace nitka
