#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "render/render_fixture.h"
#include "render/shape_fixture.h"
#include "render/shape_layout.h"
#include "render/shape_pdf_render.h"
#include "render/shape_png_render.h"
#include "render/shape_svg_render.h"

namespace nitka {
namespace {

using testing::decodePng;
using testing::GreyImage;

constexpr double kNear = 0.01;  // units

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Every side of every cell, as its outline gives it, with whether it is closed.
struct SideOf {
    CellId cell = 0;
    Side side;
    bool closed = false;
};

std::vector<SideOf> allSides(const ShapeMaze& maze) {
    const Topology& topology = maze.topology();
    std::vector<SideOf> sides;
    std::vector<Side> outline;
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (topology.isCell(cell)) {
            topology.outline(cell, outline);
            for (const Side& side : outline) {
                sides.push_back(
                    {cell, side, side.across == kNoCell || !maze.isOpen(cell, side.across)});
            }
        }
    }
    return sides;
}

// The middle of a side along it: of an arc, on the arc.
Point middleOf(const Side& side) {
    const Point chord{(side.from.x + side.to.x) / 2, (side.from.y + side.to.y) / 2};
    if (!side.arc) {
        return chord;
    }
    const double radius = distance(side.from, side.centre);
    const double away = distance(chord, side.centre);
    return {side.centre.x + (chord.x - side.centre.x) * radius / away,
            side.centre.y + (chord.y - side.centre.y) * radius / away};
}

// A wall read back from the SVG, in units of the drawing. An arc's centre is
// worked out from its flags, as a viewer does, not taken from the maze.
struct DrawnWall {
    Point from;
    Point to;
    bool arc = false;
    Point centre;
    double radius = 0;
};

struct ReadSvg {
    std::vector<DrawnWall> walls;
    std::vector<Point> dots;
    double dotRadius = 0;
};

ReadSvg readSvg(const std::string& svg, const ShapeLayout& layout) {
    const Point origin = layout.toPixels({0, 0});
    const double cell = layout.cell();
    const auto unit = [&](const std::string& x, const std::string& y) {
        return Point{(std::stod(x) - origin.x) / cell, (std::stod(y) - origin.y) / cell};
    };
    ReadSvg read;
    const std::string number = R"((-?[\d.]+))";
    const std::regex line("<line x1=\"" + number + "\" y1=\"" + number + "\" x2=\"" + number +
                          "\" y2=\"" + number + "\"/>");
    for (std::sregex_iterator it(svg.begin(), svg.end(), line), end; it != end; ++it) {
        read.walls.push_back({unit((*it)[1], (*it)[2]), unit((*it)[3], (*it)[4]), false, {}, 0});
    }
    const std::regex arc("<path d=\"M" + number + " " + number + " A" + number + " " + number +
                         " 0 0 ([01]) " + number + " " + number + "\"/>");
    for (std::sregex_iterator it(svg.begin(), svg.end(), arc), end; it != end; ++it) {
        DrawnWall wall{unit((*it)[1], (*it)[2]),
                       unit((*it)[6], (*it)[7]),
                       true,
                       {},
                       std::stod((*it)[3]) / cell};
        // The smaller arc turning clockwise on the page (sweep 1) has its
        // centre on the left of the chord as seen from its start.
        const double chord = distance(wall.from, wall.to);
        const double fromMiddle =
            std::sqrt(std::max(0.0, wall.radius * wall.radius - chord * chord / 4));
        const double side = (*it)[5] == "1" ? 1 : -1;
        const Point normal{-(wall.to.y - wall.from.y) / chord, (wall.to.x - wall.from.x) / chord};
        wall.centre = {(wall.from.x + wall.to.x) / 2 + side * fromMiddle * normal.x,
                       (wall.from.y + wall.to.y) / 2 + side * fromMiddle * normal.y};
        read.walls.push_back(wall);
    }
    const std::regex circle("<circle cx=\"" + number + "\" cy=\"" + number + "\" r=\"" + number +
                            "\"/>");
    for (std::sregex_iterator it(svg.begin(), svg.end(), circle), end; it != end; ++it) {
        read.dots.push_back(unit((*it)[1], (*it)[2]));
        read.dotRadius = std::stod((*it)[3]);
    }
    return read;
}

bool onSegment(Point point, Point from, Point to) {
    const double length = distance(from, to);
    const double along =
        ((point.x - from.x) * (to.x - from.x) + (point.y - from.y) * (to.y - from.y)) / length;
    const double off =
        std::abs((point.x - from.x) * (to.y - from.y) - (point.y - from.y) * (to.x - from.x)) /
        length;
    return off < kNear && along > -kNear && along < length + kNear;
}

// Whether a drawn wall covers the whole of a side.
bool covers(const DrawnWall& wall, const Side& side) {
    if (wall.arc != side.arc) {
        return false;
    }
    if (!wall.arc) {
        return onSegment(side.from, wall.from, wall.to) && onSegment(side.to, wall.from, wall.to);
    }
    const bool sameEnds =
        (distance(wall.from, side.from) < kNear && distance(wall.to, side.to) < kNear) ||
        (distance(wall.from, side.to) < kNear && distance(wall.to, side.from) < kNear);
    return sameEnds && distance(wall.centre, side.centre) < kNear;
}

// Whether any drawn wall passes through a point.
bool inked(const std::vector<DrawnWall>& walls, Point point) {
    for (const DrawnWall& wall : walls) {
        if (!wall.arc ? onSegment(point, wall.from, wall.to)
                      : std::abs(distance(point, wall.centre) - wall.radius) < kNear &&
                            distance(point, wall.from) < distance(wall.from, wall.to) + kNear &&
                            distance(point, wall.to) < distance(wall.from, wall.to) + kNear) {
            return true;
        }
    }
    return false;
}

// The walls a picture needs: each closed side once, less one for every two
// closed straight sides that continue one another and so make one line.
std::size_t mergedWallCount(const std::vector<SideOf>& sides) {
    std::vector<Side> walls;
    for (const SideOf& side : sides) {
        if (side.closed && (side.side.across == kNoCell || side.cell < side.side.across)) {
            walls.push_back(side.side);
        }
    }
    std::size_t joints = 0;
    for (std::size_t a = 0; a < walls.size(); ++a) {
        for (std::size_t b = a + 1; b < walls.size(); ++b) {
            if (walls[a].arc || walls[b].arc) {
                continue;
            }
            const Point endsA[2] = {walls[a].from, walls[a].to};
            const Point endsB[2] = {walls[b].from, walls[b].to};
            for (int i = 0; i < 2; ++i) {
                for (int j = 0; j < 2; ++j) {
                    // Meeting end to end and heading opposite ways along one line.
                    if (distance(endsA[i], endsB[j]) < kNear &&
                        onSegment(endsA[i], endsA[1 - i], endsB[1 - j])) {
                        ++joints;
                    }
                }
            }
        }
    }
    return walls.size() - joints;
}

struct MazeRow {
    const char* label;
    ShapeMaze maze;
};

std::vector<MazeRow> mazeTable() {
    std::vector<MazeRow> rows;
    for (const unsigned seed : {1u, 2u, 3u}) {
        rows.push_back({"masked rectangle", testing::maskedRectMaze(seed)});
        rows.push_back({"rings", testing::ringMaze(seed)});
    }
    rows.push_back({"rings, all closed", ShapeMaze(std::make_shared<PolarTopology>(2))});
    return rows;
}

// The PNG writer in its usual bands.
void renderPng(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
    renderShapePng(maze, options, out);
}

template <typename Render>
std::string rendered(Render render, const ShapeMaze& maze, const RenderOptions& options) {
    std::stringbuf out;
    render(maze, options, out);
    return std::move(out).str();
}

// Each closed side is drawn by exactly one element, arcs the short way round
// their own centre, no open side is drawn over, the outer edge is whole and
// each route cell has a dot at its centre.
TEST(ShapeSvgRender, DrawsEveryClosedSideOnceAndTheRouteAtCentres) {
    for (const MazeRow& row : mazeTable()) {
        const Topology& topology = row.maze.topology();
        const RenderOptions options{.cell = 16, .route = true};
        const std::string svg = rendered(renderShapeSvg, row.maze, options);
        const ShapeLayout layout(topology, 16);
        EXPECT_NE(svg.find("width=\"" + std::to_string(layout.pictureWidth()) + "\" height=\"" +
                           std::to_string(layout.pictureHeight()) + "\""),
                  std::string::npos)
            << row.label;
        const ReadSvg read = readSvg(svg, layout);
        const std::vector<SideOf> sides = allSides(row.maze);
        EXPECT_EQ(read.walls.size(), mergedWallCount(sides)) << row.label;
        for (const SideOf& side : sides) {
            int drawn = 0;
            for (const DrawnWall& wall : read.walls) {
                drawn += covers(wall, side.side) ? 1 : 0;
            }
            if (side.closed) {
                EXPECT_EQ(drawn, 1)
                    << row.label << ": cell " << side.cell << " towards "
                    << (side.side.across == kNoCell ? std::string("the edge")
                                                    : std::to_string(side.side.across));
            } else {
                EXPECT_FALSE(inked(read.walls, middleOf(side.side)))
                    << row.label << ": open side of cell " << side.cell;
            }
        }
        std::vector<Point> centres;
        for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
            if (topology.isCell(cell) && row.maze.scratch(cell) != 0) {
                centres.push_back(topology.centre(cell));
            }
        }
        ASSERT_EQ(read.dots.size(), centres.size()) << row.label;
        for (std::size_t k = 0; k < centres.size(); ++k) {
            EXPECT_LT(distance(read.dots[k], centres[k]), kNear) << row.label;
        }
        if (!centres.empty()) {
            EXPECT_EQ(read.dotRadius, 2.5) << "the rectangle's dot at 16 pixels a cell";
        }
        EXPECT_TRUE(readSvg(rendered(renderShapeSvg, row.maze, RenderOptions{.cell = 16}), layout)
                        .dots.empty())
            << row.label;
    }
}

