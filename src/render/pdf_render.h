#pragma once

#include <streambuf>

#include "grid/wall_grid.h"
#include "render/render_options.h"

namespace nitka {

// Writes grid as a PDF ready to print on options.paper: the maze centred and
// as large as fits within 15 mm margins, on an upright or a sideways sheet,
// whichever gives bigger cells. With options.route the page shows the route's
// cells (those whose scratch is not zero) as dots; with options.answer a
// second page shows the maze with them. Throws RenderError, before writing
// anything, for a maze whose cells would come out under 0.5 mm, and when a
// write fails.
void renderPdf(const WallGrid& grid, const RenderOptions& options, std::streambuf& out);

}  // namespace nitka
