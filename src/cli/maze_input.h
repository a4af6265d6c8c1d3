#pragma once

#include <string>

#include "grid/wall_grid.h"

namespace nitka {

// Reads the maze file name, or standard input for "-", under the window's
// reading rules and with its error texts; unlike the window, any size this
// machine can hold is taken. Throws ToolError naming the input when it cannot
// be read, holds no maze (a width or height below 1), or is too large.
WallGrid readMazeInput(const std::string& name);

}  // namespace nitka
