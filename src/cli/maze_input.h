#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

#include "grid/wall_grid.h"
#include "shape/shape_maze.h"

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

// A maze as a file holds it: a plain rectangle in the window's format, on the
// compact grid that keeps its every flag, or any other shape.
using AnyMaze = std::variant<WallGrid, ShapeMaze>;

// Reads the maze file name, or standard input for "-", of either format, told
// by its first line. The window's format is read under its lenient reading
// rules, but whole: a file that ends before its last cell is an error here,
// where the window reads the missing flags as 0; any size this process can
// hold for need is taken, refused from the header before anything of it is
// held. The shape format is read strictly. Throws ToolError naming the input
// when it cannot be read, holds no maze (a width or height below 1), is cut
// short, or is too large.
AnyMaze readMazeInput(const std::string& name, const MemoryNeed& need);

}  // namespace nitka
