#include "render/svg_render.h"

#include <string_view>

#include "render/end_marks.h"
#include "render/mark_places.h"
#include "render/picture_layout.h"
#include "render/wall_runs.h"
#include "storage/byte_sink.h"

namespace nitka {
namespace {

// A one-unit line along the middle of a row or column of pixels covers that
// row or column exactly, so the lines sit half a unit inside their pixels and
// the document rasterises to the PNG's pixels.
void putLine(ByteSink& sink, double x1, double y1, double x2, double y2) {
    sink << "<line x1=\"" << Decimal{x1} << "\" y1=\"" << Decimal{y1} << "\" x2=\"" << Decimal{x2}
         << "\" y2=\"" << Decimal{y2} << "\"/>\n";
}

}  // namespace

void renderSvg(const WallGrid& grid, const RenderOptions& options, std::streambuf& out) {
    const int width = grid.width();
    const int height = grid.height();
    const PictureLayout layout(width, height, cellSizeOf(options, width, height));
    ByteSink sink(out, failPictureWrite);

    const Decimal pictureWidth{static_cast<double>(layout.pictureWidth())};
    const Decimal pictureHeight{static_cast<double>(layout.pictureHeight())};
    sink << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << pictureWidth
         << "\" height=\"" << pictureHeight << "\" viewBox=\"0 0 " << pictureWidth << " "
         << pictureHeight << "\">\n<rect width=\"" << pictureWidth << "\" height=\""
         << pictureHeight << "\" fill=\"white\"/>\n"
         << "<g stroke=\"black\" stroke-width=\"1\" stroke-linecap=\"butt\">\n";

    const bool openings = options.marks == Marks::Openings;
    const GridGap targetGap = gridTargetGap(width, height);
    const auto putRun = [&](const WallRun& run) {
        if (run.horizontal) {
            const double y = layout.top(run.line) + 0.5;
            putLine(sink, layout.left(run.from), y, layout.left(run.to), y);
        } else {
            const double x = layout.left(run.line) + 0.5;
            putLine(sink, x, layout.top(run.from), x, layout.top(run.to));
        }
    };
    forEachWallRun(grid, [&](const WallRun& run) {
        if (!openings) {
            putRun(run);
            return;
        }
        visitAroundOpenings(run, width, height, putRun);
    });
    // As in the window, the frame reaches from the picture's left edge along
    // the bottom and up the right side to just below the top edge; the
    // target's opening, when it lies on the frame, ends the right side at the
    // top of the last row.
    putLine(sink, 0, layout.bottom() + 0.5, layout.right(), layout.bottom() + 0.5);
    const bool gapOnFrame = openings && !targetGap.horizontal;
    putLine(sink, layout.right() + 0.5, gapOnFrame ? layout.top(height - 1) : layout.bottom() + 1,
            layout.right() + 0.5, 1);
    sink.put("</g>\n");
    if (options.marks == Marks::Letters) {
        for (const LetterPlace& place : placeGridLetters(width, height)) {
            sink << "<text x=\"" << Decimal{layout.left(0) + place.at.x * layout.cell()}
                 << "\" y=\"" << Decimal{layout.top(0) + place.at.y * layout.cell()}
                 << "\" font-family=\"sans-serif\" font-weight=\"bold\" font-size=\""
                 << Decimal{place.size * layout.cell()}
                 << "\" text-anchor=\"middle\" dominant-baseline=\"central\">"
                 << std::string_view(&place.letter, 1) << "</text>\n";
        }
    }

    if (options.route) {
        const EndMarks ends = gridEndMarks(width, height, options.marks);
        const DotShape& dot = layout.dot();
        const double radius = dot.size / 2.0;
        sink.put("<g fill=\"black\">\n");
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::size_t index = grid.index({x, y});
                if (grid.scratch(index) != 0 && !ends.lettered(index)) {
                    sink << "<circle cx=\"" << Decimal{layout.left(x) + dot.offset + radius}
                         << "\" cy=\"" << Decimal{layout.top(y) + dot.offset + radius} << "\" r=\""
                         << Decimal{radius} << "\"/>\n";
                }
            }
        }
        sink.put("</g>\n");
    }
    sink.put("</svg>\n");
    sink.flush();
}

}  // namespace nitka
