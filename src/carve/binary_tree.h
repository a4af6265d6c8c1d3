#pragma once

#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Opens, in every cell but the first, the wall above or the one to the left, one of the two at
// random where both lie inside: a tree leaning to the top left corner, with a straight top row and
// left column. Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveBinaryTree(WallGrid& grid, SeededRandom& random);

}  // namespace nitka
