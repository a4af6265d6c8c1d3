#include "solver/farthest_exits.h"

#include <array>
#include <utility>
#include <vector>

#include "shape/moved_ends.h"

namespace nitka {

bool isEdgeCell(const Topology& topology, CellId cell) {
    // Asked of every cell by the searches: the outline's buffer is kept.
    thread_local std::vector<Side> outline;
    topology.outline(cell, outline);
    for (const Side& side : outline) {
        if (side.across == kNoCell) {
            return true;
        }
    }
    return false;
}

namespace {

// The edge cell farthest from `from`, the first of its level.
CellId farthestEdgeCell(ShapeMaze& maze, CellId from) {
    const Topology& topology = maze.topology();
    std::vector<CellId> level{from};
    std::vector<CellId> next;
    std::array<CellId, kMaxNeighbours> list{};
    maze.setScratch(from, 1);
    CellId farthest = from;
    while (!level.empty()) {
        for (const CellId cell : level) {
            if (isEdgeCell(topology, cell)) {
                farthest = cell;
                break;
            }
        }
        next.clear();
        for (const CellId cell : level) {
            const int count = topology.neighbours(cell, list);
            for (int i = 0; i < count; ++i) {
                const CellId neighbour = list[static_cast<std::size_t>(i)];
                if (maze.scratch(neighbour) == 0 && maze.isOpen(cell, neighbour)) {
                    maze.setScratch(neighbour, 1);
                    next.push_back(neighbour);
                }
            }
        }
        std::swap(level, next);
    }
    maze.clearScratch();
    return farthest;
}

}  // namespace

Exits farthestExits(ShapeMaze& maze) {
    const CellId first = farthestEdgeCell(maze, maze.topology().start());
    return {first, farthestEdgeCell(maze, first)};
}

}  // namespace nitka

namespace nitka {

ShapeMaze withFarthestExits(ShapeMaze& maze) {
    const Exits exits = farthestExits(maze);
    ShapeMaze moved(withEnds(maze.sharedTopology(), exits.start, exits.target));
    for (CellId place = 0; place < maze.topology().slotCount(); ++place) {
        if (maze.topology().isCell(place)) {
            moved.setHeldBits(place, maze.heldBits(place));
        }
    }
    return moved;
}

}  // namespace nitka
