#pragma once

#include <streambuf>

#include "grid/wall_grid.h"
#include "render/render_options.h"
#include "shape/shape_maze.h"

namespace nitka {

// Writes grid as a 1-bit greyscale PNG, black walls on white, in the window's
// layout (see PictureLayout): at the window's cell size its dark pixels are
// exactly the window's walls, frame and route dots. Rows are compressed and
// written as they are made, so memory stays a few rows at any size. Reads
// options.cell, options.route and options.marks, whose openings and letters
// leave every other pixel as it is without them. Throws RenderError for a
// cell size out of range or a failed write.
void renderPng(const WallGrid& grid, const RenderOptions& options, std::streambuf& out);

// The same picture of a maze of squares without holes whose start and target
// may lie anywhere (a shape file's moved exits), its marks on those cells and
// its dots where the scratch is not zero. Holds a grid copy of the maze.
// Requires: isPlainRectangle(maze.topology()).
void renderRectanglePng(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out);

}  // namespace nitka
