#pragma once

#include <functional>
#include <string>

#include "plan/planner.h"
#include "tool/maze_input.h"

namespace nitka {

// Reads the maze file name (or standard input for "-"), asking plan about the
// maze its header describes before anything of its size is held; plan throws
// to refuse it. A stream, whose header no length stands behind, is held as
// its cells arrive, refused once they outgrow what this process can hold for
// need.
AnyMaze readPlannedMaze(const std::string& name, const std::function<void(const FileMaze&)>& plan,
                        const MemoryNeed& need);

}  // namespace nitka
