#include "render/shape_pdf_render.h"

#include <cairo.h>

#include <string>

#include "render/pdf_document.h"
#include "render/shape_cairo.h"

namespace nitka {
namespace {

void drawPage(PdfDocument& document, const ShapeMaze& maze, const PdfSheet& sheet, bool route,
              const EndMarks& marks) {
    cairo_t* const cr = document.cr();
    cairo_save(cr);
    cairo_translate(cr, sheet.left, sheet.top);
    cairo_scale(cr, sheet.unit, sheet.unit);
    drawShapeMaze(cr, maze, printInk(sheet.unit), route, {}, marks);
    cairo_restore(cr);
    document.endPage();
}

}  // namespace

void renderShapePdf(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
    const Topology& topology = maze.topology();
    const std::string size =
        std::to_string(topology.width()) + " x " + std::to_string(topology.height());
    const std::string shape(shapeName(topology.kind()));
    const PdfSheet sheet =
        fitSheet(topology.extent(), options.paper, "a " + size + " " + shape + " maze");
    PdfDocument document(out, sheet.width, sheet.height,
                         {"Maze " + shape + " " + size, options.created});
    const EndMarks marks = placeEndMarks(topology, options.marks);
    drawPage(document, maze, sheet, options.route, marks);
    if (options.answer) {
        drawPage(document, maze, sheet, true, marks);
    }
    document.finish();
}

}  // namespace nitka
