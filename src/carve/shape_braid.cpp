#include "carve/shape_braid.h"

#include <cassert>
#include <cmath>

#include "carve/shape_steps.h"

namespace nitka {
namespace {

int waysOut(const ShapeMaze& maze, CellId cell) {
    NeighbourArray list{};
    const int count = maze.topology().neighbours(cell, list);
    int open = 0;
    for (int place = 0; place < count; ++place) {
        open += maze.isOpen(cell, neighbourAt(list, place)) ? 1 : 0;
    }
    return open;
}

}  // namespace

std::uint64_t countShapeDeadEnds(const ShapeMaze& maze) {
    const Topology& topology = maze.topology();
    std::uint64_t count = 0;
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        count += topology.isCell(cell) && waysOut(maze, cell) == 1 ? 1 : 0;
    }
    return count;
}

// One pass in reading order with selection sampling: a dead end is taken with
// the chance (still to remove) / (dead ends from here on), which picks a
// uniformly random set of the wanted size without a list of them. Opening a
// side never makes a new dead end in a carved maze, so the count from here on
// only falls.
void braidShapeMaze(ShapeMaze& maze, double share, SeededRandom& random) {
    assert(share >= 0 && share <= 1);
    const Topology& topology = maze.topology();
    std::uint64_t ahead = countShapeDeadEnds(maze);
    const auto wanted =
        static_cast<std::uint64_t>(std::llround(share * static_cast<double>(ahead)));
    std::uint64_t removed = 0;
    // Only a maze with a walled-in cell could gain a dead end, but stay sound.
    const auto passed = [&ahead] { ahead -= ahead > 0 ? 1 : 0; };
    NeighbourArray list{};
    for (CellId cell = 0; cell < topology.slotCount() && removed < wanted; ++cell) {
        if (!topology.isCell(cell) || waysOut(maze, cell) != 1) {
            continue;
        }
        const std::uint64_t still = wanted - removed;
        const bool take = still >= ahead || drawBelow(random, ahead) < still;
        passed();
        if (!take) {
            continue;
        }
        const int count = topology.neighbours(cell, list);
        const auto closed = [&](CellId next) { return !maze.isOpen(cell, next); };
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

}  // namespace nitka
