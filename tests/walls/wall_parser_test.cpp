#include "walls/wall_parser.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/recording_surface.h"
#include "walls/text_form.h"
#include "walls/two_cell_maze.h"

namespace nitka {
namespace {

class WallParserTest : public ::testing::Test {
protected:
    void useText(int width, int height, std::initializer_list<const char*> lines) {
        maze->MazeWidth = width;
        maze->MazeHeight = height;
        int index = 0;
        for (const char* line : lines) {
            maze->MazeText[index++] = line;
        }
    }

    std::unique_ptr<MazeState> maze = std::make_unique<MazeState>();
};

TEST_F(WallParserTest, TwoCellMazeReadsBackFromItsText) {
    testing::carveTwoCellMaze(*maze);
    testing::RecordingSurface surface;
    ploh25_(*maze, surface);
    ploh15_(*maze);
    const Maze& walls = maze->Walls;
    ASSERT_EQ(walls.columns(), 3);
    ASSERT_EQ(walls.rows(), 2);
    EXPECT_EQ(walls[0][0], (WallPair{1, 1}));
    EXPECT_EQ(walls[1][0], (WallPair{0, 1}));
    for (const auto& [x, y] :
         {std::pair{2, 0}, std::pair{0, 1}, std::pair{1, 1}, std::pair{2, 1}}) {
        EXPECT_EQ(walls[x][y], (WallPair{1, 1})) << x << ", " << y;
    }
}

TEST_F(WallParserTest, OnlyTheExactMarkAtTheExactPositionIsAWall) {
    // Marks one place off, other characters, a tab and short lines are no walls.
    useText(3, 2,
            {
                " ---x",   // Top: pos 3 is "-", pos 5 is "x", pos 7 is past the end
                " |-| |",  // Left: positions 2, 4 and 6 hold "|"
                "  -  -",  // Top: position 3 is "-", 5 a blank, 7 past the end
                "\t|",     // Left: position 2 holds "|", the rest is past the end
            });
    ploh15_(*maze);
    const Maze& walls = maze->Walls;
    EXPECT_EQ(walls[0][0], (WallPair{1, 1}));
    EXPECT_EQ(walls[1][0], (WallPair{1, 0}));
    EXPECT_EQ(walls[2][0], (WallPair{1, 0}));
    EXPECT_EQ(walls[0][1], (WallPair{1, 1}));
    EXPECT_EQ(walls[1][1], (WallPair{0, 0}));
    EXPECT_EQ(walls[2][1], (WallPair{0, 0}));
}

TEST_F(WallParserTest, BottomLineAndRightmostPiecesAreNeverRead) {
    useText(2, 1, {"  - -", " |   |", "  - -"});
    ploh15_(*maze);
    const Maze before = maze->Walls;
    useText(2, 1, {"  - -", " |    ", "xxxxx"});
    ploh15_(*maze);
    EXPECT_EQ(maze->Walls, before);
}

TEST_F(WallParserTest, ResizesToTheNewMazeAndSetsItsOuterColumnAndRow) {
    maze->Walls = Maze(101, 101);
    useText(8, 8, {});
    ploh15_(*maze);
    ASSERT_EQ(maze->Walls.columns(), 9);
    ASSERT_EQ(maze->Walls.rows(), 9);
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(maze->Walls[8][i], (WallPair{1, 1}));
        EXPECT_EQ(maze->Walls[i][8], (WallPair{1, 1}));
    }
    EXPECT_EQ(maze->Walls[3][3], (WallPair{0, 0}));  // empty text: no walls inside
}

}  // namespace
}  // namespace nitka
