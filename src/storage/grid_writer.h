#pragma once

#include <cstdint>
#include <streambuf>

#include "grid/wall_grid.h"

namespace nitka {

// Writes grid as the maze file, byte for byte what writeMaze writes for the
// same flags (a flag of class Other as 2), through a fixed buffer so that a
// maze of any size is written in bounded memory, and syncs the stream at the
// end. Throws FileError when the stream takes fewer bytes than it was given or
// fails to sync, and lets its own errors through.
void writeGrid(std::streambuf& out, const WallGrid& grid);

// The bytes writeGrid writes for a width x height grid: every cell's line is
// six, whatever its flags.
std::uint64_t gridFileBytes(int width, int height);

}  // namespace nitka
