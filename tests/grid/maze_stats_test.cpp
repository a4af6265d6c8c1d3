#include "grid/maze_stats.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "grid/grid_from_maze.h"
#include "solver/maze_pictures.h"

namespace nitka {

// Failures print the measures rather than their bytes.
void PrintTo(const MazeStats& s, std::ostream* out) {
    const auto cells = [](std::optional<std::uint64_t> n) { return n ? std::to_string(*n) : "-"; };
    *out << s.width << "x" << s.height << ": " << s.cells << " cells, " << s.reachable
         << " reachable, " << (s.perfect ? "perfect, " : "") << s.loops << " loops, " << s.deadEnds
         << " dead ends, routes " << cells(s.routeCells) << " / " << cells(s.shortestCells);
}

namespace {

TEST(MeasureMaze, CountsWhatTheRouteSearchCanWalk) {
    struct Row {
        const char* label;
        std::vector<std::string_view> picture;
        MazeStats stats;
    };
    const Row rows[] = {
        {"one cell", {"+--+", "|  |", "+--+"}, {1, 1, 1, 1, true, 0, 0, 1, 1}},
        {"a line one cell wide",
         {"+--+", "|  |", "+  +", "|  |", "+  +", "|  |", "+--+"},
         {1, 3, 3, 3, true, 0, 2, 3, 3}},
        {"a perfect maze",
         {"+--+--+--+", "|     |  |", "+--+  +  +", "|        |", "+--+--+--+"},
         {3, 2, 6, 6, true, 0, 3, 4, 4}},
        {"one loop",
         {"+--+--+", "|     |", "+  +  +", "|     |", "+--+--+"},
         {2, 2, 4, 4, false, 1, 0, 3, 3}},
        {"all open: the search's route winds, a shortest one does not",
         {"+--+--+--+", "|        |", "+  +  +  +", "|        |", "+  +  +  +", "|        |",
          "+--+--+--+"},
         {3, 3, 9, 9, false, 4, 0, 9, 5}},
        {"three regions apart, so no route",
         {"+--+--+--+", "|     |  |", "+--+--+  +", "|     |  |", "+--+--+--+"},
         {3, 2, 6, 2, false, 0, 6, std::nullopt, std::nullopt}},
        {"flags of 2 open the way, a lone cell aside",
         {"+--+--+", "|  :  |", "+--+..+", "|  |  |", "+--+--+"},
         {2, 2, 4, 3, false, 0, 2, 3, 3}},
        {"open outer edges lead nowhere",
         {"+  +  +", "   |  |", "+  +  +", "      |", "+--+--+"},
         {2, 2, 4, 4, true, 0, 2, 3, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        WallGrid grid = testing::gridFromMaze(testing::mazeFromPicture(row.picture));
        grid.setScratch(0, 9);  // left behind by an earlier algorithm
        EXPECT_EQ(measureMaze(grid), row.stats);
        for (std::size_t at = 0; at < grid.cellCount(); ++at) {
            ASSERT_EQ(grid.scratch(at), 0) << "cell " << at;
        }
    }
}

}  // namespace
}  // namespace nitka
