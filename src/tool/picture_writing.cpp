#include "tool/picture_writing.h"

#include <cstdlib>
#include <variant>

#include "grid/size_limits.h"

#include "render/ascii_render.h"
#include "render/graph_json.h"
#include "render/mark_places.h"
#include "render/maze_solid.h"
#include "render/pdf_render.h"
#include "render/png_render.h"
#include "render/route_marks.h"
#include "render/shape_pdf_render.h"
#include "render/shape_png_render.h"
#include "render/shape_svg_render.h"
#include "render/svg_render.h"
#include "shape/make_topology.h"
#include "shape/maze_view.h"
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
        case ImageFormat::Stl:
            return renderGridStl;
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
        case ImageFormat::Stl:
            return renderShapeStl;
    }
    return renderShapeAscii;
}

std::string shapeDescription(const Topology& topology) {
    const std::string name(shapeName(topology.kind()));
    return topology.cellCount() < topology.slotCount() ? name + " maze with a mask"
                                                       : name + " maze";
}

std::vector<Point> routeCentres(const WallGrid& grid, const GridRoute& route) {
    std::vector<Point> centres;
    centres.reserve(route.moves() + 1);
    const GridLayout layout(grid.width(), grid.height());
    route.forEachCell([&](GridCell cell) { centres.push_back(layout.centre(grid.index(cell))); });
    return centres;
}

std::vector<Point> routeCentres(const ShapeMaze& maze, const ShapeRoute& route) {
    std::vector<Point> centres;
    centres.reserve(route.moves() + 1);
    visitLayout(maze.topology(), [&](const auto& layout) {
        route.forEachCell(layout, [&](CellId cell) { centres.push_back(layout.centre(cell)); });
    });
    return centres;
}

PlotterSheet plotterSheet(const WallGrid& grid, const RenderOptions& options) {
    const EndMarks marks = gridEndMarks(grid.width(), grid.height(), options.marks);
    PlotterSheet sheet;
    sheet.walls = plotterWalls(GridView<const WallGrid>(grid), marks);
    sheet.extent = {static_cast<double>(grid.width()), static_cast<double>(grid.height())};
    if (options.marks == Marks::Letters) {
        sheet.letters = placeGridLetters(grid.width(), grid.height());
    }
    return sheet;
}

PlotterSheet plotterSheet(const ShapeMaze& maze, const RenderOptions& options) {
    const Topology& topology = maze.topology();
    const EndMarks marks = placeEndMarks(topology, options.marks);
    PlotterSheet sheet;
    sheet.walls = withMazeView(maze, [&](const auto& view) { return plotterWalls(view, marks); });
    sheet.extent = topology.extent();
    sheet.letters = placeLetters(topology, marks);
    return sheet;
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
    options.plotter = request.plotter;
    options.mm = request.mm;
    return options;
}

std::vector<Point> prepareForPicture(AnyMaze& maze, const RenderRequest& request,
                                     const RenderPlan& plan, const std::string& source) {
    // ASCII's characters draw only squares.
    if (const auto* shape = std::get_if<ShapeMaze>(&maze);
        shape && plan.format == ImageFormat::Ascii && !drawsInAscii(shape->topology())) {
        throw UsageError(source, "ASCII draws only a plain rectangle and this is a " +
                                     shapeDescription(shape->topology()) +
                                     "; give --format svg, png, pdf or json");
    }
    if (!plan.route && !request.answer) {
        return {};
    }
    return std::visit(
        [&](auto& held) {
            const auto route = chooseRoute(held, {}, request.shortest, source);
            markRoute(held, route);
            return request.plotter ? routeCentres(held, route) : std::vector<Point>{};
        },
        maze);
}

void writePicture(const AnyMaze& maze, ImageFormat format, const RenderOptions& options,
                  std::streambuf& out) {
    if (const auto* shape = std::get_if<ShapeMaze>(&maze)) {
        shapeWriterOf(format)(*shape, options, out);
    } else {
        gridWriterOf(format)(std::get<WallGrid>(maze), options, out);
    }
}

PlotterReport writePlotterPicture(const AnyMaze& maze, const RenderOptions& options,
                                  std::vector<Point> route, std::streambuf& out) {
    PlotterSheet sheet =
        std::visit([&](const auto& held) { return plotterSheet(held, options); }, maze);
    sheet.route = std::move(route);
    return writePlotterSvg(sheet, options, out);
}

std::string plotterReportLine(const PlotterReport& report, double cellMm) {
    const auto counted = [](std::size_t count, const std::string& thing) {
        return grouped(count) + " " + thing + (count == 1 ? "" : "s");
    };
    const auto strokes = [&](std::size_t count) { return counted(count, "stroke"); };
    std::string line = "plotter: " + strokes(report.walls.strokes) + ", " +
                       counted(report.walls.penLifts, "pen lift") + ", " +
                       decimalText(report.walls.drawn * cellMm, "%.1f") + " mm drawn, " +
                       decimalText(report.walls.travel * cellMm, "%.1f") + " mm travel";
    if (report.markStrokes != 0) {
        line += "; marks " + strokes(report.markStrokes);
    }
    if (report.routeStrokes != 0) {
        line += "; route " + strokes(report.routeStrokes);
    }
    return line;
}

}  // namespace nitka
