#pragma once

#include <cstdint>
#include <optional>

#include "grid/wall_grid.h"
#include "shape/shape_maze.h"

namespace nitka {

// What `nitka-maze info` tells about a maze. Openings are judged as the
// window's route search judges them: only a flag of exactly Flag::Wall closes
// an edge, and the maze's outer edges lead nowhere.
struct MazeStats {
    int width = 0;
    int height = 0;
    std::uint64_t cells = 0;
    // Cells reachable from the top-left cell, that one included.
    std::uint64_t reachable = 0;
    // Every cell reachable, and exactly one route between any two.
    bool perfect = false;
    // Open inner edges beyond those of a spanning forest.
    std::uint64_t loops = 0;
    // Cells with exactly one opening.
    std::uint64_t deadEnds = 0;
    // Open inner edges: the steps between neighbouring cells.
    std::uint64_t passages = 0;
    // Maximal runs of passages whose inner cells have exactly two openings.
    // Every passage lies in exactly one corridor; a corridor ends at cells that
    // are not two-way (dead ends, junctions), where each opening starts one, so
    // there are half as many corridors as openings of such cells. A ring made
    // only of two-way cells has no end and counts as one corridor, as long as
    // the ring. A corridor's length is its number of steps.
    std::uint64_t corridors = 0;
    // Cells, both corners included, of the route findGridRoute finds from the
    // top-left to the bottom-right cell, and of a shortest one; none without.
    std::optional<std::uint64_t> routeCells;
    std::optional<std::uint64_t> shortestCells;

    friend bool operator==(const MazeStats&, const MazeStats&) = default;
};

// Steps a corridor, passages / corridors; none without a passage.
std::optional<double> meanCorridorLength(const MazeStats& stats);

// Linear time, as long as the shortest route search's levels fit its queue;
// besides the searches' routes and queue it uses only the scratch bits, clear
// again on return. The figures of measureWithDifficulty (measured_maze.h).
MazeStats measureMaze(WallGrid& grid);

// The same for a maze of any shape: width and height as the topology gives
// them, cells its cell count, reachable cells counted from the topology's start
// cell, and the routes from its start to its target cell.
MazeStats measureMaze(ShapeMaze& maze);

}  // namespace nitka
