#include "solver/farthest_exits.h"

#include <vector>

#include "shape/maze_view.h"
#include "shape/moved_ends.h"
#include "solver/view_search.h"

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
    return withMazeView(maze, [&](const auto& view) {
        return search::farthestCellWhere(view, from,
                                         [&](CellId cell) { return isEdgeCell(topology, cell); });
    });
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
