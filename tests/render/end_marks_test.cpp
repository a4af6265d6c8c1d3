#include "render/end_marks.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "carve/shape_carve.h"
#include "model/seeded_random.h"
#include "render/shape_cairo.h"
#include "render/shape_fixture.h"
#include "render/shape_walls.h"
#include "render/svg_render.h"
#include "shape/make_topology.h"
#include "shape/moved_ends.h"
#include "solver/farthest_exits.h"

namespace nitka {
namespace {

using testing::maskFromPicture;

struct Layout {
    const char* name;
    std::shared_ptr<const Topology> topology;
};

// Every shape, a mask's hole beside the default start, and ends moved onto
// the edge by --exits farthest and into the middle by hand.
std::vector<Layout> layouts() {
    auto hex = makeTopology(ShapeKind::Hex, 6, 5);
    return {
        {"rect", makeTopology(ShapeKind::Rect, 5, 4)},
        {"rect one row", makeTopology(ShapeKind::Rect, 4, 1)},
        {"rect one cell", makeTopology(ShapeKind::Rect, 1, 1)},
        {"hex", hex},
        {"triangle", makeTopology(ShapeKind::Triangle, 7, 4)},
        {"polar", makeTopology(ShapeKind::Polar, 1, 4)},
        {"rect with holes", makeTopology(ShapeKind::Rect, 5, 4,
                                         maskFromPicture({"#....", "..#..", ".....", "....#"}))},
        {"hex, ends in the middle", withEnds(hex, hex->cellAt({2, 2}), hex->cellAt({3, 2}))},
    };
}

ShapeMaze carved(std::shared_ptr<const Topology> topology, std::uint64_t seed) {
    ShapeMaze maze(std::move(topology));
    SeededRandom random(seed);
    carveShapeMaze(maze, CarveOptions{}, random);
    return maze;
}

Point middleOf(const Side& side) {
    if (!side.arc) {
        return {(side.from.x + side.to.x) / 2, (side.from.y + side.to.y) / 2};
    }
    const Point c = side.centre;
    const double radius = std::hypot(side.from.x - c.x, side.from.y - c.y);
    const double mx = (side.from.x + side.to.x) / 2 - c.x;
    const double my = (side.from.y + side.to.y) / 2 - c.y;
    const double length = std::hypot(mx, my);
    return {c.x + mx / length * radius, c.y + my / length * radius};
}

bool covers(const Side& wall, Point point) {
    constexpr double kClose = 1e-6;
    if (wall.arc) {
        const Point c = wall.centre;
        const double radius = std::hypot(wall.from.x - c.x, wall.from.y - c.y);
        if (std::abs(std::hypot(point.x - c.x, point.y - c.y) - radius) > kClose) {
            return false;
        }
        // On the shorter arc: nearer the chord's middle than its ends are.
        const Point middle = middleOf(wall);
        const double reach = std::hypot(wall.from.x - middle.x, wall.from.y - middle.y);
        return std::hypot(point.x - middle.x, point.y - middle.y) <= reach + kClose;
    }
    const double dx = wall.to.x - wall.from.x;
    const double dy = wall.to.y - wall.from.y;
    const double along =
        ((point.x - wall.from.x) * dx + (point.y - wall.from.y) * dy) / (dx * dx + dy * dy);
    const double across =
        std::abs((point.x - wall.from.x) * dy - (point.y - wall.from.y) * dx) / std::hypot(dx, dy);
    return along > -kClose && along < 1 + kClose && across < kClose;
}

struct EdgeSide {
    CellId cell;
    int index;
    Side side;
};

std::vector<EdgeSide> edgeSides(const Topology& topology) {
    std::vector<EdgeSide> sides;
    std::vector<Side> outline;
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (!topology.isCell(cell)) {
            continue;
        }
        topology.outline(cell, outline);
        for (std::size_t i = 0; i < outline.size(); ++i) {
            if (outline[i].across == kNoCell) {
                sides.push_back({cell, static_cast<int>(i), outline[i]});
            }
        }
    }
    return sides;
}

// The edge sides a drawing leaves open, as "cell/side" texts.
template <typename IsDrawn>
std::vector<std::string> gapsIn(const Topology& topology, IsDrawn&& isDrawn) {
    std::vector<std::string> gaps;
    for (const EdgeSide& edge : edgeSides(topology)) {
        if (!isDrawn(edge.side)) {
            gaps.push_back(std::to_string(edge.cell) + "/" + std::to_string(edge.index));
        }
    }
    return gaps;
}

std::vector<std::string> expectedGaps(const EndMarks& marks) {
    std::vector<std::string> gaps;
    for (const EndMark& mark : {marks.start, marks.target}) {
        if (mark.opening >= 0) {
            gaps.push_back(std::to_string(mark.cell) + "/" + std::to_string(mark.opening));
        }
    }
    std::sort(gaps.begin(), gaps.end());
    return gaps;
}

TEST(EndMarksTest, OpeningsTakeAnEdgeSideOfStartAndTargetOrFallBackToLetters) {
    for (const Layout& layout : layouts()) {
        SCOPED_TRACE(layout.name);
        const Topology& topology = *layout.topology;
        const EndMarks marks = placeEndMarks(topology, Marks::Openings);
        EXPECT_EQ(marks.start.cell, topology.start());
        EXPECT_EQ(marks.target.cell, topology.target());
        for (const EndMark& mark : {marks.start, marks.target}) {
            // An opening exactly where the cell meets the edge, a letter where it does not.
            EXPECT_EQ(mark.opening >= 0, isEdgeCell(topology, mark.cell));
            EXPECT_EQ(mark.letter != 0, mark.opening < 0);
        }
        EXPECT_FALSE(marks.start.cell == marks.target.cell &&
                     marks.start.opening == marks.target.opening && marks.start.opening >= 0);

        const EndMarks letters = placeEndMarks(topology, Marks::Letters);
        EXPECT_EQ(letters.start.letter, 'S');
        EXPECT_EQ(letters.target.letter, 'F');
        EXPECT_EQ(letters.start.opening + letters.target.opening, -2);
        EXPECT_EQ(placeEndMarks(topology, Marks::None).start.cell, kNoCell);
    }
}

// The SVG's walls: every side on the edge is drawn but the openings.
TEST(EndMarksTest, SvgWallsLeaveOnlyTheOpeningsOfTheEdge) {
    for (const Layout& layout : layouts()) {
        SCOPED_TRACE(layout.name);
        for (const Marks kind : {Marks::Openings, Marks::Letters, Marks::None}) {
            const ShapeMaze maze = carved(layout.topology, 7);
            const EndMarks marks = placeEndMarks(maze.topology(), kind);
            std::vector<Side> walls;
            forEachWall(
                maze, [&](const Side& wall) { walls.push_back(wall); }, marks);
            auto gaps = gapsIn(maze.topology(), [&](const Side& side) {
                const Point middle = middleOf(side);
                return std::any_of(walls.begin(), walls.end(),
                                   [&](const Side& wall) { return covers(wall, middle); });
            });
            std::sort(gaps.begin(), gaps.end());
            EXPECT_EQ(gaps, expectedGaps(marks));
        }
    }
}

// The PDF's and PNG's drawing, looked at pixel by pixel: ink in the middle
// of every edge side but the openings.
TEST(EndMarksTest, CairoDrawingLeavesOnlyTheOpeningsOfTheEdge) {
    constexpr double kScale = 20;
    constexpr double kOffset = 10;
    for (const Layout& layout : layouts()) {
        SCOPED_TRACE(layout.name);
        const ShapeMaze maze = carved(layout.topology, 3);
        const Topology& topology = maze.topology();
        const EndMarks marks = placeEndMarks(topology, Marks::Openings);
        const Point extent = topology.extent();
        const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
            cairo_image_surface_create(CAIRO_FORMAT_A8,
                                       static_cast<int>(extent.x * kScale + 2 * kOffset),
                                       static_cast<int>(extent.y * kScale + 2 * kOffset)),
            cairo_surface_destroy);
        {
            const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                                        cairo_destroy);
            cairo_translate(cr.get(), kOffset, kOffset);
            cairo_scale(cr.get(), kScale, kScale);
            drawShapeMaze(cr.get(), maze, ShapeInk{}, false, {}, marks);
        }
        cairo_surface_flush(surface.get());
        const unsigned char* pixels = cairo_image_surface_get_data(surface.get());
        const int stride = cairo_image_surface_get_stride(surface.get());
        auto gaps = gapsIn(topology, [&](const Side& side) {
            const Point middle = middleOf(side);
            const auto x = static_cast<int>(middle.x * kScale + kOffset);
            const auto y = static_cast<int>(middle.y * kScale + kOffset);
            // The line is two pixels wide: one of the four around the point is inked.
            int ink = 0;
            for (int dy = -1; dy <= 0; ++dy) {
                for (int dx = -1; dx <= 0; ++dx) {
                    ink = std::max<int>(ink, pixels[(y + dy) * stride + x + dx]);
                }
            }
            return ink > 128;
        });
        std::sort(gaps.begin(), gaps.end());
        EXPECT_EQ(gaps, expectedGaps(marks));
    }
}

