#include "render/shape_pdf_render.h"

#include <string>

#include "render/pdf_document.h"
#include "render/shape_cairo.h"

namespace nitka {

void renderShapePdf(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
    const Topology& topology = maze.topology();
    const std::string size =
        std::to_string(topology.width()) + " x " + std::to_string(topology.height());
    const std::string shape(shapeName(topology.kind()));
    const EndMarks marks = placeEndMarks(topology, options.marks);
    writeMazePdf(topology.extent(), "a " + size + " " + shape + " maze",
                 "Maze " + shape + " " + size, options, out,
                 [&](cairo_t* cr, const ShapeInk& ink, bool route) {
                     drawShapeMaze(cr, maze, ink, route, {}, marks);
                 });
}

}  // namespace nitka
