#include "carve/braid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "carve/carve_method.h"
#include "grid/grid_from_maze.h"
#include "solver/route_search.h"
#include "support/perfect_maze.h"

namespace nitka {
namespace {

using testing::flagText;

// Inner walls open between two cells of the maze.
std::uint64_t openInnerWalls(const WallGrid& grid) {
    std::uint64_t open = 0;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            const std::size_t i = grid.index({x, y});
            open += (x > 0 && grid.left(i) == Flag::Open ? 1 : 0) +
                    (y > 0 && grid.top(i) == Flag::Open ? 1 : 0);
        }
    }
    return open;
}

WallGrid carved(CarveMethod method, int width, int height, std::uint64_t seed) {
    WallGrid grid(width, height);
    SeededRandom random(seed);
    carveMaze(grid, {method}, random);
    return grid;
}

TEST(Braid, ShareZeroChangesNothingAndDrawsNothing) {
    for (const CarveMethod method : {CarveMethod::Kruskal, CarveMethod::Sidewinder}) {
        WallGrid grid = carved(method, 20, 20, 5);
        const std::string before = flagText(grid);
        SeededRandom random(9);
        SeededRandom untouched = random;
        braid(grid, 0, random);
        EXPECT_EQ(flagText(grid), before);
        EXPECT_EQ(random.Random(1 << 30), untouched.Random(1 << 30));
    }
}

TEST(Braid, ShareOneLeavesNoDeadEndAndTheRouteStillFound) {
    struct Size {
        int width;
        int height;
    };
    for (const auto [width, height] : {Size{10, 10}, Size{10, 50}, Size{23, 17}, Size{50, 50}}) {
        for (const CarveMethod method : {CarveMethod::Kruskal, CarveMethod::BinaryTree,
                                         CarveMethod::RecursiveDivision, CarveMethod::Wilson}) {
            SCOPED_TRACE(std::string(carveMethodInfo(method).name) + " " + std::to_string(width) +
                         " x " + std::to_string(height));
            WallGrid grid = carved(method, width, height, 3);
            ASSERT_GT(countDeadEnds(grid), 0u);
            SeededRandom random(4);
            braid(grid, 1, random);
            EXPECT_EQ(countDeadEnds(grid), 0u);
            EXPECT_GT(openInnerWalls(grid), grid.cellCount() - 1);
            const Position target{width - 1, height - 1};
            const auto route =
                findRoute(testing::mazeFromGrid(grid), width, height, {0, 0}, target);
            ASSERT_GE(route.size(), 2u);
            EXPECT_EQ(route[route.size() - 2], target);
        }
    }
}

TEST(Braid, SharePartRemovesThatShareOfDeadEndsOrOneMore) {
    for (const double share : {0.1, 0.5, 0.9}) {
        for (const std::uint64_t seed : {1u, 2u, 3u}) {
            WallGrid grid = carved(CarveMethod::Prim, 30, 30, seed);
            const std::uint64_t before = countDeadEnds(grid);
            const auto wanted = static_cast<std::uint64_t>(std::llround(share * before));
            SeededRandom random(seed);
            braid(grid, share, random);
            const std::uint64_t after = countDeadEnds(grid);
            EXPECT_LE(after, before - wanted) << share;
            EXPECT_GE(after + 1, before - wanted) << share;

            WallGrid again = carved(CarveMethod::Prim, 30, 30, seed);
            SeededRandom same(seed);
            braid(again, share, same);
            EXPECT_EQ(flagText(again), flagText(grid));
        }
    }
}

WallGrid gridFromPicture(const std::vector<std::string_view>& lines) {
    return testing::gridFromMaze(testing::mazeFromPicture(lines));
}

TEST(Braid, PrefersAWallToANeighbouringDeadEnd) {
    // Cell (1, 0) is the first dead end; of its two closed walls, the one to
    // the right leads to the dead end (2, 0), the one below to a corridor.
    // Opening the right one removes both, leaving (0, 2) one wall to open.
    const WallGrid maze = gridFromPicture({
        "+--+--+--+",
        "|     |  |",
        "+  +--+  +",
        "|     |  |",
        "+--+  +  +",
        "|        |",
        "+--+--+--+",
    });
    const std::string braided = flagText(gridFromPicture({
        "+--+--+--+",
        "|        |",
        "+  +--+  +",
        "|     |  |",
        "+  +  +  +",
        "|        |",
        "+--+--+--+",
    }));
    ASSERT_EQ(countDeadEnds(maze), 3u);
    for (const std::uint64_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        WallGrid grid = maze;
        SeededRandom random(seed);
        braid(grid, 1, random);
        EXPECT_EQ(flagText(grid), braided) << seed;
    }
}

TEST(Braid, CorridorKeepsItsEnds) {
    struct Row {
        int width;
        int height;
        std::uint64_t deadEnds;
    };
    for (const Row row : {Row{1, 1, 0}, Row{2, 1, 2}, Row{1, 9, 2}, Row{9, 1, 2}}) {
        WallGrid grid = carved(CarveMethod::Eller, row.width, row.height, 1);
        const std::string before = flagText(grid);
        SeededRandom random(1);
        braid(grid, 1, random);
        EXPECT_EQ(flagText(grid), before) << row.width << " x " << row.height;
        EXPECT_EQ(countDeadEnds(grid), row.deadEnds) << row.width << " x " << row.height;
    }
}

}  // namespace
}  // namespace nitka
