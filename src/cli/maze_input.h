#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "grid/wall_grid.h"

namespace nitka {

// The maze file a command reads: the name given, else standard input ("-")
// when it is not a terminal, so that the tool works as a filter, else
// labird.txt beside the user, where the window saves.
std::string mazeFileOrDefault(const std::string& given);

// About how many cells the maze file holds, from its length (a line a cell),
// for a progress line's estimates only; 0 where it cannot be told (a pipe).
double expectedCells(const std::string& name);

// What reading a maze file takes a cell on this machine, for the same.
inline constexpr double kReadSecondsPerCell = 8e-9;

// Memory a command needs for a maze of the size a file's header gives.
using MemoryNeed = std::function<std::uint64_t(std::int64_t width, std::int64_t height)>;

// Reads the maze file name, or standard input for "-", under the window's
// lenient reading rules, but whole: a file that ends before its last cell is
// an error here, where the window reads the missing flags as 0. Any size this
// process can hold for need is taken. Throws ToolError naming the input when
// it cannot be read, holds no maze (a width or height below 1), is cut short,
// or is too large; a size is refused from the header, before anything of it
// is held.
WallGrid readMazeInput(const std::string& name, const MemoryNeed& need);

}  // namespace nitka
