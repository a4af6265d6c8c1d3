#include "render/pdf_render.h"

#include <cairo.h>

#include <algorithm>
#include <numbers>
#include <string>

#include "render/end_marks.h"
#include "render/pdf_document.h"
#include "render/shape_cairo.h"
#include "render/wall_runs.h"

namespace nitka {
namespace {

void drawMaze(cairo_t* cr, const WallGrid& grid, const PdfSheet& sheet, bool route, Marks marks) {
    const double cell = sheet.unit;
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
    const std::string size = std::to_string(grid.width()) + " x " + std::to_string(grid.height());
    const PdfSheet sheet =
        fitSheet({static_cast<double>(grid.width()), static_cast<double>(grid.height())},
                 options.paper, "a " + size + " maze");
    PdfDocument document(out, sheet.width, sheet.height, {"Maze " + size, options.created});
    drawMaze(document.cr(), grid, sheet, options.route, options.marks);
    document.endPage();
    if (options.answer) {
        drawMaze(document.cr(), grid, sheet, true, options.marks);
        document.endPage();
    }
    document.finish();
}

}  // namespace nitka
