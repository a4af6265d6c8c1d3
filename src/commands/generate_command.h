#pragma once

#include "commands/window_controls.h"
#include "model/maze_state.h"
#include "model/random_source.h"
#include "picture/picture_surface.h"

namespace nitka {

// "Depth-First": reads the size boxes, warns once about an odd size, carves a
// new maze, rebuilds its text form and wall array and draws it.
void BtGoClick(MazeState& maze, WindowControls& controls, PictureSurface& picture,
               RandomSource& random);

}  // namespace nitka
