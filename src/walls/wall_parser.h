#pragma once

#include "model/maze_state.h"

namespace nitka {

// Reads Walls back from the text form by character position: Top of (j, i)
// from position 2j + 3 of line 2i, Left from position 2j + 2 of line 2i + 1
// (positions counted from 1). Column MazeWidth and row MazeHeight get both flags
// set. A position past a line's end, or any character but "-" / "|", is no wall.
void ploh15_(MazeState& maze);

}  // namespace nitka
