#include "carve/shape_carve.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "carve/braid.h"
#include "carve/carve_with.h"
#include "carve/grid_shape_copy.h"
#include "support/perfect_maze.h"
#include "support/shape_layouts.h"

namespace nitka {
namespace {


struct Method {
    std::string label;
    CarveOptions options;
};

// Every method that carves any shape, growing tree with each pick.
std::vector<Method> everyShapeMethods() {
    std::vector<Method> methods;
    for (const auto& info : carveMethods()) {
        if (info.method != CarveMethod::GrowingTree && carvesEveryShape(info.method)) {
            methods.push_back({std::string(info.name), {info.method}});
        }
    }
    for (const auto& [label, pick, share] :
         {std::tuple{"growing-tree newest", GrowingTreePick::Newest, 0.0},
          std::tuple{"growing-tree random", GrowingTreePick::Random, 0.0},
          std::tuple{"growing-tree oldest", GrowingTreePick::Oldest, 0.0},
          std::tuple{"growing-tree mix:0.3", GrowingTreePick::Mix, 0.3}}) {
        methods.push_back({label, {CarveMethod::GrowingTree, pick, share}});
    }
    return methods;
}

ShapeMaze carved(const testing::Layout& layout, const CarveOptions& options, std::uint64_t seed) {
    ShapeMaze maze(layout.topology);
    SeededRandom random(seed);
    carveWith(maze, options, random);
    return maze;
}

// Every method is one template over the layout: carving a ShapeMaze of a
// plain rectangle makes the grid's maze and leaves the source at the same
// place (the random walks included, which step as the rectangle steps).
TEST(ShapeCarving, TheGeneralCarversMakeTheRectanglesMazes) {
    struct Size {
        int width;
        int height;
    };
    for (const auto& method : everyShapeMethods()) {
        for (const auto [width, height] : {Size{1, 1}, Size{1, 7}, Size{7, 1}, Size{2, 3},
                                           Size{8, 8}, Size{31, 17}, Size{60, 45}}) {
            for (const std::uint64_t seed : {1u, 77u, 1234567u}) {
                SCOPED_TRACE(method.label + " " + std::to_string(width) + " x " +
                             std::to_string(height) + " seed " + std::to_string(seed));
                WallGrid grid(width, height);
                SeededRandom gridRandom(seed);
                carveMaze(grid, method.options, gridRandom);
                const testing::Layout layout{"", testing::plainRect(width, height)};
                ShapeMaze maze(layout.topology);
                SeededRandom shapeRandom(seed);
                carveWith(maze, method.options, shapeRandom);
                ASSERT_TRUE(testing::flagText(gridFromShape(maze)) == testing::flagText(grid));
                EXPECT_EQ(shapeRandom.Random(1 << 30), gridRandom.Random(1 << 30));
            }
        }
    }
}

// A plain rectangle goes to the rectangle's own carvers, braid included: the
// same seed makes the same maze as it always has, for every method.
TEST(ShapeCarving, APlainRectangleKeepsEveryMethodsMazeBraidIncluded) {
    for (const auto& info : carveMethods()) {
        for (const double share : {0.0, 0.4}) {
            SCOPED_TRACE(std::string(info.name) + " braid " + std::to_string(share));
            CarveOptions options{info.method};
            options.braid = share;
            WallGrid grid(23, 14);
            SeededRandom gridRandom(9);
            carveMaze(grid, options, gridRandom);
            ShapeMaze maze(testing::plainRect(23, 14));
            SeededRandom shapeRandom(9);
            ASSERT_EQ(shapeCarveRefusal(info.method, maze.topology()), "");
            carveShapeMaze(maze, options, shapeRandom);
            EXPECT_TRUE(testing::flagText(gridFromShape(maze)) == testing::flagText(grid));
            EXPECT_TRUE(testing::scratchClear(maze));
        }
    }
}

TEST(ShapeBraid, OpensTheRectanglesWallsOnTheSameMaze) {
    for (const CarveMethod method : {CarveMethod::Prim, CarveMethod::Sidewinder}) {
        for (const double share : {0.0, 0.3, 1.0}) {
            WallGrid grid(30, 20);
            SeededRandom carving(5);
            carveMaze(grid, {method}, carving);
            ShapeMaze maze(testing::plainRect(30, 20));
            copyGridToShape(grid, maze);
            SeededRandom gridRandom(6);
            SeededRandom shapeRandom(6);
            braid(grid, share, gridRandom);
            braid(maze, share, shapeRandom);
            EXPECT_TRUE(testing::flagText(gridFromShape(maze)) == testing::flagText(grid));
            EXPECT_EQ(countDeadEnds(maze), countDeadEnds(grid));
            EXPECT_EQ(shapeRandom.Random(1 << 30), gridRandom.Random(1 << 30));
        }
    }
}

// A cell with a single neighbour is a dead end with no side left to open.
bool noCellWithOneNeighbour(const Topology& topology) {
    std::array<CellId, kMaxNeighbours> list{};
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (topology.isCell(cell) && topology.neighbours(cell, list) == 1) {
            return false;
        }
    }
    return true;
}

// Every layout: the share of dead ends asked for goes, or one more, where
// every dead end has a side left to open; never a new one; the pieces stay.
TEST(ShapeBraid, RemovesTheShareOfDeadEndsAskedForOnEveryLayout) {
    for (const auto& layout : testing::carvingLayouts()) {
        for (const double share : {0.0, 0.25, 0.6, 1.0}) {
            for (const std::uint64_t seed : {1u, 2u, 3u}) {
                SCOPED_TRACE(layout.label + " share " + std::to_string(share) + " seed " +
                             std::to_string(seed));
                ShapeMaze maze = carved(layout, {CarveMethod::Kruskal}, seed);
                const std::uint64_t before = countDeadEnds(maze);
                const std::uint64_t sides = testing::openSides(maze);
                const auto wanted = static_cast<std::uint64_t>(std::llround(share * before));
                SeededRandom random(seed + 100);
                braid(maze, share, random);
                const std::uint64_t after = countDeadEnds(maze);
                if (noCellWithOneNeighbour(*layout.topology)) {
                    EXPECT_LE(after, before - wanted);
                    EXPECT_GE(after + 1, before - wanted);
                } else {
                    EXPECT_LE(after, before);
                }
                EXPECT_GE(testing::openSides(maze), sides);
                EXPECT_EQ(testing::joinedPieces(maze), layout.islands);
                EXPECT_TRUE(testing::scratchClear(maze));
            }
        }
    }
}

TEST(ShapeCarveRefusal, RefusesOnlyWhatCannotBeCarved) {
    const auto hexagons = makeTopology(ShapeKind::Hex, 40, 30);
    const auto ring = testing::maskedRect({"####", "#..#", "####"});
    const auto giantHexagons = makeTopology(ShapeKind::Hex, 30000, 30000);
    const auto giantSquares = testing::plainRect(30000, 30000);
    const auto squares = testing::plainRect(9, 9);
    struct Row {
        std::string label;
        CarveMethod method;
        const Topology* topology;
        std::string refusal;  // empty: carves; else a part of the line
    };
    const std::vector<Row> rows{
        {"eller on squares", CarveMethod::Eller, squares.get(), ""},
        {"depth-first on hexagons", CarveMethod::DepthFirst, hexagons.get(), ""},
        {"wilson on a mask", CarveMethod::Wilson, ring.get(), ""},
        {"eller on hexagons", CarveMethod::Eller, hexagons.get(),
         "eller: works on a plain rectangle of squares only; on other shapes and masks use "
         "depth-first, prim, kruskal, wilson, aldous-broder, hunt-and-kill, growing-tree"},
        {"binary tree on a mask", CarveMethod::BinaryTree, ring.get(), "binary-tree: works on"},
        {"sidewinder on hexagons", CarveMethod::Sidewinder, hexagons.get(), "sidewinder: works"},
        {"division on a mask", CarveMethod::RecursiveDivision, ring.get(), "recursive-division"},
        {"wilson on giant hexagons", CarveMethod::Wilson, giantHexagons.get(),
         "wilson: a maze of 900000000 cells takes about"},
        {"aldous-broder on giant hexagons", CarveMethod::AldousBroder, giantHexagons.get(),
         "wilson makes the same kind of maze faster"},
        {"kruskal on giant hexagons", CarveMethod::Kruskal, giantHexagons.get(), ""},
        {"wilson on giant squares", CarveMethod::Wilson, giantSquares.get(),
         carveRefusal(CarveMethod::Wilson, 30000, 30000)},
    };
    for (const auto& row : rows) {
        const std::string refusal = shapeCarveRefusal(row.method, *row.topology);
        if (row.refusal.empty()) {
            EXPECT_EQ(refusal, "") << row.label;
        } else {
            EXPECT_NE(refusal.find(row.refusal), std::string::npos) << row.label << ": " << refusal;
        }
    }
}

}  // namespace
}  // namespace nitka
