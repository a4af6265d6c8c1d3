#include "tool/picture_writing.h"

#include <cstdlib>
#include <variant>

#include "render/ascii_render.h"
#include "render/graph_json.h"
#include "render/pdf_render.h"
#include "render/png_render.h"
#include "render/route_marks.h"
#include "render/shape_pdf_render.h"
#include "render/shape_png_render.h"
#include "render/shape_svg_render.h"
#include "render/svg_render.h"
#include "shape/make_topology.h"
#include "tool/print_inputs.h"
#include "tool/route_choice.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

void writeJson(const WallGrid& grid, const RenderOptions&, std::streambuf& out) {
    writeGraphJson(grid, out);
}

void writeShapeJson(const ShapeMaze& maze, const RenderOptions&, std::streambuf& out) {
    writeGraphJson(maze, out);
}

using GridWriter = void (*)(const WallGrid&, const RenderOptions&, std::streambuf&);
using ShapeWriter = void (*)(const ShapeMaze&, const RenderOptions&, std::streambuf&);

GridWriter gridWriterOf(ImageFormat format) {
    switch (format) {
        case ImageFormat::Ascii:
            return renderAscii;
        case ImageFormat::Svg:
            return renderSvg;
        case ImageFormat::Png:
            return renderPng;
        case ImageFormat::Pdf:
            return renderPdf;
        case ImageFormat::Json:
            return writeJson;
    }
    return renderAscii;
}

ShapeWriter shapeWriterOf(ImageFormat format) {
    switch (format) {
        case ImageFormat::Ascii:
            return renderShapeAscii;
        case ImageFormat::Svg:
            return renderShapeSvg;
        case ImageFormat::Png:
            return [](const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
                if (isPlainRectangle(maze.topology())) {
                    renderRectanglePng(maze, options, out);
                } else {
                    renderShapePng(maze, options, out);
                }
            };
        case ImageFormat::Pdf:
            return renderShapePdf;
        case ImageFormat::Json:
            return writeShapeJson;
    }
    return renderShapeAscii;
}

std::string shapeDescription(const Topology& topology) {
    const std::string name(shapeName(topology.kind()));
    return topology.cellCount() < topology.slotCount() ? name + " maze with a mask"
                                                       : name + " maze";
}

}  // namespace

RenderOptions pictureOptions(const RenderRequest& request, const RenderPlan& plan) {
    RenderOptions options;
    options.cell = request.cell.value_or(0);
    options.route = plan.route;
    options.paper = request.paper;
    options.answer = request.answer;
    options.marks = plan.marks;
    options.created = plan.format == ImageFormat::Pdf
                          ? pdfCreationDate(std::getenv("SOURCE_DATE_EPOCH"))
                          : std::nullopt;
    return options;
}

void prepareForPicture(AnyMaze& maze, const RenderRequest& request, const RenderPlan& plan,
                       const std::string& source) {
    // ASCII's characters draw only squares.
    if (const auto* shape = std::get_if<ShapeMaze>(&maze);
        shape && plan.format == ImageFormat::Ascii && !drawsInAscii(shape->topology())) {
        throw UsageError(source, "ASCII draws only a plain rectangle and this is a " +
                                     shapeDescription(shape->topology()) +
                                     "; give --format svg, png, pdf or json");
    }
    if (plan.route || request.answer) {
        std::visit(
            [&](auto& held) { markRoute(held, chooseRoute(held, {}, request.shortest, source)); },
            maze);
    }
}

void writePicture(const AnyMaze& maze, ImageFormat format, const RenderOptions& options,
                  std::streambuf& out) {
    if (const auto* shape = std::get_if<ShapeMaze>(&maze)) {
        shapeWriterOf(format)(*shape, options, out);
    } else {
        gridWriterOf(format)(std::get<WallGrid>(maze), options, out);
    }
}

}  // namespace nitka
