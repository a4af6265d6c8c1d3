#pragma once

#include "commands/window_controls.h"
#include "model/maze_state.h"
#include "picture/picture_surface.h"

namespace nitka {

// "SAVE": writes Walls to the file named by MazeFileName. Does nothing before a
// maze exists. Throws FileError; a failed save leaves the previous file as it
// was, unless the file had to be written in place (see storage/output_file.h)
// and a write failed after room for it was reserved.
void Button5Click(const MazeState& maze);

// "LOAD": clears the picture, reads the file named by MazeFileName, makes it the
// current maze, sets the size boxes and draws it. Throws FileError; on any
// failure the maze in memory is left as it was.
void Button4Click(MazeState& maze, WindowControls& controls, PictureSurface& picture);

}  // namespace nitka
