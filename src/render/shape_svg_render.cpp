#include "render/shape_svg_render.h"

#include <charconv>
#include <cmath>
#include <string>

#include "render/byte_sink.h"
#include "render/shape_layout.h"
#include "render/shape_walls.h"

namespace nitka {
namespace {

// A hundredth of a pixel is finer than any viewer draws, and keeps the
// document of a big maze small: "5", "5.5", "18.86".
std::string number(double value) {
    char text[40];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr;
    std::string result(text, end);
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') {
        result.pop_back();
    }
    return result == "-0" ? "0" : result;
}

std::string wallElement(const ShapeLayout& layout, const Side& wall) {
    const Point from = layout.toPixels(wall.from);
    const Point to = layout.toPixels(wall.to);
    if (!wall.arc) {
        return "<line x1=\"" + number(from.x) + "\" y1=\"" + number(from.y) + "\" x2=\"" +
               number(to.x) + "\" y2=\"" + number(to.y) + "\"/>\n";
    }
    const Point centre = layout.toPixels(wall.centre);
    const std::string radius = number(std::hypot(from.x - centre.x, from.y - centre.y));
    // The shorter way round, which with y downward turns clockwise when the
    // cross product is positive; a half circle, which has no shorter way,
    // goes clockwise.
    const double cross =
        (from.x - centre.x) * (to.y - centre.y) - (from.y - centre.y) * (to.x - centre.x);
    return "<path d=\"M" + number(from.x) + " " + number(from.y) + " A" + radius + " " + radius +
           " 0 0 " + (cross >= 0 ? "1 " : "0 ") + number(to.x) + " " + number(to.y) + "\"/>\n";
}

}  // namespace

void renderShapeSvg(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
    const Topology& topology = maze.topology();
    const ShapeLayout layout(topology, shapeCellSize(options, topology));
    ByteSink sink(out);

    const std::string pictureWidth = std::to_string(layout.pictureWidth());
    const std::string pictureHeight = std::to_string(layout.pictureHeight());
    // Round ends close the corners where walls meet at any angle.
    sink.put(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        pictureWidth + "\" height=\"" + pictureHeight + "\" viewBox=\"0 0 " + pictureWidth + " " +
        pictureHeight + "\">\n<rect width=\"" + pictureWidth + "\" height=\"" + pictureHeight +
        "\" fill=\"white\"/>\n" +
        "<g stroke=\"black\" stroke-width=\"1\" stroke-linecap=\"round\" fill=\"none\">\n");
    forEachWall(maze, [&](const Side& wall) { sink.put(wallElement(layout, wall)); });
    sink.put("</g>\n");

    if (options.route) {
        const std::string radius = number(layout.dotRadius());
        sink.put("<g fill=\"black\">\n");
        for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
            if (topology.isCell(cell) && maze.scratch(cell) != 0) {
                const Point centre = layout.toPixels(topology.centre(cell));
                sink.put("<circle cx=\"" + number(centre.x) + "\" cy=\"" + number(centre.y) +
                         "\" r=\"" + radius + "\"/>\n");
            }
        }
        sink.put("</g>\n");
    }
    sink.put("</svg>\n");
    sink.flush();
}

}  // namespace nitka
