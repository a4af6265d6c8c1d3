#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "carve/grid_shape_copy.h"
#include "render/mark_places.h"
#include "render/picture_layout.h"
#include "render/png_render.h"
#include "render/render_fixture.h"
#include "render/shape_fixture.h"
#include "render/shape_layout.h"
#include "render/shape_png_render.h"
#include "render/shape_svg_render.h"
#include "render/svg_render.h"
#include "shape/make_topology.h"
#include "shape/moved_ends.h"

namespace nitka {
namespace {

using testing::decodePng;
using testing::GreyImage;
using testing::rendered;

double distanceToSegment(Point point, Point from, Point to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double along = std::clamp(
        ((point.x - from.x) * dx + (point.y - from.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(point.x - from.x - along * dx, point.y - from.y - along * dy);
}

// The cell whose straight outline holds point, kNoCell if none does.
CellId cellHolding(const Topology& topology, Point point, std::vector<Side>& outline) {
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        topology.outline(cell, outline);
        bool inside = true;
        for (const Side& side : outline) {
            // Clockwise on the page, y down: the inside lies right of every side.
            const double cross = (side.to.x - side.from.x) * (point.y - side.from.y) -
                                 (side.to.y - side.from.y) * (point.x - side.from.x);
            inside = inside && cross >= 0;
        }
        if (inside) {
            return cell;
        }
    }
    return kNoCell;
}

// Read back from the SVG: every dot lies in a cell and clear of the half
// pixel of stroke along each of its sides, at every cell size.
TEST(RouteDots, StayInsideTheirCellsInTheSvg) {
    for (const ShapeKind kind : {ShapeKind::Triangle, ShapeKind::Hex, ShapeKind::Rect}) {
        const ShapeMaze maze = testing::carvedMaze(makeTopology(kind, 7, 5), 4);
        const Topology& topology = maze.topology();
        for (const int cell : {2, 3, 5, 8, 11, 16, 40}) {
            const ShapeLayout layout(topology, cell);
            const std::string svg = rendered(renderShapeSvg, maze, {.cell = cell, .route = true});
            const std::regex circle(R"re(<circle cx="([\d.]+)" cy="([\d.]+)" r="([\d.]+)")re");
            const Point origin = layout.toPixels({0, 0});
            int dots = 0;
            std::vector<Side> outline;
            for (std::sregex_iterator it(svg.begin(), svg.end(), circle), end; it != end; ++it) {
                ++dots;
                const Point centre{(std::stod((*it)[1]) - origin.x) / cell,
                                   (std::stod((*it)[2]) - origin.y) / cell};
                const double radius = std::stod((*it)[3]) / cell;
                const CellId holder = cellHolding(topology, centre, outline);
                ASSERT_NE(holder, kNoCell) << shapeName(kind) << " at " << cell;
                for (const Side& side : outline) {
                    EXPECT_GE(distanceToSegment(centre, side.from, side.to) + 0.01 / cell,
                              radius + 0.5 / cell)
                        << shapeName(kind) << " at " << cell << " px, cell " << holder;
                }
            }
            EXPECT_GT(dots, 0);
        }
    }
}

// By pixels, in the PNG, and so in the PDF, drawn by the same code: no pixel
// of a dot is a pixel of a wall.
TEST(RouteDots, NeverInkOverWallsInThePng) {
    for (const ShapeKind kind : {ShapeKind::Triangle, ShapeKind::Hex, ShapeKind::Polar}) {
        ShapeMaze maze = testing::carvedMaze(makeTopology(kind, 7, 5), 6);
        // Smaller cells have no room for a dot a pixel and a half off the walls.
        for (const int cell : {16, 20, 30, 40}) {
            const GreyImage dotted =
                decodePng(rendered([](const ShapeMaze& m, const RenderOptions& o,
                                      std::streambuf& out) { renderShapePng(m, o, out); },
                                   maze, {.cell = cell, .route = true}));
            const GreyImage plain =
                decodePng(rendered([](const ShapeMaze& m, const RenderOptions& o,
                                      std::streambuf& out) { renderShapePng(m, o, out); },
                                   maze, {.cell = cell}));
            int dotPixels = 0;
            int touching = 0;
            for (std::size_t k = 0; k < plain.grey.size(); ++k) {
                if (dotted.grey[k] != plain.grey[k]) {
                    ++dotPixels;
                    touching += plain.grey[k] != 255 ? 1 : 0;
                }
            }
            EXPECT_GT(dotPixels, 0) << shapeName(kind) << " at " << cell;
            EXPECT_EQ(touching, 0) << shapeName(kind) << " at " << cell << " px";
        }
    }
}

// The columns of ink that the letters add to a picture of a maze one cell
// big: S and F apart means two runs with white between them.
int inkRuns(const GreyImage& lettered, const GreyImage& plain) {
    std::vector<bool> inked(static_cast<std::size_t>(plain.width), false);
    for (int y = 0; y < plain.height; ++y) {
        for (int x = 0; x < plain.width; ++x) {
            if (lettered.dark(x, y) && !plain.dark(x, y)) {
                inked[static_cast<std::size_t>(x)] = true;
            }
        }
    }
    int runs = 0;
    for (std::size_t x = 0; x < inked.size(); ++x) {
        runs += inked[x] && (x == 0 || !inked[x - 1]) ? 1 : 0;
    }
    return runs;
}

std::string shapePng(const ShapeMaze& maze, const RenderOptions& options) {
    std::stringbuf out;
    if (isPlainRectangle(maze.topology())) {
        renderRectanglePng(maze, options, out);
    } else {
        renderShapePng(maze, options, out);
    }
    return std::move(out).str();
}

// S and F in one cell print side by side, apart, in every format.
TEST(EndLetters, NeverPrintOverEachOther) {
    for (const int cell : {16, 24, 40}) {
        const RenderOptions letters{.cell = cell, .marks = Marks::Letters};
        const RenderOptions none{.cell = cell};
        const WallGrid grid(1, 1);
        EXPECT_EQ(inkRuns(decodePng(rendered(renderPng, grid, letters)),
                          decodePng(rendered(renderPng, grid, none))),
                  2)
            << "rectangle at " << cell;
        for (const ShapeKind kind : {ShapeKind::Rect, ShapeKind::Hex, ShapeKind::Triangle}) {
            const ShapeMaze maze(makeTopology(kind, 1, 1));
            EXPECT_EQ(inkRuns(decodePng(shapePng(maze, letters)), decodePng(shapePng(maze, none))),
                      2)
                << shapeName(kind) << " at " << cell;
        }
    }
    // In an SVG the viewer draws the text: the letters' centres lie further
    // apart than a bold capital is wide (under 0.75 of its size).
    const std::regex text(R"re(<text x="([\d.]+)" y="([\d.]+)"[^>]*font-size="([\d.]+)")re");
    const auto apart = [&](const std::string& svg) {
        std::vector<double> xs;
        double size = 0;
        for (std::sregex_iterator it(svg.begin(), svg.end(), text), end; it != end; ++it) {
            xs.push_back(std::stod((*it)[1]));
            size = std::stod((*it)[3]);
        }
        return xs.size() == 2 && std::abs(xs[0] - xs[1]) >= 0.75 * size;
    };
    const RenderOptions letters{.cell = 16, .marks = Marks::Letters};
    EXPECT_TRUE(apart(rendered(renderSvg, WallGrid(1, 1), letters)));
    for (const ShapeKind kind : {ShapeKind::Rect, ShapeKind::Hex, ShapeKind::Triangle}) {
        EXPECT_TRUE(apart(rendered(renderShapeSvg, ShapeMaze(makeTopology(kind, 1, 1)), letters)))
            << shapeName(kind);
    }
}

bool oneBitPng(const std::string& png) {
    // IHDR's bit depth, after the signature, the chunk's length and type,
    // and the width and height.
    return png.size() > 24 && png[24] == 1;
}

// Pixels of the marked picture unlike the plain one, all inside the boxes of
// the marked cells (walls around them included).
void expectChangesOnlyIn(const GreyImage& marked, const GreyImage& plain,
                         const PictureLayout& layout, int width, const std::set<CellId>& cells,
                         const std::string& label) {
    int changed = 0;
    for (int y = 0; y < plain.height; ++y) {
        for (int x = 0; x < plain.width; ++x) {
            if (marked.dark(x, y) == plain.dark(x, y)) {
                continue;
            }
            ++changed;
            bool inBox = false;
            for (const CellId cell : cells) {
                const int cx = static_cast<int>(cell % static_cast<CellId>(width));
                const int cy = static_cast<int>(cell / static_cast<CellId>(width));
                inBox = inBox || (x >= layout.left(cx) && x <= layout.left(cx + 1) &&
                                  y >= layout.top(cy) && y <= layout.top(cy + 1));
            }
            EXPECT_TRUE(inBox) << label << ": pixel " << x << ", " << y;
        }
    }
    EXPECT_GT(changed, 0) << label;
}

// A rectangle's PNG keeps the window's one-bit walls with marks: openings
// clear a side between its corners, letters ink their cell, every other
// pixel stays the window's.
TEST(RectanglePng, MarksKeepTheWindowsWalls) {
    const WallGrid grid = testing::picturedGrid();
    for (const int cell : {4, 8, 16}) {
        const PictureLayout layout(4, 3, cell);
        const std::string plain = rendered(renderPng, grid, {.cell = cell, .route = true});
        for (const Marks marks : {Marks::Openings, Marks::Letters}) {
            const std::string marked =
                rendered(renderPng, grid, {.cell = cell, .route = true, .marks = marks});
            EXPECT_TRUE(oneBitPng(marked));
            expectChangesOnlyIn(decodePng(marked), decodePng(plain), layout, 4, {0, 11},
                                "corners at " + std::to_string(cell));
        }
        // An opening is exactly the side's pixels between its corners.
        const GreyImage open =
            decodePng(rendered(renderPng, grid, {.cell = cell, .marks = Marks::Openings}));
        const GreyImage closed = decodePng(rendered(renderPng, grid, {.cell = cell}));
        int cleared = 0;
        for (std::size_t k = 0; k < open.grey.size(); ++k) {
            cleared += open.grey[k] != closed.grey[k] && open.grey[k] == 255 ? 1 : 0;
        }
        EXPECT_EQ(cleared, 2 * (cell - 1)) << cell;
    }

    // Exits moved by a shape file: the same picture as the grid's, marks on
    // the cells the file names.
    const auto base = makeTopology(ShapeKind::Rect, 5, 4);
    ShapeMaze moved = testing::carvedMaze(withEnds(base, 7, 15), 5);
    WallGrid copy = gridFromShape(moved);
    for (CellId cell = 0; cell < 20; ++cell) {
        copy.setScratch(static_cast<std::size_t>(cell), moved.scratch(cell) != 0 ? 1 : 0);
    }
    const RenderOptions route{.cell = 16, .route = true};
    const std::string plain = shapePng(moved, route);
    EXPECT_EQ(plain, rendered(renderPng, copy, route)) << "the window's pixels";
    for (const Marks marks : {Marks::Openings, Marks::Letters}) {
        RenderOptions options = route;
        options.marks = marks;
        const std::string marked = shapePng(moved, options);
        EXPECT_TRUE(oneBitPng(marked));
        expectChangesOnlyIn(decodePng(marked), decodePng(plain), PictureLayout(5, 4, 16), 5,
                            {7, 15}, "moved exits");
    }
}

}  // namespace
}  // namespace nitka

namespace nitka {
namespace {

int circles(const std::string& svg) {
    const std::regex circle("<circle ");
    return static_cast<int>(std::distance(std::sregex_iterator(svg.begin(), svg.end(), circle),
                                          std::sregex_iterator()));
}

// A letter's cell shows the letter alone: a dot would blot it out.
TEST(EndLetters, TakeTheirCellsDotsPlace) {
    // A 3 x 1 corridor, every cell on the route, S and F at its ends.
    WallGrid grid(3, 1);
    for (std::size_t cell = 0; cell < 3; ++cell) {
        grid.setScratch(cell, 1);
        grid.setLeft(cell, cell == 0 ? Flag::Wall : Flag::Open);
    }
    const RenderOptions route{.cell = 16, .route = true};
    const RenderOptions lettered{.cell = 16, .route = true, .marks = Marks::Letters};
    EXPECT_EQ(circles(rendered(renderSvg, grid, route)), 3);
    EXPECT_EQ(circles(rendered(renderSvg, grid, lettered)), 1);
    ShapeMaze maze = testing::carvedMaze(makeTopology(ShapeKind::Hex, 4, 3), 2);
    for (CellId cell = 0; cell < maze.topology().slotCount(); ++cell) {
        maze.setScratch(cell, 1);
    }
    EXPECT_EQ(circles(rendered(renderShapeSvg, maze, lettered)),
              circles(rendered(renderShapeSvg, maze, route)) - 2);
    // In the PNG the letters' pixels are the same with the route as without.
    RenderOptions unrouted = lettered;
    unrouted.route = false;
    const GreyImage with = decodePng(rendered(renderPng, grid, lettered));
    const GreyImage without = decodePng(rendered(renderPng, grid, unrouted));
    const PictureLayout layout(3, 1, 16);
    int differing = 0;
    for (int y = 0; y < with.height; ++y) {
        for (int x = 0; x < with.width; ++x) {
            const bool middle = x > layout.left(1) && x < layout.left(2);
            differing += !middle && with.dark(x, y) != without.dark(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace nitka
