#pragma once

#include <streambuf>

#include "render/render_options.h"
#include "shape/shape_maze.h"

namespace nitka {

// Writes maze, of any shape, as an SVG document in the pixel layout of
// ShapeLayout: every closed side once (straight walls that continue one
// another as one line, sides of rings as arcs) and with options.route a circle
// at the centre of every cell whose scratch is not zero. Written as it is
// made; holds one cell's outline and WallMerger's fixed table (under 4 MB at
// most). Reads options.cell and options.route. Throws RenderError for a cell
// size out of range or a failed write.
void renderShapeSvg(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out);

}  // namespace nitka
