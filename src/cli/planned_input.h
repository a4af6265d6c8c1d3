#pragma once

#include <functional>
#include <string>

#include "cli/maze_input.h"
#include "plan/planner.h"

namespace nitka {

// Reads the maze file name (or standard input for "-") as readMazeInput does,
// asking plan about the maze its header describes before anything of its
// size is held; plan throws to refuse it.
AnyMaze readPlannedMaze(const std::string& name, const std::function<void(const FileMaze&)>& plan);

}  // namespace nitka