// Runs of walls along a row or a column of a plain rectangle are one line
// each, as in the rectangle's own SVG: a closed 3 x 2 maze is 3 lines across
// and 4 down.
TEST(ShapeSvgRender, MergesStraightRunsIntoLines) {
    const ShapeMaze closed(std::make_shared<RectTopology>(CellMask(3, 2)));
    const ReadSvg read = readSvg(rendered(renderShapeSvg, closed, RenderOptions{.cell = 10}),
                                 ShapeLayout(closed.topology(), 10));
    EXPECT_EQ(read.walls.size(), 7u);
    for (const DrawnWall& wall : read.walls) {
        const double length = distance(wall.from, wall.to);
        EXPECT_TRUE(length == 3 || length == 2) << length;
    }
}

int pageCount(const std::string& pdf) {
    const std::regex page(R"(/Type\s*/Page\b)");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

TEST(ShapePdfRender, OnePageOrAnAnswerPageBehindIt) {
    for (const MazeRow& row : mazeTable()) {
        const std::string puzzle = rendered(renderShapePdf, row.maze, RenderOptions{});
        EXPECT_EQ(puzzle.rfind("%PDF-", 0), 0u) << row.label;
        EXPECT_EQ(pageCount(puzzle), 1) << row.label;
        const std::string answered =
            rendered(renderShapePdf, row.maze, RenderOptions{.answer = true});
        EXPECT_EQ(pageCount(answered), 2) << row.label;
        EXPECT_TRUE(answered.ends_with("%%EOF\n")) << row.label;
    }
}

TEST(ShapePdfRender, RefusesAMazeTooBigToPrintBeforeWriting) {
    const ShapeMaze giant(std::make_shared<RectTopology>(CellMask(1000, 1000)));
    std::stringbuf out;
    EXPECT_THROW(renderShapePdf(giant, RenderOptions{}, out), RenderError);
    EXPECT_EQ(out.str(), "");
}

// Darkest grey within a pixel of a point of the drawing.
int darkestNear(const GreyImage& image, const ShapeLayout& layout, Point point) {
    const Point pixel = layout.toPixels(point);
    int darkest = 255;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = static_cast<int>(std::floor(pixel.x)) + dx;
            const int y = static_cast<int>(std::floor(pixel.y)) + dy;
            darkest =
                std::min<int>(darkest, image.grey[static_cast<std::size_t>(y * image.width + x)]);
        }
    }
    return darkest;
}

