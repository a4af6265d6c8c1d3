#pragma once

#include "commands/window_controls.h"
#include "model/maze_state.h"
#include "picture/picture_surface.h"

namespace nitka {

// "SOLVE" / "SHOW": paints the route from the top-left to the bottom-right cell
// as dots, or paints the same dots in the background colour, and flips the
// button's caption. Does nothing before a maze exists.
void BtCheminClick(MazeState& maze, WindowControls& controls, PictureSurface& picture);

// Searches walls, a MazeWidth x MazeHeight maze, for a route from the start to
// the target cell and paints a 5 x 5 dot in each of its cells, black, or in the
// background colour when ErasePath is 1; the brush is left in the background
// colour. Paints nothing and leaves the colours alone when there is no route.
void RecursiveSolve(const MazeState& maze, PictureSurface& picture, const Maze& walls, int StartX,
                    int StartY, int TargetX, int TargetY);

}  // namespace nitka
