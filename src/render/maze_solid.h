#pragma once

#include <cstdint>
#include <streambuf>

#include "grid/wall_grid.h"
#include "render/render_options.h"
#include "shape/shape_maze.h"
#include "shape/topology.h"

namespace nitka {

// Writes the maze as a binary STL solid for a 3D printer, in millimetres: a
// plate options.mm.base thick under its cells (not a mask's holes), on it the
// walls, options.mm.wall thick and options.mm.height high, centred on the sides
// the pictures draw, mitred where they meet. With options.marks
// Marks::Openings the start's and target's openings are gaps in the outer
// wall down to the plate. A unit of the drawing (a square cell's side) is
// options.mm.cell; the solid lies in x, y, z >= 0 touching all three planes,
// y pointing up the page. Throws RenderError, having written nothing, for
// sizes that are not positive and finite, walls too thick for the cells or
// too thin for the single precision of the format at this size, and a solid
// of more triangles than the format counts; a failed write is
// failPictureWrite's error. The triangles are counted in a first pass and
// written in a second, so out may be a pipe.
void renderShapeStl(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out);
void renderGridStl(const WallGrid& grid, const RenderOptions& options, std::streambuf& out);

// What writing the solid of a maze on this layout takes at most, however its
// sides are carved: triangles (the file is 84 + 50 bytes a triangle) and
// bytes held besides the maze. One pass over the layout's outlines.
struct SolidCost {
    std::uint64_t triangles = 0;
    std::uint64_t heldBytes = 0;
};
SolidCost solidCost(const Topology& topology);

}  // namespace nitka
