#pragma once

#include "grid/wall_grid.h"
#include "shape/maze_view.h"
#include "solver/maze_stats.h"

namespace nitka::measure {

// The cells a maze's routes run between: a rectangle's top-left and
// bottom-right corners, else its topology's start and target.
struct Ends {
    CellId start = 0;
    CellId target = 0;
};

// The counts of every cell's sides and pieces, and whether the target lies
// in the start's piece; the routes are left for the searches.
struct SideCounts {
    MazeStats stats;
    bool targetReachable = false;
};

// countSides (view_measures.h) on a WallGrid, from its top-left corner, by a
// walk of its own; the scratch left clear.
// Requires: ends are the grid's corners (endsOf).
SideCounts countSides(const GridView<WallGrid>& view, Ends ends);

}  // namespace nitka::measure