int greyAt(const GreyImage& image, const ShapeLayout& layout, Point point) {
    const Point pixel = layout.toPixels(point);
    const auto x = static_cast<int>(std::floor(pixel.x));
    const auto y = static_cast<int>(std::floor(pixel.y));
    return image.grey[static_cast<std::size_t>(y * image.width + x)];
}

TEST(ShapePngRender, DarkOnClosedSidesLightOnOpenOnesDotsOnTheRoute) {
    for (const MazeRow& row : mazeTable()) {
        const Topology& topology = row.maze.topology();
        const ShapeLayout layout(topology, 20);
        const GreyImage image =
            decodePng(rendered(renderPng, row.maze, RenderOptions{.cell = 20, .route = true}));
        ASSERT_EQ(image.width, layout.pictureWidth()) << row.label;
        ASSERT_EQ(image.height, layout.pictureHeight()) << row.label;
        for (const SideOf& side : allSides(row.maze)) {
            const Point middle = middleOf(side.side);
            if (side.closed) {
                EXPECT_LT(darkestNear(image, layout, middle), 64)
                    << row.label << ": cell " << side.cell;
            } else {
                EXPECT_GT(greyAt(image, layout, middle), 224)
                    << row.label << ": open side of cell " << side.cell;
            }
        }
        for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
            if (topology.isCell(cell)) {
                const int grey = greyAt(image, layout, topology.centre(cell));
                if (row.maze.scratch(cell) != 0) {
                    EXPECT_LT(grey, 64) << row.label << ": route cell " << cell;
                } else {
                    EXPECT_GT(grey, 224) << row.label << ": cell " << cell;
                }
            }
        }
    }
}

