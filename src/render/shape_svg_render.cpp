#include "render/shape_svg_render.h"

#include <cmath>
#include <string>
#include <string_view>

#include "render/mark_places.h"
#include "render/shape_cairo.h"
#include "render/shape_layout.h"
#include "render/shape_walls.h"
#include "storage/byte_sink.h"

namespace nitka {
namespace {

// A hundredth of a pixel is finer than any viewer draws, and keeps the
// document of a big maze small: "5", "5.5", "18.86".
Decimal hundredths(double value) {
    return {value, 2};
}

void putWall(ByteSink& svg, const ShapeLayout& layout, const Side& wall) {
    const Point from = layout.toPixels(wall.from);
    const Point to = layout.toPixels(wall.to);
    if (!wall.arc) {
        svg << "<line x1=\"" << hundredths(from.x) << "\" y1=\"" << hundredths(from.y) << "\" x2=\""
            << hundredths(to.x) << "\" y2=\"" << hundredths(to.y) << "\"/>\n";
        return;
    }
    const Point centre = layout.toPixels(wall.centre);
    const double radius = std::hypot(from.x - centre.x, from.y - centre.y);
    // The shorter way round, which with y downward turns clockwise when the
    // cross product is positive; a half circle, which has no shorter way,
    // goes clockwise.
    const double cross =
        (from.x - centre.x) * (to.y - centre.y) - (from.y - centre.y) * (to.x - centre.x);
    svg << "<path d=\"M" << hundredths(from.x) << " " << hundredths(from.y) << " A"
        << hundredths(radius) << " " << hundredths(radius) << " 0 0 " << (cross >= 0 ? "1 " : "0 ")
        << hundredths(to.x) << " " << hundredths(to.y) << "\"/>\n";
}

}  // namespace

void renderShapeSvg(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
    const Topology& topology = maze.topology();
    const ShapeLayout layout(topology, shapeCellSize(options, topology));
    ByteSink svg(out, failPictureWrite);

    const auto width = static_cast<double>(layout.pictureWidth());
    const auto height = static_cast<double>(layout.pictureHeight());
    // Round ends close the corners where walls meet at any angle.
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << hundredths(width)
        << "\" height=\"" << hundredths(height) << "\" viewBox=\"0 0 " << hundredths(width) << " "
        << hundredths(height) << "\">\n<rect width=\"" << hundredths(width) << "\" height=\""
        << hundredths(height) << "\" fill=\"white\"/>\n"
        << "<g stroke=\"black\" stroke-width=\"1\" stroke-linecap=\"round\" fill=\"none\">\n";
    const EndMarks marks = placeEndMarks(topology, options.marks);
    forEachWall(
        maze, [&](const Side& wall) { putWall(svg, layout, wall); }, marks);
    svg << "</g>\n";
    for (const LetterPlace& place : placeLetters(topology, marks)) {
        const Point centre = layout.toPixels(place.at);
        svg << "<text x=\"" << hundredths(centre.x) << "\" y=\"" << hundredths(centre.y)
            << "\" font-family=\"sans-serif\" font-weight=\"bold\" font-size=\""
            << hundredths(layout.cell() * place.size)
            << "\" text-anchor=\"middle\" dominant-baseline=\"central\">"
            << std::string_view(&place.letter, 1) << "</text>\n";
    }

    if (options.route) {
        const double unit = layout.cell();
        // The PNG's dots.
        const ShapeInk ink = pixelInk(layout);
        const double radius = unit * routeDotRadius(topology, ink.dotRadius, 1 / unit, ink.dotGap);
        svg << "<g fill=\"black\">\n";
        for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
            if (topology.isCell(cell) && maze.scratch(cell) != 0 && !marks.lettered(cell)) {
                const Point centre = layout.toPixels(topology.centre(cell));
                svg << "<circle cx=\"" << hundredths(centre.x) << "\" cy=\"" << hundredths(centre.y)
                    << "\" r=\"" << hundredths(radius) << "\"/>\n";
            }
        }
        svg << "</g>\n";
    }
    svg << "</svg>\n";
    svg.flush();
}

}  // namespace nitka
