#include "model/generator.h"

#include <gtest/gtest.h>

#include <memory>
#include <queue>
#include <vector>

#include "model/carving.h"
#include "model/seeded_random.h"
#include "support/scripted_random.h"

namespace nitka {
namespace {

using testing::carveAndRecord;
using testing::ScriptedRandom;

// Counts the cells reachable from cell (1, 1) through open grid positions.
int reachableCells(const MazeState& maze) {
    const auto& grid = maze.CellGrid;
    std::vector<std::vector<bool>> seen(kGridSide, std::vector<bool>(kGridSide));
    std::queue<Position> pending;
    pending.push({1, 1});
    seen[1][1] = true;
    int cells = 0;
    while (!pending.empty()) {
        const auto [x, y] = pending.front();
        pending.pop();
        ++cells;
        const Position steps[] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
        for (const auto& [dx, dy] : steps) {
            const int nx = x + 2 * dx;
            const int ny = y + 2 * dy;
            if (grid[x + dx][y + dy] == CellOpen && !seen[nx][ny]) {
                seen[nx][ny] = true;
                pending.push({nx, ny});
            }
        }
    }
    return cells;
}

// A finished carving holds 255 on the border, 9 on every corner post, 0 in
// every cell, and 0 or 9 between cells. Counts the positions that break this
// and the walls between cells that were opened.
struct GridCensus {
    int misplaced = 0;
    int openWalls = 0;
};

GridCensus census(const MazeState& maze) {
    GridCensus result;
    for (int x = 0; x <= maze.GridMaxX; ++x) {
        for (int y = 0; y <= maze.GridMaxY; ++y) {
            const auto code = maze.CellGrid[x][y];
            const bool onBorder = x == 0 || y == 0 || x == maze.GridMaxX || y == maze.GridMaxY;
            const bool betweenCells = !onBorder && (x + y) % 2 == 1;
            const bool cell = x % 2 == 1 && y % 2 == 1;
            const auto expected = onBorder ? CellBorder : cell ? CellOpen : CellWall;
            result.openWalls += betweenCells && code == CellOpen ? 1 : 0;
            result.misplaced += code != expected && !(betweenCells && code == CellOpen) ? 1 : 0;
        }
    }
    return result;
}

struct Size {
    int width;
    int height;
};

class CarvingProperties : public ::testing::TestWithParam<Size> {};

TEST_P(CarvingProperties, EverySeedCarvesAPerfectMazeInTwoNMinusOneSteps) {
    const auto [width, height] = GetParam();
    auto maze = std::make_unique<MazeState>();
    const int seeds = width * height > 2500 ? 20 : 100;
    for (int seed = 0; seed < seeds; ++seed) {
        SeededRandom random(static_cast<std::uint32_t>(seed));
        const auto record = carveAndRecord(*maze, width, height, random);
        const int cells = (maze->GridMaxX / 2) * (maze->GridMaxY / 2);
        const GridCensus found = census(*maze);
        SCOPED_TRACE(::testing::Message() << width << " x " << height << " seed " << seed);
        ASSERT_EQ(found.misplaced, 0);
        ASSERT_EQ(found.openWalls, cells - 1);
        ASSERT_EQ(reachableCells(*maze), cells);
        ASSERT_EQ(record.steps, 2 * cells - 1);
        ASSERT_LE(record.deepestStack, cells);
        ASSERT_TRUE(record.oddEntriesOnly);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, CarvingProperties,
                         ::testing::Values(Size{8, 8}, Size{9, 9}, Size{50, 50}, Size{51, 50},
                                           Size{12, 30}, Size{100, 100}),
                         [](const auto& row) {
                             return std::to_string(row.param.width) + "x" +
                                    std::to_string(row.param.height);
                         });

class GeneratorTest : public ::testing::Test {
protected:
    // An 8 x 8 grid, freshly filled, with the carving standing on cell (x, y).
    void standOn(int x, int y) {
        maze->GridMaxX = 16;
        maze->GridMaxY = 16;
        Initialise(*maze);
        maze->CellGrid[x][y] = CellOpen;
        maze->CarveStack.assign(1, Position{x, y});
        maze->CarveCount = 1;
        maze->CurrentCell = Position{x, y};
    }

    std::unique_ptr<MazeState> maze = std::make_unique<MazeState>();
};

TEST_F(GeneratorTest, InitialiseWritesOnlyTheRegionInUse) {
    for (auto& column : maze->CellGrid) {
        column.fill(7);
    }
    maze->GridMaxX = 16;
    maze->GridMaxY = 4;
    Initialise(*maze);
    EXPECT_EQ(maze->CellGrid[0][0], CellBorder);
    EXPECT_EQ(maze->CellGrid[16][4], CellBorder);
    EXPECT_EQ(maze->CellGrid[1][1], CellFresh);
    EXPECT_EQ(maze->CellGrid[2][1], CellWall);
    EXPECT_EQ(maze->CellGrid[2][2], CellWall);
    EXPECT_EQ(maze->CellGrid[17][1], 7);
    EXPECT_EQ(maze->CellGrid[1][5], 7);
    EXPECT_EQ(maze->CellGrid[201][201], 7);
}

TEST_F(GeneratorTest, StartCellRedrawsUntilTheDrawIsEvenXBeforeY) {
    maze->GridMaxX = 16;
    maze->GridMaxY = 8;
    Initialise(*maze);
    ScriptedRandom random({3, 13, 4, 6});
    startCarving(*maze, random);
    EXPECT_EQ(random.requests, (std::vector<int>{15, 15, 15, 7}));
    EXPECT_EQ(maze->CurrentCell, (Position{5, 7}));
    EXPECT_EQ(maze->CarveCount, 1);
    EXPECT_EQ(maze->CarveStack, (std::vector<Position>{{5, 7}}));
    EXPECT_EQ(maze->CellGrid[5][7], CellOpen);
}

TEST_F(GeneratorTest, OneDrawPerOpenDirectionAndTiesGoToTheLowerNumber) {
    standOn(1, 1);  // top-left corner: only right (2) and down (3) are open
    ScriptedRandom random({2, 2});
    CelluleSuite(*maze, random);
    EXPECT_EQ(random.requests, (std::vector<int>{5, 5}));
    EXPECT_EQ(maze->CurrentCell, (Position{3, 1}));  // right wins the tie
    EXPECT_EQ(maze->CellGrid[2][1], CellOpen);
    EXPECT_EQ(maze->CellGrid[3][1], CellOpen);
    EXPECT_EQ(maze->CellGrid[1][2], CellWall);
}

TEST_F(GeneratorTest, StrictlyHigherWeightWins) {
    standOn(5, 5);  // all four open
    ScriptedRandom random({1, 3, 4, 4});
    CelluleSuite(*maze, random);
    EXPECT_EQ(random.requests.size(), 4u);
    EXPECT_EQ(maze->CurrentCell, (Position{5, 7}));  // down (3) beats left (4) on the tie
    EXPECT_EQ(maze->CellGrid[5][6], CellOpen);
}

TEST_F(GeneratorTest, BackingUpOnlyLowersTheCountAndAPushTrimsTheStorage) {
    standOn(1, 1);
    maze->CellGrid[3][1] = CellOpen;  // right already reached
    maze->CellGrid[1][3] = CellOpen;  // down already reached
    maze->CellGrid[3][3] = CellOpen;
    maze->CarveStack = {{3, 3}, {1, 3}, {1, 1}, {9, 9}};
    maze->CarveCount = 3;
    ScriptedRandom random;
    CelluleSuite(*maze, random);  // nothing open at (1, 1): back up
    EXPECT_TRUE(random.requests.empty());
    EXPECT_EQ(maze->CarveCount, 2);
    EXPECT_EQ(maze->CarveStack.size(), 4u);
    EXPECT_EQ(maze->CurrentCell, (Position{1, 3}));

    CelluleSuite(*maze, random);  // from (1, 3) down to (1, 5) is open
    EXPECT_EQ(maze->CarveCount, 3);
    EXPECT_EQ(maze->CarveStack, (std::vector<Position>{{3, 3}, {1, 3}, {1, 5}}));
}

TEST_F(GeneratorTest, SmallerMazeLeavesTheRestOfTheGridAsTheLargerOneLeftIt) {
    SeededRandom random(7);
    carveAndRecord(*maze, 40, 40, random);
    const Grid before = maze->CellGrid;
    carveAndRecord(*maze, 10, 10, random);
    for (int x = 0; x < kGridSide; ++x) {
        for (int y = 0; y < kGridSide; ++y) {
            if (x > 20 || y > 20) {
                ASSERT_EQ(maze->CellGrid[x][y], before[x][y]) << x << ", " << y;
            }
        }
    }
}

}  // namespace
}  // namespace nitka
