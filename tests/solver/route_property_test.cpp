#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "solver/literal_search.h"
#include "solver/maze_pictures.h"
#include "solver/route_search.h"

namespace nitka {
namespace {

using testing::literalRoute;
using testing::SizedMaze;

// Flags are drawn so that most small mazes have loops and about half have a
// route, yet none is so open that the reference search, exponential on loops,
// slows the test down (at most some 120,000 cell entries for one maze): 0 55 in
// 100, 1 35 in 100, 2 (open, though drawn as a wall) 10 in 100. Every flag is
// drawn, the outer ones and those that stand for no edge too.
SizedMaze randomMaze(std::mt19937& random) {
    std::uniform_int_distribution<int> side(2, 6);
    std::uniform_int_distribution<int> percent(0, 99);
    const auto flag = [&]() -> std::uint8_t {
        const int p = percent(random);
        return p < 55 ? 0 : p < 90 ? 1 : 2;
    };
    SizedMaze maze;
    maze.width = side(random);
    maze.height = side(random);
    maze.walls = Maze(maze.width + 1, maze.height + 1);
    for (int x = 0; x <= maze.width; ++x) {
        for (int y = 0; y <= maze.height; ++y) {
            maze.walls[x][y].Left = flag();
            maze.walls[x][y].Top = flag();
        }
    }
    return maze;
}

std::string describe(const SizedMaze& maze, Position start, Position target) {
    std::ostringstream text;
    text << maze.width << " x " << maze.height << " from (" << start.x << ", " << start.y
         << ") to (" << target.x << ", " << target.y << "), Left/Top by column:";
    for (int x = 0; x <= maze.width; ++x) {
        text << "\n ";
        for (int y = 0; y <= maze.height; ++y) {
            text << ' ' << int{maze.walls[x][y].Left} << '/' << int{maze.walls[x][y].Top};
        }
    }
    return text.str();
}

// Mostly the corner to corner search a click makes; some starts and targets
// anywhere in the maze, and some targets just outside it.
TEST(RouteSearchAgainstReference, SameRouteOnRandomSmallMazes) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> percent(0, 99);
    int found = 0;
    for (int run = 0; run < 100'000; ++run) {
        const SizedMaze maze = randomMaze(random);
        Position start{0, 0};
        Position target{maze.width - 1, maze.height - 1};
        const int kind = percent(random);
        if (kind < 10) {
            start = {std::uniform_int_distribution<int>(0, maze.width - 1)(random),
                     std::uniform_int_distribution<int>(0, maze.height - 1)(random)};
            target = {std::uniform_int_distribution<int>(0, maze.width - 1)(random),
                      std::uniform_int_distribution<int>(0, maze.height - 1)(random)};
        } else if (kind < 15) {
            target = kind % 2 == 0 ? Position{-1, maze.height - 1} : Position{maze.width, 0};
        }
        const std::vector<Position> expected =
            literalRoute(maze.walls, maze.width, maze.height, start, target);
        ASSERT_EQ(findRoute(maze.walls, maze.width, maze.height, start, target), expected)
            << describe(maze, start, target);
        found += expected.empty() ? 0 : 1;
    }
    // Both outcomes must be common, or the comparison proves little.
    EXPECT_GT(found, 30'000);
    EXPECT_LT(found, 80'000);
}

}  // namespace
}  // namespace nitka
