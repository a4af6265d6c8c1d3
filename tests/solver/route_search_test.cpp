#include "solver/route_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "solver/literal_search.h"
#include "solver/maze_pictures.h"

namespace nitka {
namespace {

using testing::SizedMaze;

TEST(FindRoute, GivesTheFirstRouteInStepOrder) {
    struct Row {
        const char* label;
        std::vector<std::string_view> picture;
        std::vector<Position> route;  // corner to corner
    };
    const Row rows[] = {
        {"dead end right, so down",
         {"+--+--+", "|     |", "+  +--+", "|     |", "+--+--+"},
         {{0, 0}, {0, 1}, {1, 1}, kEndMarker}},
        {"of two routes the one to the right",
         {"+--+--+--+", "|        |", "+  +--+  +", "|        |", "+--+--+--+"},
         {{0, 0}, {1, 0}, {2, 0}, {2, 1}, kEndMarker}},
        {"a flag of 2 lets the route pass",
         {"+--+--+", "|  :  |", "+--+..+", "|  |  |", "+--+--+"},
         {{0, 0}, {1, 0}, {1, 1}, kEndMarker}},
        {"open outer edges above and left lead nowhere",
         {"+  +  +", "   |  |", "+  +  +", "      |", "+--+--+"},
         {{0, 0}, {0, 1}, {1, 1}, kEndMarker}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const SizedMaze maze = testing::mazeFromPicture(row.picture);
        const Position target{maze.width - 1, maze.height - 1};
        EXPECT_EQ(findRoute(maze.walls, maze.width, maze.height, {0, 0}, target), row.route);
    }
}

// Ten thousand levels deep: this would need as many nested calls if the search
// recursed. The only route runs along row 0 to the right, down at the end, back
// along row 1, and so on. No outer walls: the search takes no step out anyway.
TEST(RouteSearchLimits, RouteThroughEveryCellOfTheLargestMaze) {
    Maze walls(101, 101);
    std::vector<Position> expected;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            walls[x][y].Top = y > 0 && x != (y % 2 == 1 ? 99 : 0) ? 1 : 0;
            expected.push_back({y % 2 == 0 ? x : 99 - x, y});
        }
    }
    expected.push_back(kEndMarker);
    EXPECT_EQ(findRoute(walls, 100, 100, {0, 0}, {0, 99}), expected);
}

// The first step, right, leads into an open dead-end block of 99 x 99 cells,
// walled off from column 0 and the bottom row that make the route. A search that
// entered a cell once per route through the block would not end.
TEST(RouteSearchLimits, LeavesTheLargestDecoyBlockForTheCorridor) {
    Maze walls(101, 101);
    std::vector<Position> expected;
    for (int y = 0; y < 100; ++y) {
        walls[1][y].Left = y > 0 && y < 99 ? 1 : 0;
        expected.push_back({0, y});
    }
    for (int x = 1; x < 100; ++x) {
        walls[x][99].Top = 1;
        expected.push_back({x, 99});
    }
    expected.push_back(kEndMarker);
    EXPECT_EQ(findRoute(walls, 100, 100, {0, 0}, {99, 99}), expected);
}

// Flags 0, 1 and 2 drawn 55, 35 and 10 in 100, outer ones too: most mazes have
// loops, about half a route, and none is open enough to slow the reference down.
// Mostly corner to corner as a click searches; some from and to any cell, some
// to a target just outside.
TEST(RouteSearchAgainstReference, SameRouteOnRandomSmallMazes) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> percent(0, 99);
    std::discrete_distribution<int> flag({55, 35, 10});
    int found = 0;
    for (int run = 0; run < 100'000; ++run) {
        const int width = std::uniform_int_distribution<int>(2, 6)(random);
        const int height = std::uniform_int_distribution<int>(2, 6)(random);
        SizedMaze maze{width, height, Maze(width + 1, height + 1)};
        for (int x = 0; x <= width; ++x) {
            for (int y = 0; y <= height; ++y) {
                maze.walls[x][y].Left = flag(random);
                maze.walls[x][y].Top = flag(random);
            }
        }
        const auto anyCell = [&] {
            return Position{percent(random) % width, percent(random) % height};
        };
        const bool anywhere = percent(random) < 10;
        const Position start = anywhere ? anyCell() : Position{0, 0};
        const Position target =
            anywhere ? anyCell() : Position{run % 20 == 0 ? width : width - 1, height - 1};

        testing::LiteralSearch literal{
            maze, target, std::vector(width, std::vector<bool>(height)), {}};
        const std::vector<Position> expected =
            literal.ExploreCell(start.x, start.y) ? literal.PathPoints : std::vector<Position>{};
        ASSERT_EQ(findRoute(maze.walls, width, height, start, target), expected) << "run " << run;
        found += expected.empty() ? 0 : 1;
    }
    // Both outcomes must be common, or the comparison proves little.
    EXPECT_GT(found, 30'000);
    EXPECT_LT(found, 80'000);
}

}  // namespace
}  // namespace nitka
