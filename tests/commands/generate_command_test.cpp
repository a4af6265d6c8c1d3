#include "commands/generate_command.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/seeded_random.h"
#include "support/fake_controls.h"
#include "support/recording_surface.h"

namespace nitka {
namespace {

using testing::FakeControls;
using testing::RecordingSurface;

const std::string kOddSizeNotice = "Числа ширины и высоты должны быть чётными!";

class GenerateCommandTest : public ::testing::Test {
protected:
    void press(int width, int height) {
        controls.width = width;
        controls.height = height;
        surface.calls.clear();
        BtGoClick(*maze, controls, surface, random);
    }

    std::unique_ptr<MazeState> maze = std::make_unique<MazeState>();
    FakeControls controls;
    RecordingSurface surface;
    SeededRandom random{12345};
};

struct NoticeRow {
    int width;
    int height;
    std::size_t notices;
    int gridMaxX;
    int gridMaxY;
    int cellSize;
};

class OddSizeNotice : public GenerateCommandTest,
                      public ::testing::WithParamInterface<NoticeRow> {};

TEST_P(OddSizeNotice, WarnsAtMostOnceAndCarvesTheNextSmallerEvenSize) {
    const NoticeRow row = GetParam();
    press(row.width, row.height);
    ASSERT_EQ(controls.notices.size(), row.notices);
    if (row.notices == 1) {
        EXPECT_EQ(controls.notices.front(), kOddSizeNotice);
    }
    EXPECT_EQ(maze->MazeWidth, row.width);
    EXPECT_EQ(maze->MazeHeight, row.height);
    EXPECT_EQ(maze->GridMaxX, row.gridMaxX);
    EXPECT_EQ(maze->GridMaxY, row.gridMaxY);
    EXPECT_EQ(maze->CellSize, row.cellSize);
    EXPECT_EQ(maze->MazeReady, 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OddSizeNotice,
                         ::testing::Values(NoticeRow{8, 8, 0, 16, 16, 16},
                                           NoticeRow{9, 9, 1, 16, 16, 16},
                                           NoticeRow{51, 50, 1, 100, 100, 11},
                                           NoticeRow{50, 51, 1, 100, 100, 11},
                                           NoticeRow{100, 100, 0, 200, 200, 8}));

TEST_F(GenerateCommandTest, ResetsTheRouteStateAndMarksTheMazeReady) {
    maze->PathHidden = 0;
    maze->ErasePath = 1;
    controls.caption = "SHOW";
    press(20, 12);
    EXPECT_EQ(controls.caption, "SOLVE");
    EXPECT_EQ(maze->PathHidden, 1);
    EXPECT_EQ(maze->ErasePath, 0);
    EXPECT_EQ(maze->MazeReady, 1);
    EXPECT_EQ(maze->Walls.columns(), 21);
    EXPECT_EQ(maze->Walls.rows(), 13);
}

TEST_F(GenerateCommandTest, RepaintsThenClearsInBlueThenDrawsInBlack) {
    press(8, 8);
    const std::vector<std::string> opening(surface.calls.begin(), surface.calls.begin() + 4);
    EXPECT_EQ(opening, (std::vector<std::string>{"repaint", "pen Blue", "brush Background",
                                                 "rectangle 0 0 2000 2000"}));
    EXPECT_EQ(surface.calls[4], "pen Black");
    const std::vector<std::string> frame(surface.calls.end() - 4, surface.calls.end());
    EXPECT_EQ(frame,
              (std::vector<std::string>{"pen Black", "move 0 133", "line 133 133", "line 133 0"}));
}

TEST_F(GenerateCommandTest, WallsFollowTheGridForEveryGeneratedMaze) {
    const std::pair<int, int> sizes[] = {{8, 8}, {100, 100}, {9, 9}, {51, 50}, {33, 8}, {50, 50}};
    for (const auto& [width, height] : sizes) {
        for (int round = 0; round < 5; ++round) {
            press(width, height);
            const auto& grid = maze->CellGrid;
            const Maze& walls = maze->Walls;
            ASSERT_EQ(walls.columns(), width + 1);
            ASSERT_EQ(walls.rows(), height + 1);
            for (int x = 0; x <= width; ++x) {
                for (int y = 0; y <= height; ++y) {
                    SCOPED_TRACE(::testing::Message()
                                 << width << "x" << height << " cell " << x << ", " << y);
                    if (x == width || y == height) {
                        ASSERT_EQ(walls[x][y], (WallPair{1, 1}));
                        continue;
                    }
                    ASSERT_EQ(walls[x][y].Top, grid[2 * x + 1][2 * y] != 0 ? 1 : 0);
                    ASSERT_EQ(walls[x][y].Left, grid[2 * x][2 * y + 1] != 0 ? 1 : 0);
                }
            }
        }
    }
}

TEST_F(GenerateCommandTest, SuccessivePressesCarveDifferentMazes) {
    press(20, 20);
    const Maze first = maze->Walls;
    press(20, 20);
    EXPECT_NE(maze->Walls, first);
}

TEST_F(GenerateCommandTest, SizesOutsideTheBoxRangeAreClampedBeforeCarving) {
    press(150, 3);
    EXPECT_EQ(maze->MazeWidth, 100);
    EXPECT_EQ(maze->MazeHeight, 8);
    EXPECT_EQ(maze->GridMaxX, 200);
    EXPECT_TRUE(controls.notices.empty());
}

}  // namespace
}  // namespace nitka
