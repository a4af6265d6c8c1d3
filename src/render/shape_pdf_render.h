#pragma once

#include <streambuf>

#include "render/render_options.h"
#include "shape/shape_maze.h"

namespace nitka {

// Writes maze, of any shape, as a PDF ready to print on options.paper, laid
// out and drawn as renderPdf draws the rectangle: centred, as large as fits
// within 15 mm margins on an upright or a sideways sheet, with route dots on
// the page when options.route and on a second page when options.answer.
// Throws RenderError, before writing anything, for a maze whose unit of
// drawing (about a cell) would come out under 0.5 mm, and when a write fails.
void renderShapePdf(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out);

}  // namespace nitka
