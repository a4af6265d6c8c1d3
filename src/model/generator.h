#pragma once

#include "model/maze_state.h"
#include "model/random_source.h"

namespace nitka {

// Fills CellGrid from 0 to GridMaxX / GridMaxY with the border, walls, corner
// posts and fresh cells; nothing outside that region is touched.
void Initialise(MazeState& maze);

// Picks the start cell at random and puts it alone on the carving stack.
// Requires: Initialise has run for the current GridMaxX and GridMaxY.
void startCarving(MazeState& maze, RandomSource& random);

// One carving step from CurrentCell: into a random fresh neighbour, or back one
// cell along the stack when none is left.
void CelluleSuite(MazeState& maze, RandomSource& random);

}  // namespace nitka