// However narrow the bands (16, 48 and 80 rows here), each one catches every
// wall that crosses it and they join without a seam.
TEST(ShapePngRender, BandsJoinIntoTheSamePicture) {
    for (const MazeRow& row : mazeTable()) {
        const RenderOptions options{.cell = 12, .route = true};
        const GreyImage whole = decodePng(rendered(renderPng, row.maze, options));
        for (const std::int64_t bandBytes : {1, 5'000, 7'000}) {
            std::stringbuf out;
            renderShapePng(row.maze, options, out, bandBytes);
            const GreyImage banded = decodePng(out.str());
            int worst = 0;
            for (std::size_t k = 0; k < whole.grey.size(); ++k) {
                worst = std::max(worst, std::abs(banded.grey[k] - whole.grey[k]));
            }
            EXPECT_EQ(worst, 0) << row.label << ", " << bandBytes;
        }
    }
}

TEST(ShapePngRender, RefusesPicturesItCannotMakeBeforeWriting) {
    // Rows: label, cell size.
    const std::pair<const char*, int> kRows[] = {
        {"cell under 2 pixels", 1},
        {"wider than cairo draws", 6000},
        {"more pixels than allowed", 5400},
        {"sides beyond any viewer", 200'000},
    };
    const ShapeMaze tall(std::make_shared<RectTopology>(CellMask(6, 40)));
    for (const auto& [label, cell] : kRows) {
        std::stringbuf out;
        EXPECT_THROW(renderShapePng(tall, RenderOptions{.cell = cell}, out), RenderError) << label;
        EXPECT_EQ(out.str(), "") << label;
    }
}

}  // namespace
}  // namespace nitka
