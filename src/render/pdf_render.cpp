#include "render/pdf_render.h"

#include <string>

#include "render/end_marks.h"
#include "render/pdf_document.h"
#include "render/shape_cairo.h"

namespace nitka {

void renderPdf(const WallGrid& grid, const RenderOptions& options, std::streambuf& out) {
    const std::string size = std::to_string(grid.width()) + " x " + std::to_string(grid.height());
    const EndMarks marks = gridEndMarks(grid.width(), grid.height(), options.marks);
    writeMazePdf({static_cast<double>(grid.width()), static_cast<double>(grid.height())},
                 "a " + size + " maze", "Maze " + size, options, out,
                 [&](cairo_t* cr, const ShapeInk& ink, bool route) {
                     drawGridMaze(cr, grid, ink, route, marks);
                 });
}

}  // namespace nitka
