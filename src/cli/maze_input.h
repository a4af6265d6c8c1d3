#pragma once

#include <string>

#include "grid/size_limits.h"
#include "grid/wall_grid.h"

namespace nitka {

// Reads the maze file name, or standard input for "-", under the window's
// reading rules and with its error texts; unlike the window, any size this
// machine can hold for command is taken. Throws ToolError naming the input
// when it cannot be read, holds no maze (a width or height below 1), or is too
// large; a size is refused from the header, before anything of it is held.
WallGrid readMazeInput(const std::string& name, MazeCommand command);

}  // namespace nitka
