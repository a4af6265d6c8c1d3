#include "model/maze_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace nitka {
namespace {

TEST(MazeStateTest, StartsWithNoMazeAndTheStartUpValues) {
    const auto maze = std::make_unique<MazeState>();
    EXPECT_EQ(maze->MazeReady, 0);
    EXPECT_EQ(maze->MazeWidth, 0);
    EXPECT_EQ(maze->MazeHeight, 0);
    EXPECT_TRUE(maze->Walls.empty());
    EXPECT_EQ(maze->GridMaxX, 100);
    EXPECT_EQ(maze->GridMaxY, 100);
    EXPECT_EQ(maze->CellSize, 10);
    EXPECT_EQ(maze->Margin, 5);
    EXPECT_EQ(maze->PathHidden, 1);
    EXPECT_EQ(maze->ErasePath, 0);
    EXPECT_EQ(maze->MazeFileName, "labird.txt");
    EXPECT_EQ(maze->MazeText.size(), 411u);
    EXPECT_TRUE(std::all_of(maze->MazeText.begin(), maze->MazeText.end(),
                            [](const std::string& line) { return line.empty(); }));
    for (const auto& column : maze->CellGrid) {
        ASSERT_TRUE(std::all_of(column.begin(), column.end(), [](auto code) { return code == 0; }));
    }
}

struct CellSizeRow {
    int width;
    int height;
    int cellSize;
};

class CellSizeRule : public ::testing::TestWithParam<CellSizeRow> {};

TEST_P(CellSizeRule, PicksTheLargestSizeThatFitsThePicture) {
    EXPECT_EQ(cellSizeFor(GetParam().width, GetParam().height), GetParam().cellSize);
}

INSTANTIATE_TEST_SUITE_P(Sizes, CellSizeRule,
                         ::testing::Values(CellSizeRow{8, 8, 16}, CellSizeRow{50, 50, 16},
                                           CellSizeRow{51, 50, 11}, CellSizeRow{50, 51, 11},
                                           CellSizeRow{70, 70, 11}, CellSizeRow{71, 8, 8},
                                           CellSizeRow{8, 71, 8}, CellSizeRow{100, 100, 8},
                                           CellSizeRow{5, 1, 16}));

TEST(MazeTest, RowBytesAreLeftThenTopOfEachCell) {
    Maze walls(3, 4);
    walls[1][2].Left = 1;
    walls[1][2].Top = 7;
    walls[1][3].Top = 2;
    const auto bytes = walls.rowBytes(1);
    ASSERT_EQ(bytes.size(), 8u);
    EXPECT_EQ(bytes[4], 1);
    EXPECT_EQ(bytes[5], 7);
    EXPECT_EQ(bytes[7], 2);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), 5);
    EXPECT_TRUE(std::all_of(walls.rowBytes(0).begin(), walls.rowBytes(0).end(),
                            [](auto byte) { return byte == 0; }));
}

}  // namespace
}  // namespace nitka
