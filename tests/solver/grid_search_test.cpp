#include "solver/grid_search.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>
#include <vector>

#include "grid/grid_from_maze.h"
#include "solver/route_search.h"
#include "support/perfect_maze.h"

namespace nitka {
namespace {

using testing::SizedMaze;

std::vector<Position> cellsOf(const std::optional<GridRoute>& route) {
    std::vector<Position> cells;
    if (route) {
        route->forEachCell([&](GridCell cell) { cells.push_back({cell.x, cell.y}); });
    }
    return cells;
}

// Runs check(maze, grid, from, to) on random mazes of up to largestSide a side,
// the wall array and the compact grid with the same flags: 0, 1 and two values
// of the Other class drawn 55, 35, 6 and 4 in 100, outer ones too, so most have
// loops and about half a route. Mostly corner to corner, some from and to any
// cell, a few to a cell just outside. The scratch starts as an earlier
// algorithm might have left it. check says whether there was a route; both
// outcomes must be common, or the comparison proves little.
template <typename Check>
void onRandomMazes(std::uint32_t seed, int runs, int largestSide, Check check) {
    std::mt19937 random(seed);
    std::discrete_distribution<int> flag({55, 35, 6, 0, 0, 0, 0, 0, 0, 4});
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int found = 0;
    for (int run = 0; run < runs && !::testing::Test::HasFatalFailure(); ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const int width = 1 + below(largestSide);
        const int height = 1 + below(largestSide);
        SizedMaze maze{width, height, Maze(width + 1, height + 1)};
        for (int x = 0; x <= width; ++x) {
            for (int y = 0; y <= height; ++y) {
                maze.walls[x][y] = {static_cast<std::uint8_t>(flag(random)),
                                    static_cast<std::uint8_t>(flag(random))};
            }
        }
        WallGrid grid = testing::gridFromMaze(maze);
        for (std::size_t at = 0; at < grid.cellCount(); ++at) {
            grid.setScratch(at, static_cast<std::uint8_t>(below(16)));
        }
        Position from{0, 0};
        Position to{run % 20 == 0 ? width : width - 1, height - 1};
        if (below(10) == 0) {
            from = {below(width), below(height)};
            to = {below(width), below(height)};
        }
        found += check(maze, grid, from, to) ? 1 : 0;
        ASSERT_TRUE(testing::scratchClear(grid));
    }
    EXPECT_GT(found, runs * 3 / 10);
    EXPECT_LT(found, runs * 7 / 10);
}

GridCell gridCell(Position cell) {
    return {cell.x, cell.y};
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

// Plain breadth-first search from the target by the window search's EdgeOpen,
// then from the start at every cell the first step in Step order that comes one
// nearer: the route findShortestRoute promises. Empty when there is none.
std::vector<Position> referenceShortest(const SizedMaze& maze, Position from, Position to) {
    const auto inside = [&](Position cell) {
        return cell.x >= 0 && cell.x < maze.width && cell.y >= 0 && cell.y < maze.height;
    };
    if (!inside(from) || !inside(to)) {
        return {};
    }
    std::vector<int> distances(static_cast<std::size_t>(maze.width * maze.height), -1);
    const auto distance = [&](Position cell) -> int& {
        return distances[static_cast<std::size_t>(cell.y * maze.width + cell.x)];
    };
    // The neighbour step s leads to, or {-1, -1} where it may not be taken.
    const auto step = [&](Position cell, int s) {
        const Position next{cell.x + kStepDx[s], cell.y + kStepDy[s]};
        return inside(next) && EdgeOpen(maze.walls, cell.x, cell.y, kStepDx[s], kStepDy[s])
                   ? next
                   : Position{-1, -1};
    };
    distance(to) = 0;
    for (std::deque<Position> queue{to}; !queue.empty(); queue.pop_front()) {
        for (int s = 0; s < 4; ++s) {
            const Position next = step(queue.front(), s);
            if (next.x >= 0 && distance(next) < 0) {
                distance(next) = distance(queue.front()) + 1;
                queue.push_back(next);
            }
        }
    }
    if (distance(from) < 0) {
        return {};
    }
    std::vector<Position> route{from};
    while (route.back() != to) {
        int s = 0;
        while (step(route.back(), s).x < 0 ||
               distance(step(route.back(), s)) != distance(route.back()) - 1) {
            ++s;
        }
        route.push_back(step(route.back(), s));
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

// Every flag open but the two that wall in the target: the depth-first search
// must back out of a million open cells, loops everywhere, which ends only
// because a cell once backed out of is never entered again.
TEST(GridSearchLimits, NoRouteIntoAWalledCornerOfAMillionOpenCells) {
    constexpr int kSide = 1000;
    WallGrid grid(kSide, kSide);
    for (std::size_t at = 0; at < grid.cellCount(); ++at) {
        grid.setTop(at, Flag::Open);
        grid.setLeft(at, Flag::Open);
    }
    const GridCell corner{kSide - 1, kSide - 1};
    grid.setTop(grid.index(corner), Flag::Wall);
    grid.setLeft(grid.index(corner), Flag::Wall);
    EXPECT_FALSE(findGridRoute(grid, {0, 0}, corner).has_value());
    EXPECT_FALSE(findShortestRoute(grid, {0, 0}, corner).has_value());
}

}  // namespace
}  // namespace nitka
