#include "render/maze_solid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <map>
#include <numeric>
#include <streambuf>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "carve/carve_method.h"
#include "carve/grid_shape_copy.h"
#include "model/seeded_random.h"
#include "render/end_marks.h"
#include "render/shape_fixture.h"
#include "shape/make_topology.h"
#include "support/shape_layouts.h"

namespace nitka {
namespace {

using Vec = std::array<float, 3>;
using Exact = std::array<double, 3>;

// A binary STL read back byte by byte, apart from the writer's own code.
struct StlFacet {
    Vec normal;
    std::array<Vec, 3> corner;
};

struct StlFile {
    std::string header;
    std::uint64_t count = 0;
    std::size_t bytes = 0;
    std::vector<StlFacet> facets;
};

std::uint32_t wordAt(const std::string& bytes, std::size_t at) {
    std::uint32_t word = 0;
    for (std::size_t i = 4; i-- > 0;) {
        word = word << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return word;
}

Vec vecAt(const std::string& bytes, std::size_t at) {
    return {std::bit_cast<float>(wordAt(bytes, at)), std::bit_cast<float>(wordAt(bytes, at + 4)),
            std::bit_cast<float>(wordAt(bytes, at + 8))};
}

// Requires: at least the header and the count.
StlFile readStl(const std::string& bytes) {
    StlFile file{bytes.substr(0, 80), wordAt(bytes, 80), bytes.size(), {}};
    for (std::size_t at = 84; at + 50 <= bytes.size(); at += 50) {
        file.facets.push_back(
            {vecAt(bytes, at),
             {vecAt(bytes, at + 12), vecAt(bytes, at + 24), vecAt(bytes, at + 36)}});
    }
    return file;
}

Exact cross(const Vec& a, const Vec& b, const Vec& c) {
    const Exact u{double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
    const Exact v{double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

double dot(const Exact& u, const Exact& v) {
    return u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
}

// What a printer's slicer asks of a solid, found in the file alone.
struct MeshReport {
    std::vector<std::string> faults;  // the first few
    std::size_t shells = 0;
    double volume = 0;
    // Of the flat triangles facing down and those facing up: a solid's
    // bottom covers what its tops do, however it is cut into triangles.
    double bottomArea = 0;
    double topArea = 0;
    Vec low;
    Vec high;
};

void fault(MeshReport& report, const std::string& what) {
    if (report.faults.size() < 5) {
        report.faults.push_back(what);
    }
}

// Every edge, corners told apart by their bits, once in each direction; and
// the shells those edges join the triangles into.
void checkEdges(const StlFile& file, MeshReport& report) {
    using Bits = std::array<std::uint32_t, 3>;
    const auto bits = [](const Vec& v) { return std::bit_cast<Bits>(v); };
    std::map<std::pair<Bits, Bits>, std::vector<std::size_t>> edges;
    for (std::size_t i = 0; i < file.facets.size(); ++i) {
        const auto& c = file.facets[i].corner;
        for (std::size_t k = 0; k < 3; ++k) {
            edges[{bits(c[k]), bits(c[(k + 1) % 3])}].push_back(i);
        }
    }
    std::vector<std::size_t> parent(file.facets.size());
    std::iota(parent.begin(), parent.end(), 0);
    const auto root = [&](std::size_t at) {
        while (parent[at] != at) {
            at = parent[at] = parent[parent[at]];
        }
        return at;
    };
    for (const auto& [edge, users] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        if (users.size() != 1 || back == edges.end() || back->second.size() != 1) {
            fault(report, "an edge of triangle " + std::to_string(users[0]) + " is unpaired");
            continue;
        }
        parent[root(users[0])] = root(back->second[0]);
    }
    for (std::size_t i = 0; i < parent.size(); ++i) {
        report.shells += root(i) == i ? 1 : 0;
    }
}

MeshReport examine(const StlFile& file) {
    const float far = std::numeric_limits<float>::max();
    MeshReport report{{}, 0, 0, 0, 0, {far, far, far}, {-far, -far, -far}};
    if (file.header.starts_with("solid")) {
        fault(report, "a header like a text STL's");
    }
    if (file.bytes != 84 + 50 * file.count) {
        fault(report, std::to_string(file.bytes) + " bytes for " + std::to_string(file.count));
    }
    for (std::size_t i = 0; i < file.facets.size(); ++i) {
        const auto& [normal, c] = file.facets[i];
        const Exact turned = cross(c[0], c[1], c[2]);
        const double area = std::sqrt(dot(turned, turned));
        if (!(dot(turned, {normal[0], normal[1], normal[2]}) > 0.99 * area && area > 0)) {
            fault(report, "triangle " + std::to_string(i) + " is flat or its normal disagrees");
        }
        report.volume += dot({c[0][0], c[0][1], c[0][2]}, cross({0, 0, 0}, c[1], c[2])) / 6;
        if (c[0][2] == c[1][2] && c[1][2] == c[2][2]) {
            (turned[2] > 0 ? report.topArea : report.bottomArea) += area / 2;
        }
        for (const Vec& corner : c) {
            for (std::size_t k = 0; k < 3; ++k) {
                report.low[k] = std::min(report.low[k], corner[k]);
                report.high[k] = std::max(report.high[k], corner[k]);
            }
        }
    }
    checkEdges(file, report);
    return report;
}

constexpr double kCellMm = 5;
constexpr float kBaseMm = 1.5f;
constexpr float kTopMm = 5.5f;

RenderOptions solidOptions(double wallMm, Marks marks = Marks::Openings) {
    RenderOptions options;
    options.mm.cell = kCellMm;
    options.mm.wall = wallMm;
    options.mm.base = kBaseMm;
    options.mm.height = kTopMm - kBaseMm;
    options.marks = marks;
    return options;
}

template <typename Maze>
std::string stlOf(const Maze& maze, const RenderOptions& options) {
    std::stringbuf out;
    if constexpr (std::is_same_v<Maze, WallGrid>) {
        renderGridStl(maze, options, out);
    } else {
        renderShapeStl(maze, options, out);
    }
    return std::move(out).str();
}

WallGrid carvedGrid(int width, int height, double braid) {
    WallGrid grid(width, height);
    SeededRandom random(1);
    carveMaze(grid, CarveOptions{CarveMethod::DepthFirst, GrowingTreePick::Mix, 0.5, braid},
              random);
    return grid;
}

ShapeMaze carvedShape(ShapeKind kind, int width, int height) {
    return testing::carvedMaze(makeTopology(kind, width, height), 6);
}

// A perfect maze with every side in a block of cells opened, so that some
// junctions have no wall at all.
ShapeMaze braidedMaze() {
    ShapeMaze maze = carvedShape(ShapeKind::Rect, 8, 7);
    const Topology& topology = maze.topology();
    for (int y = 2; y < 6; ++y) {
        for (int x = 2; x < 6; ++x) {
            const CellId cell = topology.cellAt({x, y});
            maze.setOpen(cell, topology.cellAt({x + 1, y}), true);
            maze.setOpen(cell, topology.cellAt({x, y + 1}), true);
        }
    }
    return maze;
}

// Two blocks of cells meeting at one corner only, a hole on either side.
ShapeMaze cornerMaze() {
    return testing::carvedMaze(testing::maskedRect({"##..", "##..", "..##", "..##"}), 2);
}

// Every shape at small and odd sizes, walls thin and as thick as the planner
// allows, with and without openings; a braided maze, blocks meeting at a
// corner, grids. Layouts in pieces make a shell a piece; blocks meeting at a
// corner are one. No more triangles than solidCost promises.
TEST(MazeSolid, IsClosedWoundOneWayAndOneShellAPiece) {
    for (const testing::Layout& layout : testing::carvingLayouts()) {
        const ShapeMaze maze = testing::carvedMaze(layout.topology, 3);
        for (const double wall : {kCellMm / 20, kCellMm / 4}) {
            for (const Marks marks : {Marks::Openings, Marks::None}) {
                const StlFile file = readStl(stlOf(maze, solidOptions(wall, marks)));
                const MeshReport report = examine(file);
                EXPECT_EQ(report.faults, std::vector<std::string>{}) << layout.label << wall;
                EXPECT_EQ(report.shells, layout.islands) << layout.label;
                EXPECT_GT(report.volume, 0) << layout.label;
                EXPECT_NEAR(report.bottomArea, report.topArea, 1e-6 * report.topArea)
                    << layout.label;
                EXPECT_LE(file.count, solidCost(*layout.topology).triangles) << layout.label;
            }
        }
    }
    const std::pair<const char*, std::string> more[] = {
        {"braided", stlOf(braidedMaze(), solidOptions(1.25))},
        {"blocks meeting at a corner", stlOf(cornerMaze(), solidOptions(1.25))},
        {"braided grid", stlOf(carvedGrid(9, 6, 1), solidOptions(1.25))},
        {"grid of one cell", stlOf(WallGrid(1, 1), solidOptions(1))},
    };
    for (const auto& [label, stl] : more) {
        const MeshReport report = examine(readStl(stl));
        EXPECT_EQ(report.faults, std::vector<std::string>{}) << label;
        EXPECT_EQ(report.shells, 1u) << label;
        EXPECT_NEAR(report.bottomArea, report.topArea, 1e-6 * report.topArea) << label;
    }
}

// The highest top surface over a point of the plan, 0 where none is.
float heightAt(const StlFile& file, Point at) {
    float height = 0;
    for (const StlFacet& facet : file.facets) {
        const auto& c = facet.corner;
        const auto inside = [&](const Vec& a, const Vec& b) {
            return (double(b[0]) - a[0]) * (at.y - a[1]) - (double(b[1]) - a[1]) * (at.x - a[0]) >=
                   0;
        };
        if (cross(c[0], c[1], c[2])[2] > 0 && inside(c[0], c[1]) && inside(c[1], c[2]) &&
            inside(c[2], c[0])) {
            height = std::max(height, c[0][2]);
        }
    }
    return height;
}

Point middleOf(const Side& side) {
    const Point chord{(side.from.x + side.to.x) / 2, (side.from.y + side.to.y) / 2};
    if (!side.arc) {
        return chord;
    }
    const double radius = std::hypot(side.from.x - side.centre.x, side.from.y - side.centre.y);
    const double away = std::hypot(chord.x - side.centre.x, chord.y - side.centre.y);
    return {side.centre.x + (chord.x - side.centre.x) * radius / away,
            side.centre.y + (chord.y - side.centre.y) * radius / away};
}

// The solid stands on z = 0 at x = y = 0 over the drawing's extent and a
// wall, but where a mitre on a sharp corner of the edge stands further out:
// a hexagon's point, and a triangle's corner where two cells meet on the
// edge, by half a wall over sin 60 degrees. Placed so, scaled, y up, the
// drawing has the walls' top over the middle of every wall, the plate's over
// that of every passage and opening, and nothing over a hole.
TEST(MazeSolid, StandsOverTheDrawingWithItsWallsRaised) {
    const double point = 1 / std::sqrt(3.0);
    const struct {
        const char* label;
        ShapeMaze maze;
        Point beyond;  // the extent, in millimetres
        double near;
    } rows[] = {
        {"rect", carvedShape(ShapeKind::Rect, 7, 5), {1, 1}, 1e-3},
        {"hex", carvedShape(ShapeKind::Hex, 6, 5), {1, 2 * point}, 1e-3},
        {"triangle", carvedShape(ShapeKind::Triangle, 7, 4), {2 * point, 1}, 1e-3},
        // A chord's end mitred on the outer circle stands out by half a wall
        // over cos 5 degrees.
        {"polar", carvedShape(ShapeKind::Polar, 1, 3), {1, 1}, 5e-3},
        {"mask", testing::maskedRectMaze(6), {1, 1}, 1e-3},
        {"blocks meeting at a corner", cornerMaze(), {1, 1}, 1e-3},
        {"braided", braidedMaze(), {1, 1}, 1e-3},
    };
    for (const auto& [label, maze, beyond, near] : rows) {
        const Point margin{beyond.x / 2, beyond.y / 2};  // on each side
        const Topology& topology = maze.topology();
        const EndMarks marks = placeEndMarks(topology, Marks::Openings);
        const StlFile file = readStl(stlOf(maze, solidOptions(1)));
        const MeshReport report = examine(file);
        const Point extent = topology.extent();
        EXPECT_EQ(report.low, (Vec{0, 0, 0})) << label;
        EXPECT_NEAR(report.high[0], extent.x * kCellMm + beyond.x, near) << label;
        EXPECT_NEAR(report.high[1], extent.y * kCellMm + beyond.y, near) << label;
        EXPECT_EQ(report.high[2], kTopMm) << label;
        const auto place = [&](Point at) {
            return Point{at.x * kCellMm + margin.x, (extent.y - at.y) * kCellMm + margin.y};
        };
        std::vector<Side> outline;
        for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
            if (!topology.isCell(cell)) {
                const CellPosition at = topology.position(cell);
                EXPECT_EQ(heightAt(file, place({at.x + 0.5, at.y + 0.5})), 0) << label << cell;
                continue;
            }
            topology.outline(cell, outline);
            for (int index = 0; index < static_cast<int>(outline.size()); ++index) {
                const Side& side = outline[static_cast<std::size_t>(index)];
                const bool wall = (side.across == kNoCell || !maze.isOpen(cell, side.across)) &&
                                  !marks.opens(cell, index);
                EXPECT_EQ(heightAt(file, place(middleOf(side))), wall ? kTopMm : kBaseMm)
                    << label << ": cell " << cell << " side " << index;
            }
        }
        EXPECT_GE(std::max(marks.start.opening, marks.target.opening), 0) << label;
    }
}

// The grid's own way in, its frame's openings included, makes the same solid
// as the same maze on the rectangle's layout.
TEST(MazeSolid, AGridMakesTheSolidOfItsShapeMaze) {
    const WallGrid grid = carvedGrid(9, 6, 0.3);
    ShapeMaze maze(makeTopology(ShapeKind::Rect, 9, 6));
    copyGridToShape(grid, maze);
    EXPECT_EQ(stlOf(grid, solidOptions(1)), stlOf(maze, solidOptions(1)));
}

// Sizes a solid cannot have and walls it cannot build are refused before a
// byte is written.
TEST(MazeSolid, RefusesWhatItCannotBuildAndWritesNothing) {
    const auto with = [](double Millimetres::*size, double value) {
        RenderOptions options = solidOptions(1);
        options.mm.*size = value;
        return options;
    };
    const std::pair<const char*, RenderOptions> rows[] = {
        {"no cell size", with(&Millimetres::cell, 0)},
        {"cells of no number", with(&Millimetres::cell, std::nan(""))},
        {"endless height", with(&Millimetres::height, HUGE_VAL)},
        {"negative walls", with(&Millimetres::wall, -1)},
        {"no base", with(&Millimetres::base, 0)},
        {"cells past single precision", with(&Millimetres::cell, 1e38)},
        {"walls as thick as the cells", with(&Millimetres::wall, kCellMm)},
        {"walls too thin to tell their sides apart", with(&Millimetres::wall, 1e-7)},
        {"walls too low to tell from the plate", with(&Millimetres::height, 1e-9)},
        {"a plate too thin to tell from the ground", with(&Millimetres::base, 1e-50)},
    };
    const ShapeMaze maze = carvedShape(ShapeKind::Hex, 6, 5);
    for (const auto& [label, options] : rows) {
        std::stringbuf out;
        EXPECT_THROW(renderShapeStl(maze, options, out), RenderError) << label;
        EXPECT_EQ(out.str(), "") << label;
    }
}

TEST(MazeSolid, AFailedWriteIsAnError) {
    std::filebuf closed;  // takes no byte
    EXPECT_THROW(renderGridStl(carvedGrid(30, 30, 0), solidOptions(1), closed), RenderError);
}

}  // namespace
}  // namespace nitka
