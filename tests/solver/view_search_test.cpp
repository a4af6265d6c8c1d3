#include "solver/view_search.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "grid/grid_from_maze.h"
#include "shape/maze_view.h"
#include "solver/maze_pictures.h"
#include "solver/route_search.h"
#include "support/perfect_maze.h"

namespace nitka {
namespace {

// The searches' trail in its plainest form: the cells themselves.
struct CellTrail {
    std::vector<CellId> cells;

    std::uint64_t moves() const { return cells.size() - 1; }
    void push(CellId, int, CellId entered, const LinkArray&, int) { cells.push_back(entered); }
    CellId popFrom(CellId, const LinkArray&) {
        cells.pop_back();
        return cells.back();
    }
};

std::vector<Position> windowRoute(const testing::SizedMaze& maze, Position from, Position to) {
    std::vector<Position> route = findRoute(maze.walls, maze.width, maze.height, from, to);
    if (!route.empty()) {
        route.pop_back();  // the end marker
    }
    return route;
}

std::vector<Position> generalRoute(WallGrid& grid, Position from, Position to) {
    const GridView<WallGrid> view(grid);
    const CellId start = grid.index({from.x, from.y});
    CellTrail trail{{start}};
    std::vector<Position> route;
    if (search::searchDepthFirst(view, start, grid.index({to.x, to.y}), trail)) {
        for (const CellId cell : trail.cells) {
            const CellPosition at = view.layout().position(cell);
            route.push_back({static_cast<int>(at.x), static_cast<int>(at.y)});
        }
    }
    return route;
}

// The window's own search is the named fast path for the rectangle; the
// general depth-first search over a GridView must find its route between any
// two cells, hand-edited flags of 2 included.
TEST(GeneralSearchOnGrid, FindsTheWindowsRouteBetweenEveryPairOfCells) {
    const std::vector<std::vector<std::string_view>> pictures = {
        {"+--+--+--+", "|        |", "+  +--+  +", "|        |", "+--+--+--+"},
        {"+--+--+", "|  :  |", "+--+..+", "|  |  |", "+--+--+"},
        {"+--+--+--+", "|  :  |  |", "+..+--+  +", "|     :  |", "+  +..+..+", "|  |     |",
         "+--+--+--+"},
        {"+--+--+--+--+", "|  |        |", "+  +  +--+  +", "|     |  :  |", "+--+--+--+--+"},
        {"+  +  +", "   |  |", "+  +  +", "      |", "+--+--+"},
        {"+--+", "|  |", "+..+", "|  |", "+  +", "|  |", "+--+"},
        {"+--+--+--+--+--+", "|  :  :  |  :  |", "+--+--+--+--+--+"},
        {"+--+--+--+", "|  |  |  |", "+--+--+--+", "|  |  |  |", "+--+--+--+"},
    };
    int routes = 0;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        SCOPED_TRACE("maze " + std::to_string(i));
        const testing::SizedMaze maze = testing::mazeFromPicture(pictures[i]);
        WallGrid grid = testing::gridFromMaze(maze);
        for (int from = 0; from < maze.width * maze.height; ++from) {
            for (int to = 0; to < maze.width * maze.height; ++to) {
                const Position start{from % maze.width, from / maze.width};
                const Position end{to % maze.width, to / maze.width};
                const std::vector<Position> expected = windowRoute(maze, start, end);
                EXPECT_EQ(generalRoute(grid, start, end), expected)
                    << start.x << ',' << start.y << " to " << end.x << ',' << end.y;
                EXPECT_TRUE(testing::scratchClear(grid));
                routes += expected.empty() ? 0 : 1;
            }
        }
    }
    EXPECT_GT(routes, 100);
}

}  // namespace
}  // namespace nitka