// The plain rectangle's own SVG: its frame and outer flags, unit by unit.
TEST(EndMarksTest, RectangleSvgOpensTheStartsTopAndTheTargetsRight) {
    struct Case {
        int width;
        int height;
        Marks marks;
        std::vector<std::string> gaps;
    };
    const std::vector<Case> cases = {
        {4, 3, Marks::Openings, {"right 2", "top 0"}},
        {4, 1, Marks::Openings, {"top 0", "top 3"}},
        {1, 1, Marks::Openings, {"right 0", "top 0"}},
        {4, 3, Marks::Letters, {}},
        {4, 3, Marks::None, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.width) + " x " + std::to_string(test.height));
        const WallGrid grid(test.width, test.height);
        RenderOptions options;
        options.cell = 10;
        options.marks = test.marks;
        std::stringbuf out;
        renderSvg(grid, options, out);
        const std::string svg = out.str();
        struct Line {
            double x1, y1, x2, y2;
        };
        std::vector<Line> lines;
        const std::regex element(
            R"re(<line x1="([\d.]+)" y1="([\d.]+)" x2="([\d.]+)" y2="([\d.]+)"/>)re");
        for (auto it = std::sregex_iterator(svg.begin(), svg.end(), element);
             it != std::sregex_iterator(); ++it) {
            lines.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                             std::stod((*it)[4])});
        }
        const auto inked = [&](double x, double y) {
            return std::any_of(lines.begin(), lines.end(), [&](const Line& line) {
                return std::min(line.x1, line.x2) <= x && x <= std::max(line.x1, line.x2) &&
                       std::min(line.y1, line.y2) <= y && y <= std::max(line.y1, line.y2);
            });
        };
        // Grid point (x, y) is pixel 5 + 10 x; a wall's line runs half a pixel in.
        std::vector<std::string> gaps;
        for (int x = 0; x < test.width; ++x) {
            if (!inked(10 + 10 * x, 5.5)) {
                gaps.push_back("top " + std::to_string(x));
            }
            if (!inked(10 + 10 * x, 5.5 + 10 * test.height)) {
                gaps.push_back("bottom " + std::to_string(x));
            }
        }
        for (int y = 0; y < test.height; ++y) {
            if (!inked(5.5, 10 + 10 * y)) {
                gaps.push_back("left " + std::to_string(y));
            }
            if (!inked(5.5 + 10 * test.width, 10 + 10 * y)) {
                gaps.push_back("right " + std::to_string(y));
            }
        }
        std::sort(gaps.begin(), gaps.end());
        EXPECT_EQ(gaps, test.gaps);
        EXPECT_EQ(svg.find(">S</text>") != std::string::npos, test.marks == Marks::Letters);
    }
}

}  // namespace
}  // namespace nitka
