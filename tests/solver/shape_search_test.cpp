#include "solver/shape_search.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "carve/braid.h"
#include "carve/carve_method.h"
#include "carve/grid_shape_copy.h"
#include "carve/shape_carve.h"
#include "solver/grid_search.h"
#include "support/shape_layouts.h"

namespace nitka {
namespace {

// The cells of a route on the grid, as cell numbers in reading order.
std::vector<CellId> cellsOf(const WallGrid& grid, const GridRoute& route) {
    std::vector<CellId> cells;
    route.forEachCell([&](GridCell cell) { cells.push_back(grid.index(cell)); });
    return cells;
}

std::vector<CellId> cellsOf(const Topology& topology, const ShapeRoute& route) {
    std::vector<CellId> cells;
    visitLayout(topology, [&](const auto& layout) {
        route.forEachCell(layout, [&](CellId cell) { cells.push_back(cell); });
    });
    return cells;
}

// Steps from every cell to target along open sides, by a plain search with
// its own memory; none where it cannot be reached.
std::vector<std::optional<std::uint64_t>> stepsTo(const ShapeMaze& maze, CellId target) {
    const Topology& topology = maze.topology();
    std::vector<std::optional<std::uint64_t>> steps(topology.slotCount());
    std::vector<CellId> level{target};
    steps[target] = 0;
    std::array<CellId, kMaxNeighbours> list{};
    for (std::uint64_t distance = 1; !level.empty(); ++distance) {
        std::vector<CellId> next;
        for (const CellId cell : level) {
            const int count = topology.neighbours(cell, list);
            for (int i = 0; i < count; ++i) {
                const CellId n = list[static_cast<std::size_t>(i)];
                if (!steps[n] && maze.isOpen(cell, n)) {
                    steps[n] = distance;
                    next.push_back(n);
                }
            }
        }
        level = std::move(next);
    }
    return steps;
}

// Whether the cells run from `from` to `to` through open sides between
// neighbours.
::testing::AssertionResult walksOpenSides(const ShapeMaze& maze, const std::vector<CellId>& cells,
                                          CellId from, CellId to) {
    if (cells.empty() || cells.front() != from || cells.back() != to) {
        return ::testing::AssertionFailure() << "the route does not join its ends";
    }
    std::array<CellId, kMaxNeighbours> list{};
    for (std::size_t i = 1; i < cells.size(); ++i) {
        const int count = maze.topology().neighbours(cells[i - 1], list);
        bool beside = false;
        for (int n = 0; n < count; ++n) {
            beside = beside || list[static_cast<std::size_t>(n)] == cells[i];
        }
        if (!beside || !maze.isOpen(cells[i - 1], cells[i])) {
            return ::testing::AssertionFailure() << "a step through a wall at " << i;
        }
    }
    return ::testing::AssertionSuccess();
}

// Mazes with and without loops on squares, through both kinds of carving.
struct GridCase {
    std::string label;
    int width;
    int height;
    CarveOptions options;
};

std::vector<GridCase> gridCases() {
    CarveOptions braided{CarveMethod::Prim};
    braided.braid = 0.5;
    CarveOptions open{CarveMethod::BinaryTree};
    open.braid = 1;
    return {
        {"one cell", 1, 1, {CarveMethod::DepthFirst}},
        {"column", 1, 8, {CarveMethod::Kruskal}},
        {"row", 9, 1, {CarveMethod::Wilson}},
        {"depth-first", 12, 7, {CarveMethod::DepthFirst}},
        {"prim braided", 20, 13, braided},
        {"binary tree fully braided", 40, 40, open},
    };
}

// On squares the general searches walk the cells the grid's fast path walks,
// cell for cell, the shortest route also when its queue overflows into scans.
TEST(ShapeSearch, FindsTheGridsRoutesOnTheSameMaze) {
    for (const auto& sample : gridCases()) {
        for (const std::uint64_t seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(sample.label + " seed " + std::to_string(seed));
            WallGrid grid(sample.width, sample.height);
            SeededRandom random(seed);
            carveMaze(grid, sample.options, random);
            ShapeMaze maze(testing::plainRect(sample.width, sample.height));
            copyGridToShape(grid, maze);
            const CellId cells = maze.topology().cellCount();
            SeededRandom ends(seed + 50);
            for (int pair = 0; pair < 8; ++pair) {
                const CellId from = pair == 0 ? 0 : static_cast<CellId>(ends.Random(int(cells)));
                const CellId to =
                    pair == 0 ? cells - 1 : static_cast<CellId>(ends.Random(int(cells)));
                const GridCell gridFrom{int(from % sample.width), int(from / sample.width)};
                const GridCell gridTo{int(to % sample.width), int(to / sample.width)};
                const auto expected = findGridRoute(grid, gridFrom, gridTo);
                const auto found = findShapeRoute(maze, from, to);
                ASSERT_EQ(found.has_value(), expected.has_value());
                EXPECT_EQ(cellsOf(maze.topology(), *found), cellsOf(grid, *expected));
                for (const std::size_t queue : {kShapeQueueCells, std::size_t{2}}) {
                    const auto shortest = findShortestShapeRoute(maze, from, to, queue);
                    const auto expectedShortest = findShortestRoute(grid, gridFrom, gridTo);
                    ASSERT_TRUE(shortest && expectedShortest);
                    EXPECT_EQ(cellsOf(maze.topology(), *shortest),
                              cellsOf(grid, *expectedShortest));
                }
                EXPECT_TRUE(testing::scratchClear(maze));
            }
        }
    }
}

// On every layout, loops or not: the route walks open sides from one end to
// the other, the shortest one is as short as a plain search says, both are
// refused when the ends lie apart, and marking sets the route's cells only.
TEST(ShapeSearch, RoutesJoinTheirEndsAndTheShortestIsShortestOnEveryLayout) {
    for (const auto& layout : testing::carvingLayouts()) {
        for (const double braid : {0.0, 0.7}) {
            SCOPED_TRACE(layout.label + " braid " + std::to_string(braid));
            ShapeMaze maze(layout.topology);
            CarveOptions options{CarveMethod::GrowingTree};
            options.braid = braid;
            SeededRandom random(11);
            carveShapeMaze(maze, options, random);
            const Topology& topology = maze.topology();
            std::vector<CellId> cells;
            for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
                if (topology.isCell(cell)) {
                    cells.push_back(cell);
                }
            }
            for (std::size_t pair = 0; pair < 10; ++pair) {
                const CellId from = pair == 0 ? topology.start() : cells[(pair * 7) % cells.size()];
                const CellId to = pair == 0 ? topology.target() : cells[(pair * 13) % cells.size()];
                const auto steps = stepsTo(maze, to)[from];
                const auto route = findShapeRoute(maze, from, to);
                const auto shortest = findShortestShapeRoute(maze, from, to, 3);
                ASSERT_EQ(route.has_value(), steps.has_value());
                ASSERT_EQ(shortest.has_value(), steps.has_value());
                if (!steps) {
                    continue;
                }
                EXPECT_TRUE(walksOpenSides(maze, cellsOf(topology, *route), from, to));
                EXPECT_TRUE(walksOpenSides(maze, cellsOf(topology, *shortest), from, to));
                EXPECT_EQ(shortest->moves(), *steps);
                EXPECT_GE(route->moves(), *steps);
                if (braid == 0) {
                    EXPECT_EQ(route->moves(), *steps);
                }

                markRoute(maze, *route);
                std::vector<bool> onRoute(topology.slotCount());
                for (const CellId cell : cellsOf(topology, *route)) {
                    onRoute[cell] = true;
                }
                for (const CellId cell : cells) {
                    EXPECT_EQ(maze.scratch(cell) != 0, onRoute[cell]) << cell;
                }
                maze.clearScratch();
            }
        }
    }
}

TEST(ShapeSearch, RefusesEndsThatAreNoCells) {
    ShapeMaze maze(testing::maskedRect({"###", "#.#", "###"}));
    SeededRandom random(1);
    carveShapeMaze(maze, {CarveMethod::Kruskal}, random);
    for (const auto& [from, to] : {std::pair<CellId, CellId>{4, 0}, {0, 4}, {0, 9}, {kNoCell, 8}}) {
        EXPECT_FALSE(findShapeRoute(maze, from, to)) << from << " to " << to;
        EXPECT_FALSE(findShortestShapeRoute(maze, from, to)) << from << " to " << to;
    }
    EXPECT_TRUE(testing::scratchClear(maze));
}

}  // namespace
}  // namespace nitka
