#include "storage/maze_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace nitka {
namespace {

std::string written(const Maze& walls, int width, int height) {
    std::ostringstream out;
    writeMaze(out, walls, width, height);
    return out.str();
}

TEST(MazeWriter, WritesTopThenLeftRowByRowWithCrLf) {
    // "-" over a cell is its top wall, "|" left of it its left wall.
    const std::vector<std::string> picture = {
        "+-+-+-+", "|   | |", "+ +-+ +", "| |   |", "+-+-+-+",
    };
    Maze walls(4, 3);
    for (int x = 0; x < 3; ++x) {
        for (int y = 0; y < 2; ++y) {
            walls[x][y] = {.Left = picture[2 * y + 1][2 * x] == '|',
                           .Top = picture[2 * y][2 * x + 1] == '-'};
        }
    }
    EXPECT_EQ(written(walls, 3, 2),
              "3  2\r\n"
              "1  1\r\n1  0\r\n1  1\r\n"
              "0  1\r\n1  1\r\n0  0\r\n");
}

TEST(MazeWriter, FileSizesOfTheHalfAndTheLargestMaze) {
    EXPECT_EQ(written(Maze(51, 51), 50, 50).size(), 15'008u);
    EXPECT_EQ(written(Maze(101, 101), 100, 100).size(), 60'010u);
}

}  // namespace
}  // namespace nitka
