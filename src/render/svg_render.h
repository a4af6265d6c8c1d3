#pragma once

#include <streambuf>

#include "grid/wall_grid.h"
#include "render/render_options.h"

namespace nitka {

// Writes grid as an SVG document with the PNG's drawing in the same pixel
// coordinates: one line a run of wall along a grid row or column, the frame,
// and with options.route a circle on every cell whose scratch is not zero.
// Written as it is made; holds one number a grid column. Reads options.cell
// and options.route. Throws RenderError for a cell size out of range or a
// failed write.
void renderSvg(const WallGrid& grid, const RenderOptions& options, std::streambuf& out);

}  // namespace nitka
