#include "render/shape_pdf_render.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "render/byte_sink.h"
#include "render/paper.h"
#include "render/pdf_document.h"
#include "render/shape_cairo.h"

namespace nitka {
namespace {

using printing::kMargin;
using printing::kPointsPerMm;
using printing::kSmallestCellMm;

struct Sheet {
    double width = 0;   // points, as the page is shown
    double height = 0;  // points
    double unit = 0;    // points a unit of the drawing
    double left = 0;    // where the drawing's (0, 0) lies
    double top = 0;
};

Sheet layOut(const Topology& topology, Paper paper) {
    const Point extent = topology.extent();
    const double shortSide = printing::shortSide(paper);
    const double longSide = printing::longSide(paper);
    const auto fit = [&](double sheetWidth, double sheetHeight) {
        return std::min((sheetWidth - 2 * kMargin) / extent.x,
                        (sheetHeight - 2 * kMargin) / extent.y);
    };
    Sheet sheet;
    const bool upright = fit(shortSide, longSide) >= fit(longSide, shortSide);
    sheet.width = upright ? shortSide : longSide;
    sheet.height = upright ? longSide : shortSide;
    sheet.unit = fit(sheet.width, sheet.height);
    if (!(sheet.unit >= kSmallestCellMm * kPointsPerMm)) {
        char message[200];
        std::snprintf(
            message, sizeof message,
            "a %d x %d %s maze does not print legibly on %s: its cells would be "
            "%.2f mm, less than %.1f mm",
            topology.width(), topology.height(), std::string(shapeName(topology.kind())).c_str(),
            paper == Paper::Letter ? "Letter" : "A4", sheet.unit / kPointsPerMm, kSmallestCellMm);
        throw RenderError(message);
    }
    sheet.left = (sheet.width - sheet.unit * extent.x) / 2;
    sheet.top = (sheet.height - sheet.unit * extent.y) / 2;
    return sheet;
}

void drawPage(cairo_t* cr, const ShapeMaze& maze, const Sheet& sheet, bool route,
              const EndMarks& marks) {
    // As the rectangle's PDF: lines a tenth of a cell within what a printer
    // draws cleanly, red dots half a cell across.
    ShapeInk ink;
    ink.lineWidth = std::clamp(sheet.unit / 10, 0.25, 2.0) / sheet.unit;
    ink.dotRadius = 0.25;
    ink.dotRed = 0.8;
    ink.dotGreen = 0.1;
    ink.dotBlue = 0.1;
    cairo_save(cr);
    cairo_translate(cr, sheet.left, sheet.top);
    cairo_scale(cr, sheet.unit, sheet.unit);
    drawShapeMaze(cr, maze, ink, route, {}, marks);
    cairo_restore(cr);
    cairo_show_page(cr);
}

}  // namespace

void renderShapePdf(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
    const Topology& topology = maze.topology();
    const Sheet sheet = layOut(topology, options.paper);
    ByteSink sink(out);
    const std::string title = "Maze " + std::string(shapeName(topology.kind())) + " " +
                              std::to_string(topology.width()) + " x " +
                              std::to_string(topology.height());
    const PdfSurface surface =
        makePdfSurface(sink, sheet.width, sheet.height, {title, options.created});
    {
        const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                                    cairo_destroy);
        const EndMarks marks = placeEndMarks(topology, options.marks);
        drawPage(cr.get(), maze, sheet, options.route, marks);
        if (options.answer) {
            drawPage(cr.get(), maze, sheet, true, marks);
        }
    }
    finishPdf(surface.get(), sink);
}

}  // namespace nitka
