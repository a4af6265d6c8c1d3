#pragma once

#include <streambuf>

#include "grid/wall_grid.h"
#include "render/render_options.h"
#include "shape/shape_maze.h"

namespace nitka {

// Writes grid as text, line by line, 2 * height + 1 lines of 4 * width + 1
// characters: each cell row is a line of "+" corners with "---" under a top
// wall (or three spaces), then a line with "|" at a left wall (or a space) and
// the cell's inside, " o " on the route when options.route is set; the right
// edge and the bottom line are walls. Reads options.route only. Throws
// RenderError when a write fails.
void renderAscii(const WallGrid& grid, const RenderOptions& options, std::streambuf& out);

// Whether text can draw the layout: a rectangle of squares without holes.
bool drawsInAscii(const Topology& topology);

// Writes a maze that drawsInAscii as renderAscii writes the same walls. When
// its start and target are not the rectangle's own (a file keeps them moved),
// each shows where placeEndMarks puts its opening: a gap in the outer wall, or
// " S " and " F " inside a cell off the edge. Reads options.route only.
// Requires: drawsInAscii(maze.topology()). Throws RenderError when a write
// fails.
void renderShapeAscii(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out);

}  // namespace nitka
