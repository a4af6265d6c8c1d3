#include "solver/maze_stats.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "carve/carve_method.h"
#include "grid/grid_from_maze.h"
#include "solver/grid_search.h"
#include "solver/maze_pictures.h"

namespace nitka {

// Failures print the measures rather than their bytes.
void PrintTo(const MazeStats& s, std::ostream* out) {
    const auto cells = [](std::optional<std::uint64_t> n) { return n ? std::to_string(*n) : "-"; };
    *out << s.width << "x" << s.height << ": " << s.cells << " cells, " << s.reachable
         << " reachable, " << (s.perfect ? "perfect, " : "") << s.loops << " loops, " << s.deadEnds
         << " dead ends, " << s.passages << " passages, " << s.corridors << " corridors, routes "
         << cells(s.routeCells) << " / " << cells(s.shortestCells);
}

namespace {

TEST(MeasureMaze, CountsWhatTheRouteSearchCanWalk) {
    struct Row {
        const char* label;
        std::vector<std::string_view> picture;
        MazeStats stats;
    };
    const Row rows[] = {
        {"one cell", {"+--+", "|  |", "+--+"}, {1, 1, 1, 1, true, 0, 0, 0, 0, 1, 1}},
        {"a line one cell wide",
         {"+--+", "|  |", "+  +", "|  |", "+  +", "|  |", "+--+"},
         {1, 3, 3, 3, true, 0, 2, 2, 1, 3, 3}},
        {"a perfect maze",
         {"+--+--+--+", "|     |  |", "+--+  +  +", "|        |", "+--+--+--+"},
         {3, 2, 6, 6, true, 0, 3, 5, 3, 4, 4}},
        {"a ring of two-way cells is one corridor",
         {"+--+--+", "|     |", "+  +  +", "|     |", "+--+--+"},
         {2, 2, 4, 4, false, 1, 0, 4, 1, 3, 3}},
        {"a ring through a junction is a corridor from it back to it",
         {"+--+--+--+", "|        |", "+  +--+  +", "|     |  |", "+--+  +  +", "|        |",
          "+--+--+--+"},
         {3, 3, 9, 9, false, 1, 1, 9, 2, 5, 5}},
        {"a ring apart from a corridor",
         {"+--+--+--+", "|     |  |", "+  +  +  +", "|     |  |", "+--+--+--+"},
         {3, 2, 6, 4, false, 1, 2, 5, 2, std::nullopt, std::nullopt}},
        {"all open: the search's route winds, a shortest one does not",
         {"+--+--+--+", "|        |", "+  +  +  +", "|        |", "+  +  +  +", "|        |",
          "+--+--+--+"},
         {3, 3, 9, 9, false, 4, 0, 12, 8, 9, 5}},
        {"three regions apart, so no route",
         {"+--+--+--+", "|     |  |", "+--+--+  +", "|     |  |", "+--+--+--+"},
         {3, 2, 6, 2, false, 0, 6, 3, 3, std::nullopt, std::nullopt}},
        {"flags of 2 open the way, a lone cell aside",
         {"+--+--+", "|  :  |", "+--+..+", "|  |  |", "+--+--+"},
         {2, 2, 4, 3, false, 0, 2, 2, 1, 3, 3}},
        {"open outer edges lead nowhere",
         {"+  +  +", "   |  |", "+  +  +", "      |", "+--+--+"},
         {2, 2, 4, 4, true, 0, 2, 3, 1, 3, 3}},
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

// Corridors found the slow way: walked from each end along two-way cells to
// the next end. Each corridor is walked once from either end, so the walks
// number twice the corridors and their steps twice its passages.
struct Walked {
    std::uint64_t corridors = 0;
    std::uint64_t passages = 0;
};

Walked walkCorridors(const WallGrid& grid) {
    const auto openings = [&](GridCell cell) {
        int n = 0;
        for (int s = 0; s < 4; ++s) {
            n += grid.passable(cell, static_cast<Step>(s)) ? 1 : 0;
        }
        return n;
    };
    Walked walked;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            if (openings({x, y}) == 2) {
                continue;
            }
            for (int first = 0; first < 4; ++first) {
                Step step = static_cast<Step>(first);
                if (!grid.passable({x, y}, step)) {
                    continue;
                }
                GridCell cell = neighbour({x, y}, step);
                std::uint64_t length = 1;
                while (openings(cell) == 2) {
                    int next = 0;
                    while (next == static_cast<int>(opposite(step)) ||
                           !grid.passable(cell, static_cast<Step>(next))) {
                        ++next;
                    }
                    step = static_cast<Step>(next);
                    cell = neighbour(cell, step);
                    ++length;
                }
                ++walked.corridors;
                walked.passages += length;
            }
        }
    }
    return {walked.corridors / 2, walked.passages / 2};
}

TEST(MeasureMaze, CorridorsAgreeWithWalkingThemForEveryMethod) {
    for (const CarveMethodInfo& info : carveMethods()) {
        for (const double braid : {0.0, 0.5}) {
            for (std::uint64_t seed = 1; seed <= 4; ++seed) {
                SCOPED_TRACE(std::string(info.name) + " braid " + std::to_string(braid) + " seed " +
                             std::to_string(seed));
                WallGrid grid(13, 9);
                SeededRandom random(seed);
                carveMaze(grid, CarveOptions{info.method, GrowingTreePick::Mix, 0.5, braid},
                          random);
                const MazeStats stats = measureMaze(grid);
                const Walked walked = walkCorridors(grid);
                // Braiding only adds passages to a connected maze, so no
                // ring of two-way cells can stand apart: every corridor has ends.
                EXPECT_EQ(stats.corridors, walked.corridors);
                EXPECT_EQ(stats.passages, walked.passages);
                EXPECT_EQ(stats.passages, stats.cells - 1 + stats.loops);
                ASSERT_TRUE(meanCorridorLength(stats));
                EXPECT_DOUBLE_EQ(*meanCorridorLength(stats),
                                 static_cast<double>(stats.passages) / stats.corridors);
            }
        }
    }
    WallGrid closed(3, 3);
    EXPECT_EQ(meanCorridorLength(measureMaze(closed)), std::nullopt);
}

}  // namespace
}  // namespace nitka
