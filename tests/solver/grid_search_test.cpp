#include "solver/grid_search.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "grid/grid_from_maze.h"
#include "solver/maze_pictures.h"
#include "solver/route_search.h"

namespace nitka {
namespace {

using testing::SizedMaze;

// Flags 0, 1 and two values of the Other class drawn 55, 35, 6 and 4 in 100,
// outer ones too: most mazes have loops, and about half a route between two
// given cells. The wall array and the compact grid hold the same flags.
struct RandomMaze {
    SizedMaze maze;
    WallGrid grid;
};

RandomMaze randomMaze(std::mt19937& random, int largestSide) {
    std::uniform_int_distribution<int> side(1, largestSide);
    std::discrete_distribution<int> flag({55, 35, 6, 0, 0, 0, 0, 0, 0, 4});
    const int width = side(random);
    const int height = side(random);
    SizedMaze maze{width, height, Maze(width + 1, height + 1)};
    for (int x = 0; x <= width; ++x) {
        for (int y = 0; y <= height; ++y) {
            maze.walls[x][y].Left = static_cast<std::uint8_t>(flag(random));
            maze.walls[x][y].Top = static_cast<std::uint8_t>(flag(random));
        }
    }
    WallGrid grid = testing::gridFromMaze(maze);
    // What an earlier algorithm might have left behind.
    for (std::size_t at = 0; at < grid.cellCount(); ++at) {
        grid.setScratch(at, static_cast<std::uint8_t>(random() % 16));
    }
    return {std::move(maze), std::move(grid)};
}

// Mostly corner to corner as the companion asks; some from and to any cell,
// and a few to a cell just outside.
std::array<Position, 2> randomEnds(std::mt19937& random, int run, int width, int height) {
    const auto anyCell = [&] {
        return Position{static_cast<int>(random() % static_cast<unsigned>(width)),
                        static_cast<int>(random() % static_cast<unsigned>(height))};
    };
    if (random() % 10 == 0) {
        return {anyCell(), anyCell()};
    }
    return {Position{0, 0}, Position{run % 20 == 0 ? width : width - 1, height - 1}};
}

std::vector<Position> cellsOf(const std::optional<GridRoute>& route) {
    std::vector<Position> cells;
    if (route) {
        route->forEachCell([&](GridCell cell) { cells.push_back({cell.x, cell.y}); });
    }
    return cells;
}

bool scratchClear(const WallGrid& grid) {
    for (std::size_t at = 0; at < grid.cellCount(); ++at) {
        if (grid.scratch(at) != 0) {
            return false;
        }
    }
    return true;
}

GridCell gridCell(Position cell) {
    return {cell.x, cell.y};
}

// Runs check(maze, grid, from, to) on random mazes up to largestSide on a side;
// check says whether there was a route. Both outcomes must be common, or the
// comparison proves little.
template <typename Check>
void onRandomMazes(std::uint32_t seed, int runs, int largestSide, Check check) {
    std::mt19937 random(seed);
    int found = 0;
    for (int run = 0; run < runs && !::testing::Test::HasFatalFailure(); ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        auto [maze, grid] = randomMaze(random, largestSide);
        const auto [from, to] = randomEnds(random, run, maze.width, maze.height);
        found += check(maze, grid, from, to) ? 1 : 0;
        ASSERT_TRUE(scratchClear(grid));
    }
    EXPECT_GT(found, runs * 3 / 10);
    EXPECT_LT(found, runs * 7 / 10);
}

TEST(GridRouteAgainstWindowSearch, SameRouteOnRandomSmallMazes) {
    onRandomMazes(
        20240612, 30'000, 6, [](const SizedMaze& maze, WallGrid& grid, Position from, Position to) {
            std::vector<Position> expected =
                findRoute(maze.walls, maze.width, maze.height, from, to);
            if (!expected.empty()) {
                expected.pop_back();  // the end marker
            }
            EXPECT_EQ(cellsOf(findGridRoute(grid, gridCell(from), gridCell(to))), expected);
            return !expected.empty();
        });
}

// Plain breadth-first search from the target over the window search's rule,
// then from the start at every cell the first step in Step order that comes
// one nearer: the route findShortestRoute promises. Empty when there is none.
std::vector<Position> referenceShortest(const SizedMaze& maze, Position from, Position to) {
    const auto inside = [&](Position cell) {
        return cell.x >= 0 && cell.x < maze.width && cell.y >= 0 && cell.y < maze.height;
    };
    if (!inside(from) || !inside(to)) {
        return {};
    }
    std::vector<std::vector<int>> distance(maze.width, std::vector<int>(maze.height, -1));
    const auto step = [&](Position cell, int s) {
        return Position{cell.x + kStepDx[s], cell.y + kStepDy[s]};
    };
    const auto open = [&](Position cell, int s) {
        return inside(step(cell, s)) &&
               EdgeOpen(maze.walls, cell.x, cell.y, kStepDx[s], kStepDy[s]);
    };
    std::deque<Position> queue{to};
    distance[to.x][to.y] = 0;
    while (!queue.empty()) {
        const Position cell = queue.front();
        queue.pop_front();
        for (int s = 0; s < 4; ++s) {
            const Position next = step(cell, s);
            if (open(cell, s) && distance[next.x][next.y] < 0) {
                distance[next.x][next.y] = distance[cell.x][cell.y] + 1;
                queue.push_back(next);
            }
        }
    }
    if (distance[from.x][from.y] < 0) {
        return {};
    }
    std::vector<Position> route{from};
    while (route.back() != to) {
        const Position cell = route.back();
        int s = 0;
        while (!open(cell, s) ||
               distance[step(cell, s).x][step(cell, s).y] != distance[cell.x][cell.y] - 1) {
            ++s;
        }
        route.push_back(step(cell, s));
    }
    return route;
}

// Larger mazes than above, for levels wider than the small queues: those must
// fall back to scanning and still give the very same route.
TEST(ShortestRouteAgainstPlainSearch, SameRouteOnRandomLoopyMazes) {
    int run = 0;
    onRandomMazes(
        20240613, 20'000, 12,
        [&](const SizedMaze& maze, WallGrid& grid, Position from, Position to) {
            const std::vector<Position> expected = referenceShortest(maze, from, to);
            EXPECT_EQ(cellsOf(findShortestRoute(grid, gridCell(from), gridCell(to))), expected);
            const std::size_t smallQueue = 1 + static_cast<std::size_t>(run++ % 4);
            EXPECT_EQ(cellsOf(findShortestRoute(grid, gridCell(from), gridCell(to), smallQueue)),
                      expected)
                << "queue of " << smallQueue;
            return !expected.empty();
        });
}

// The first step, right, leads into an open dead-end block of 999 x 999 cells,
// walled off from column 0 and the bottom row that make the only route. A
// search that entered a cell once per route through the block would not end.
TEST(GridSearchLimits, BothSearchesTakeTheCorridorPastALargeDecoyBlock) {
    constexpr int kSide = 1000;
    WallGrid grid(kSide, kSide);
    grid.setLeft(grid.index({1, 0}), Flag::Open);
    for (int i = 1; i < kSide; ++i) {
        grid.setTop(grid.index({0, i}), Flag::Open);
        grid.setLeft(grid.index({i, kSide - 1}), Flag::Other);
    }
    for (int x = 1; x < kSide; ++x) {
        for (int y = 0; y + 1 < kSide; ++y) {
            if (y > 0) {
                grid.setTop(grid.index({x, y}), Flag::Open);
            }
            if (x > 1) {
                grid.setLeft(grid.index({x, y}), Flag::Open);
            }
        }
    }
    std::vector<Position> corridor;
    for (int y = 0; y < kSide; ++y) {
        corridor.push_back({0, y});
    }
    for (int x = 1; x < kSide; ++x) {
        corridor.push_back({x, kSide - 1});
    }
    const GridCell corner{kSide - 1, kSide - 1};
    EXPECT_EQ(cellsOf(findGridRoute(grid, {0, 0}, corner)), corridor);
    EXPECT_EQ(cellsOf(findShortestRoute(grid, {0, 0}, corner)), corridor);
}

}  // namespace
}  // namespace nitka
