#pragma once

#include <streambuf>

#include "grid/wall_grid.h"
#include "render/render_options.h"

namespace nitka {

// Writes grid as a 1-bit greyscale PNG, black walls on white, in the window's
// layout (see PictureLayout): at the window's cell size its dark pixels are
// exactly the window's walls, frame and route dots. Rows are compressed and
// written as they are made, so memory stays a few rows at any size. Reads
// options.cell and options.route. Throws RenderError for a cell size out of
// range or a failed write.
void renderPng(const WallGrid& grid, const RenderOptions& options, std::streambuf& out);

}  // namespace nitka
