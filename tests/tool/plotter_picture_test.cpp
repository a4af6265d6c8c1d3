#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numeric>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "../render/shape_fixture.h"
#include "../render/stroke_count.h"
#include "carve/grid_shape_copy.h"
#include "render/shape_layout.h"
#include "render/shape_walls.h"
#include "shape/hex_topology.h"
#include "shape/maze_view.h"
#include "shape/triangle_topology.h"
#include "tool/picture_writing.h"

namespace nitka {
namespace {

using testing::carvedMaze;
using testing::maskFromPicture;

struct Segment {
    Point a;
    Point b;
};

double length(const Segment& segment) {
    return std::hypot(segment.b.x - segment.a.x, segment.b.y - segment.a.y);
}

// An SVG writer's numbers back in the drawing's units.
struct Scale {
    double origin;
    double unit;
    Point toUnits(double x, double y) const { return {(x - origin) / unit, (y - origin) / unit}; }
};

// The arc's points from a to b, the shorter way round, turning with the
// angle (y downward) when sweep is 1.
void flattenArc(Point a, Point b, double radius, bool sweep, std::vector<Segment>& out) {
    const Point middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
    const double half = std::hypot(b.x - a.x, b.y - a.y) / 2;
    const double rise = std::sqrt(std::max(0.0, radius * radius - half * half));
    const Point normal{-(b.y - a.y) / (2 * half), (b.x - a.x) / (2 * half)};
    const double side = sweep ? 1 : -1;
    const Point centre{middle.x + side * rise * normal.x, middle.y + side * rise * normal.y};
    const double from = std::atan2(a.y - centre.y, a.x - centre.x);
    double turn = std::atan2(b.y - centre.y, b.x - centre.x) - from;
    while (sweep && turn < 0) {
        turn += 2 * std::numbers::pi;
    }
    while (!sweep && turn > 0) {
        turn -= 2 * std::numbers::pi;
    }
    constexpr int kPieces = 16;
    Point last = a;
    for (int k = 1; k <= kPieces; ++k) {
        const double angle = from + turn * k / kPieces;
        const Point next = k == kPieces ? b
                                        : Point{centre.x + radius * std::cos(angle),
                                                centre.y + radius * std::sin(angle)};
        out.push_back({last, next});
        last = next;
    }
}

// The walls of an SVG document as drawn: its first group's lines and paths,
// one list of segments for each element.
std::vector<std::vector<Segment>> wallElements(const std::string& svg, const Scale& scale) {
    const std::string walls = svg.substr(0, svg.find("</g>"));
    std::vector<std::vector<Segment>> elements;
    const std::regex line(R"re(<line x1="([^"]+)" y1="([^"]+)" x2="([^"]+)" y2="([^"]+)")re");
    for (std::sregex_iterator it(walls.begin(), walls.end(), line), end; it != end; ++it) {
        elements.push_back({{scale.toUnits(std::stod((*it)[1]), std::stod((*it)[2])),
                             scale.toUnits(std::stod((*it)[3]), std::stod((*it)[4]))}});
    }
    const std::regex path(R"re(<path d="([^"]+)")re");
    for (std::sregex_iterator it(walls.begin(), walls.end(), path), end; it != end; ++it) {
        std::istringstream data((*it)[1].str());
        std::vector<Segment> segments;
        Point at;
        char command = 0;
        while (data >> std::ws && data.peek() != EOF) {
            if (std::isalpha(data.peek())) {
                data >> command;
            }
            double x = 0;
            double y = 0;
            if (command == 'A') {
                double radius = 0;
                double ry = 0;
                int rotation = 0;
                int large = 0;
                int sweep = 0;
                data >> radius >> ry >> rotation >> large >> sweep >> x >> y;
                const Point to = scale.toUnits(x, y);
                flattenArc(at, to, radius / scale.unit, sweep == 1, segments);
                at = to;
                continue;
            }
            data >> x >> y;
            const Point to = scale.toUnits(x, y);
            if (command == 'L') {
                segments.push_back({at, to});
            }
            at = to;
        }
        elements.push_back(std::move(segments));
    }
    return elements;
}

// Pixels, `perUnit` to a unit, whose centres lie near a segment.
std::vector<bool> inked(const std::vector<std::vector<Segment>>& elements, Point extent,
                        int perUnit) {
    const int width = static_cast<int>(std::ceil(extent.x * perUnit)) + 4;
    const int height = static_cast<int>(std::ceil(extent.y * perUnit)) + 4;
    std::vector<bool> ink(static_cast<std::size_t>(width * height), false);
    const double reach = 1.5;
    for (const auto& element : elements) {
        for (const Segment& segment : element) {
            const Point a{segment.a.x * perUnit + 2, segment.a.y * perUnit + 2};
            const Point b{segment.b.x * perUnit + 2, segment.b.y * perUnit + 2};
            const double span =
                std::max(1e-12, (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
            for (int y = std::max(0, static_cast<int>(std::min(a.y, b.y) - 3));
                 y <= std::min(height - 1, static_cast<int>(std::max(a.y, b.y) + 3)); ++y) {
                for (int x = std::max(0, static_cast<int>(std::min(a.x, b.x) - 3));
                     x <= std::min(width - 1, static_cast<int>(std::max(a.x, b.x) + 3)); ++x) {
                    const double t = std::clamp(
                        ((x + 0.5 - a.x) * (b.x - a.x) + (y + 0.5 - a.y) * (b.y - a.y)) / span, 0.0,
                        1.0);
                    const double dx = x + 0.5 - (a.x + t * (b.x - a.x));
                    const double dy = y + 0.5 - (a.y + t * (b.y - a.y));
                    if (dx * dx + dy * dy <= reach * reach) {
                        ink[static_cast<std::size_t>(y * width + x)] = true;
                    }
                }
            }
        }
    }
    return ink;
}

// How many inked pixels of one picture have no ink within a pixel in the
// other: 0 when the two draw the same lines, whatever their pieces.
int unmatched(const std::vector<bool>& one, const std::vector<bool>& other, int width) {
    const int height = static_cast<int>(one.size()) / width;
    int count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!one[static_cast<std::size_t>(y * width + x)]) {
                continue;
            }
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy) {
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    near = nx >= 0 && ny >= 0 && nx < width && ny < height &&
                           other[static_cast<std::size_t>(ny * width + nx)];
                }
            }
            count += near ? 0 : 1;
        }
    }
    return count;
}

// The walls the pictures draw, by their ends.
std::vector<PenEdge> drawnSides(const AnyMaze& maze, Marks marks) {
    std::vector<PenEdge> walls;
    const auto keep = [&](const auto& view, const EndMarks& ends) {
        forEachDrawnSide(
            view, ends, [](CellId) { return true; },
            [&](const Side& side) {
                walls.push_back({side.from, side.to});
            });
    };
    if (const auto* grid = std::get_if<WallGrid>(&maze)) {
        keep(GridView<const WallGrid>(*grid), gridEndMarks(grid->width(), grid->height(), marks));
    } else {
        const auto& shape = std::get<ShapeMaze>(maze);
        const EndMarks ends = placeEndMarks(shape.topology(), marks);
        withMazeView(shape, [&](const auto& view) { keep(view, ends); });
    }
    return walls;
}

std::string pictureOf(const AnyMaze& maze, const RenderOptions& options) {
    std::stringbuf out;
    if (options.plotter) {
        writePlotterPicture(maze, options, {}, out);
    } else {
        writePicture(maze, ImageFormat::Svg, options, out);
    }
    return out.str();
}

struct PlotterCase {
    const char* name;
    AnyMaze maze;
    Point extent;
    // The same maze as the shapes' pictures draw it: a grid's own SVG keeps
    // the window's frame, which reaches out to the picture's edge.
    const ShapeMaze* drawnAs = nullptr;
};

std::vector<PlotterCase> plotterCases() {
    const auto full = [](int width, int height) {
        return maskFromPicture(std::vector<std::string>(
            static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.')));
    };
    std::vector<PlotterCase> cases;
    cases.reserve(8);
    const auto add = [&](const char* name, ShapeMaze maze) {
        const Point extent = maze.topology().extent();
        cases.push_back({name, std::move(maze), extent});
    };
    ShapeMaze plain = carvedMaze(std::make_shared<RectTopology>(full(9, 7)), 1);
    cases.push_back({"grid", gridFromShape(plain), {9, 7}});
    add("rect", std::move(plain));
    cases.front().drawnAs = &std::get<ShapeMaze>(cases[1].maze);
    add("mask", testing::maskedRectMaze(2));
    add("hex", carvedMaze(std::make_shared<HexTopology>(full(7, 6)), 3));
    add("triangle", carvedMaze(std::make_shared<TriangleTopology>(full(9, 6)), 4));
    add("polar", carvedMaze(std::make_shared<PolarTopology>(4), 5));
    add("polar-braid", [] {
        ShapeMaze maze = carvedMaze(std::make_shared<PolarTopology>(3), 6);
        maze.setOpen(7, 8, true);
        return maze;
    }());
    return cases;
}

// On every shape, with and without marks: the plotter's strokes cover
// exactly the walls of the ordinary SVG, none drawn twice (the lengths
// agree), in the fewest strokes the walls' ends allow.
TEST(PlotterPicture, DrawsTheOrdinaryPicturesWallsInTheFewestStrokes) {
    for (const PlotterCase& maze : plotterCases()) {
        for (const Marks marks : {Marks::Openings, Marks::None}) {
            SCOPED_TRACE(std::string(maze.name) + (marks == Marks::None ? " no marks" : ""));
            RenderOptions ordinary;
            ordinary.cell = 20;
            ordinary.marks = marks;
            RenderOptions plotter = ordinary;
            plotter.plotter = true;
            plotter.mm.cell = 7;
            plotter.mm.pen = 0.4;
            const auto drawn =
                wallElements(pictureOf(maze.drawnAs ? AnyMaze(*maze.drawnAs) : maze.maze, ordinary),
                             {ShapeLayout::kMargin + 0.5, 20});
            const auto strokes = wallElements(pictureOf(maze.maze, plotter), {0.2, 7});

            constexpr int kPerUnit = 12;
            const int width = static_cast<int>(std::ceil(maze.extent.x * kPerUnit)) + 4;
            const auto seen = inked(drawn, maze.extent, kPerUnit);
            const auto plotted = inked(strokes, maze.extent, kPerUnit);
            EXPECT_GT(std::count(seen.begin(), seen.end(), true), 100);
            EXPECT_EQ(unmatched(seen, plotted, width), 0);
            EXPECT_EQ(unmatched(plotted, seen, width), 0);

            const auto total = [](const auto& elements) {
                double sum = 0;
                for (const auto& element : elements) {
                    for (const Segment& segment : element) {
                        sum += length(segment);
                    }
                }
                return sum;
            };
            // The ordinary picture rounds to hundredths of a pixel; a wall drawn twice
            // would add a tenth of a unit or more.
            EXPECT_NEAR(total(strokes), total(drawn), 0.01);

            EXPECT_EQ(strokes.size(), testing::fewestStrokes(drawnSides(maze.maze, marks)));
        }
    }
}

// The document is the drawing's size in millimetres; the letters and the
// route are single strokes in layers of their own, the route through the
// centres it was given, and the report counts what was drawn.
TEST(PlotterPicture, SizesInMillimetresAndLayersOfSingleStrokes) {
    const auto cases = plotterCases();
    const AnyMaze& maze = cases.front().maze;
    RenderOptions options;
    options.plotter = true;
    options.mm.cell = 6;
    options.mm.pen = 0.5;
    options.marks = Marks::Letters;
    std::stringbuf out;
    const PlotterReport report =
        writePlotterPicture(maze, options, {{0.5, 0.5}, {1.5, 0.5}, {1.5, 1.5}}, out);
    const std::string svg = out.str();
    EXPECT_NE(svg.find("width=\"54.5mm\" height=\"42.5mm\" viewBox=\"0 0 54.5 42.5\""),
              std::string::npos);
    const auto layer = [&](const std::string& name) {
        const std::size_t start = svg.find("inkscape:label=\"" + name + "\"");
        return start == std::string::npos ? std::string()
                                          : svg.substr(start, svg.find("</g>", start) - start);
    };
    const auto paths = [](const std::string& text) {
        std::size_t count = 0;
        for (std::size_t at = text.find("<path"); at != std::string::npos;
             at = text.find("<path", at + 1)) {
            ++count;
        }
        return count;
    };
    EXPECT_EQ(paths(layer("1 walls")), report.walls.strokes);
    EXPECT_EQ(paths(layer("2 marks")), 3u);
    EXPECT_EQ(report.markStrokes, 3u);
    EXPECT_NE(layer("3 route").find("d=\"M3.25 3.25 L9.25 3.25 L9.25 9.25\""), std::string::npos);
    EXPECT_EQ(report.routeStrokes, 1u);
    EXPECT_EQ(svg.find("<text"), std::string::npos);
    EXPECT_EQ(svg.find("fill=\"black\""), std::string::npos);
    EXPECT_EQ(report.walls.penLifts + 1, report.walls.strokes);
    EXPECT_EQ(plotterReportLine(report, 6).rfind("plotter: ", 0), 0u);
}

}  // namespace
}  // namespace nitka
