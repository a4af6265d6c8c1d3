#include "render/pdf_render.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <numbers>
#include <string>
#include <string_view>

#include "render/byte_sink.h"
#include "render/end_marks.h"
#include "render/paper.h"
#include "render/pdf_document.h"
#include "render/shape_cairo.h"
#include "render/wall_runs.h"

namespace nitka {
namespace {

using printing::kMargin;
using printing::kPointsPerMm;
using printing::kSmallestCellMm;

struct Sheet {
    double width = 0;   // points, as the page is shown
    double height = 0;  // points
    double cell = 0;    // points a cell side
    double left = 0;    // where grid point (0, 0) lies
    double top = 0;
};

const char* paperName(Paper paper) {
    return paper == Paper::Letter ? "Letter" : "A4";
}

Sheet layOut(int width, int height, Paper paper) {
    // Short and long side of the sheet in points.
    const double shortSide = printing::shortSide(paper);
    const double longSide = printing::longSide(paper);
    const auto fit = [&](double sheetWidth, double sheetHeight) {
        return std::min((sheetWidth - 2 * kMargin) / width, (sheetHeight - 2 * kMargin) / height);
    };
    Sheet sheet;
    const bool upright = fit(shortSide, longSide) >= fit(longSide, shortSide);
    sheet.width = upright ? shortSide : longSide;
    sheet.height = upright ? longSide : shortSide;
    sheet.cell = fit(sheet.width, sheet.height);
    if (sheet.cell < kSmallestCellMm * kPointsPerMm) {
        char message[200];
        std::snprintf(message, sizeof message,
                      "a %d x %d maze does not print legibly on %s: its cells would be %.2f mm, "
                      "less than %.1f mm",
                      width, height, paperName(paper), sheet.cell / kPointsPerMm, kSmallestCellMm);
        throw RenderError(message);
    }
    sheet.left = (sheet.width - sheet.cell * width) / 2;
    sheet.top = (sheet.height - sheet.cell * height) / 2;
    return sheet;
}

void drawMaze(cairo_t* cr, const WallGrid& grid, const Sheet& sheet, bool route, Marks marks) {
    const double cell = sheet.cell;
    cairo_save(cr);
    cairo_translate(cr, sheet.left, sheet.top);

    // A tenth of a cell reads well, within what a printer draws cleanly and
    // what still looks like a line on a big maze.
    cairo_set_line_width(cr, std::clamp(cell / 10, 0.25, 2.0));
    // Square ends close the corners where a row's run meets a column's.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_set_source_rgb(cr, 0, 0, 0);
    const auto traceRun = [&](const WallRun& run) {
        if (run.horizontal) {
            cairo_move_to(cr, run.from * cell, run.line * cell);
            cairo_line_to(cr, run.to * cell, run.line * cell);
        } else {
            cairo_move_to(cr, run.line * cell, run.from * cell);
            cairo_line_to(cr, run.line * cell, run.to * cell);
        }
    };
    const bool openings = marks == Marks::Openings;
    const GridGap startGap = gridStartGap();
    const GridGap targetGap = gridTargetGap(grid.width(), grid.height());
    const auto traceAroundGaps = [&](const WallRun& run) {
        if (!openings) {
            traceRun(run);
            return;
        }
        visitAroundGap(
            run, startGap.horizontal, startGap.line, startGap.at, [&](const WallRun& piece) {
                visitAroundGap(piece, targetGap.horizontal, targetGap.line, targetGap.at, traceRun);
            });
    };
    forEachWallRun(grid, traceAroundGaps);
    // The frame's bottom and right sides, which the grid does not hold.
    traceAroundGaps(WallRun{true, grid.height(), 0, grid.width()});
    traceAroundGaps(WallRun{false, grid.width(), 0, grid.height()});
    cairo_stroke(cr);
    if (marks == Marks::Letters) {
        for (const LetterPlace& place : placeGridLetters(grid.width(), grid.height())) {
            drawLetter(cr,
                       {place.letter, {place.at.x * cell, place.at.y * cell}, place.size * cell});
        }
    }

    if (route) {
        const EndMarks ends = gridEndMarks(grid.width(), grid.height(), marks);
        cairo_set_source_rgb(cr, 0.8, 0.1, 0.1);
        for (int y = 0; y < grid.height(); ++y) {
            for (int x = 0; x < grid.width(); ++x) {
                const std::size_t index = grid.index({x, y});
                if (grid.scratch(index) != 0 && !ends.lettered(index)) {
                    cairo_new_sub_path(cr);
                    cairo_arc(cr, (x + 0.5) * cell, (y + 0.5) * cell, cell / 4, 0,
                              2 * std::numbers::pi);
                }
            }
        }
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

}  // namespace

void renderPdf(const WallGrid& grid, const RenderOptions& options, std::streambuf& out) {
    const Sheet sheet = layOut(grid.width(), grid.height(), options.paper);
    ByteSink sink(out);
    const std::string title =
        "Maze " + std::to_string(grid.width()) + " x " + std::to_string(grid.height());
    const PdfSurface surface =
        makePdfSurface(sink, sheet.width, sheet.height, {title, options.created});
    {
        const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                                    cairo_destroy);
        drawMaze(cr.get(), grid, sheet, options.route, options.marks);
        cairo_show_page(cr.get());
        if (options.answer) {
            drawMaze(cr.get(), grid, sheet, true, options.marks);
            cairo_show_page(cr.get());
        }
    }
    finishPdf(surface.get(), sink);
}

}  // namespace nitka
