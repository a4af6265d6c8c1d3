#include "carve/braid.h"

#include <cassert>
#include <cmath>
#include <cstdint>

#include "carve/shape_steps.h"
#include "carve/wide_draw.h"
#include "shape/maze_view.h"

namespace nitka {
namespace {

// Ways out of the cell, counted as the route search moves.
template <typename View>
int waysOut(const View& maze, CellId cell) {
    LinkArray list{};
    const int count = maze.layout().links(cell, list);
    int ways = 0;
    for (int place = 0; place < count; ++place) {
        ways += maze.passable(list[static_cast<std::size_t>(place)].side) ? 1 : 0;
    }
    return ways;
}

template <typename View>
std::uint64_t countDeadEndsOn(const View& maze) {
    const auto& layout = maze.layout();
    std::uint64_t count = 0;
    for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
        count += layout.isCell(cell) && waysOut(maze, cell) == 1 ? 1 : 0;
    }
    return count;
}

// One pass in reading order with selection sampling: a dead end is taken with
// the chance (still to remove) / (dead ends from here on), which picks a
// uniformly random set of the wanted size without a list of them. Opening a
// side never makes a new dead end in a carved maze, so the count from here on
// only falls.
template <typename View>
void braidOn(const View& maze, double share, SeededRandom& random) {
    assert(share >= 0 && share <= 1);
    const auto& layout = maze.layout();
    std::uint64_t ahead = countDeadEndsOn(maze);
    const auto wanted =
        static_cast<std::uint64_t>(std::llround(share * static_cast<double>(ahead)));
    std::uint64_t removed = 0;
    // Only a maze with a walled-in cell could gain a dead end, but stay sound.
    const auto passed = [&ahead] { ahead -= ahead > 0 ? 1 : 0; };
    NeighbourArray list{};
    for (CellId cell = 0; cell < layout.slotCount() && removed < wanted; ++cell) {
        if (!layout.isCell(cell) || waysOut(maze, cell) != 1) {
            continue;
        }
        const std::uint64_t still = wanted - removed;
        const bool take = still >= ahead || drawBelow(random, ahead) < still;
        passed();
        if (!take) {
            continue;
        }
        const int count = layout.neighbours(cell, list);
        const auto closed = [&](CellId next) { return !maze.passable(cell, next); };
        NeighbourChoice choice = placesWhere(
            list, count, [&](CellId next) { return closed(next) && waysOut(maze, next) == 1; });
        const bool pair = !choice.empty();
        if (!pair) {
            choice = placesWhere(list, count, closed);
        }
        if (choice.empty()) {
            continue;
        }
        const CellId next = neighbourAt(list, choice.draw(random));
        maze.setOpen(cell, next, true);
        ++removed;
        if (pair) {
            ++removed;
            if (next > cell) {
                passed();
            }
        }
    }
}

template <typename Maze>
void braidWith(Maze& maze, double share, SeededRandom& random) {
    withMazeView(maze, [&](const auto& view) { braidOn(view, share, random); });
}

template <typename Maze>
std::uint64_t countDeadEndsWith(const Maze& maze) {
    return withMazeView(maze, [](const auto& view) { return countDeadEndsOn(view); });
}

}  // namespace

void braid(WallGrid& grid, double share, SeededRandom& random) {
    braidWith(grid, share, random);
}

void braid(ShapeMaze& maze, double share, SeededRandom& random) {
    braidWith(maze, share, random);
}

std::uint64_t countDeadEnds(const WallGrid& grid) {
    return countDeadEndsWith(grid);
}

std::uint64_t countDeadEnds(const ShapeMaze& maze) {
    return countDeadEndsWith(maze);
}

}  // namespace nitka
