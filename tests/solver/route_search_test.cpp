#include "solver/route_search.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "solver/maze_pictures.h"

namespace nitka {
namespace {

using testing::boxMaze;
using testing::mazeFromPicture;
using testing::serpentineMaze;
using testing::SizedMaze;

struct RouteRow {
    std::string label;
    std::vector<std::string_view> picture;
    Position start;
    Position target;
    std::vector<Position> route;  // without the end marker
};

class RouteFound : public ::testing::TestWithParam<RouteRow> {};

TEST_P(RouteFound, FirstRouteInStepOrderEndsWithMarker) {
    const RouteRow& row = GetParam();
    const SizedMaze maze = mazeFromPicture(row.picture);
    std::vector<Position> expected = row.route;
    expected.push_back(kEndMarker);
    EXPECT_EQ(findRoute(maze.walls, maze.width, maze.height, row.start, row.target), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Mazes, RouteFound,
    ::testing::Values(
        RouteRow{"DeadEndRightThenDown",
                 {"+--+--+", "|     |", "+  +--+", "|     |", "+--+--+"},
                 {0, 0},
                 {1, 1},
                 {{0, 0}, {0, 1}, {1, 1}}},
        RouteRow{"OfTwoRoutesTheRightHandOne",
                 {"+--+--+--+", "|        |", "+  +--+  +", "|        |", "+--+--+--+"},
                 {0, 0},
                 {2, 1},
                 {{0, 0}, {1, 0}, {2, 0}, {2, 1}}},
        // Right is walled and above leads round to the target, while below would
        // have been two steps shorter.
        RouteRow{"AboveTriedBeforeBelow",
                 {"+--+--+--+", "|        |", "+  +  +--+", "|  |  |  |", "+  +  +  +",
                  "|        |", "+--+--+--+"},
                 {1, 1},
                 {0, 2},
                 {{1, 1}, {1, 0}, {0, 0}, {0, 1}, {0, 2}}},
        RouteRow{"OpenSquareSnakesRowByRow",
                 {"+--+--+--+", "|        |", "+  +  +  +", "|        |", "+  +  +  +",
                  "|        |", "+--+--+--+"},
                 {0, 0},
                 {2, 2},
                 {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1}, {0, 1}, {0, 2}, {1, 2}, {2, 2}}},
        RouteRow{"FlagOfTwoLetsTheRoutePass",
                 {"+--+--+", "|  :  |", "+--+..+", "|  |  |", "+--+--+"},
                 {0, 0},
                 {1, 1},
                 {{0, 0}, {1, 0}, {1, 1}}},
        // Above and left of the start the outer edges are open; they lead nowhere.
        RouteRow{"OpenOuterEdgesAreNotLeft",
                 {"+  +  +", "   |  |", "+  +  +", "      |", "+--+--+"},
                 {0, 0},
                 {1, 1},
                 {{0, 0}, {0, 1}, {1, 1}}},
        RouteRow{"StartOnTarget", {"+--+", "|  |", "+--+"}, {0, 0}, {0, 0}, {{0, 0}}}),
    [](const auto& test) { return test.param.label; });

struct NoRouteRow {
    std::string label;
    SizedMaze maze;
    Position start;
    Position target;
};

class RouteMissing : public ::testing::TestWithParam<NoRouteRow> {};

TEST_P(RouteMissing, GivesNothing) {
    const NoRouteRow& row = GetParam();
    EXPECT_TRUE(
        findRoute(row.maze.walls, row.maze.width, row.maze.height, row.start, row.target).empty());
}

SizedMaze openBox(int width, int height) {
    return boxMaze(width, height, false);
}

INSTANTIATE_TEST_SUITE_P(
    Mazes, RouteMissing,
    ::testing::Values(NoRouteRow{"TargetWalledOff", boxMaze(3, 3, true), {0, 0}, {2, 2}},
                      NoRouteRow{"TargetBelowMaze", openBox(3, 3), {0, 0}, {2, 3}},
                      NoRouteRow{"TargetLeftOfMaze", openBox(1, 4), {0, 0}, {-1, 3}},
                      NoRouteRow{"StartOutside", openBox(3, 3), {3, 0}, {2, 2}}),
    [](const auto& test) { return test.param.label; });

bool neighbours(Position a, Position b) {
    return std::abs(a.x - b.x) + std::abs(a.y - b.y) == 1;
}

// Ten thousand levels deep: this would need as many nested calls if the search
// recursed.
TEST(RouteSearchDepth, RouteThroughEveryCellOfTheLargestMaze) {
    const SizedMaze maze = serpentineMaze(100, 100);
    const std::vector<Position> route = findRoute(maze.walls, 100, 100, {0, 0}, {0, 99});
    ASSERT_EQ(route.size(), 10'001u);
    EXPECT_EQ(route.front(), (Position{0, 0}));
    EXPECT_EQ(route[9'999], (Position{0, 99}));
    EXPECT_EQ(route.back(), kEndMarker);
    for (std::size_t n = 1; n < 10'000; ++n) {
        ASSERT_TRUE(neighbours(route[n - 1], route[n])) << "step " << n;
    }
}

// The first step leads into a dead-end block of 99 x 99 cells joined by
// countless routes: a search that entered a cell once per route would not end.
TEST(RouteSearchLoops, LeavesTheLargestDecoyBlockForTheCorridor) {
    const SizedMaze maze = testing::decoyMaze(100);
    std::vector<Position> expected;
    for (int y = 0; y < 100; ++y) {
        expected.push_back({0, y});
    }
    for (int x = 1; x < 100; ++x) {
        expected.push_back({x, 99});
    }
    expected.push_back(kEndMarker);
    EXPECT_EQ(findRoute(maze.walls, 100, 100, {0, 0}, {99, 99}), expected);
}

}  // namespace
}  // namespace nitka
