#include "storage/maze_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "storage/storage_fixture.h"

namespace nitka {
namespace {

std::string written(const Maze& walls, int width, int height) {
    std::ostringstream out;
    writeMaze(out, walls, width, height);
    return out.str();
}

TEST(MazeWriter, WritesTopThenLeftRowByRowWithCrLf) {
    const Maze walls = testing::mazeFromPicture({
        "+-+-+-+",
        "|   | |",
        "+ +-+ +",
        "| |   |",
        "+-+-+-+",
    });
    EXPECT_EQ(written(walls, 3, 2),
              "3  2\r\n"
              "1  1\r\n1  0\r\n1  1\r\n"
              "0  1\r\n1  1\r\n0  0\r\n");
}

TEST(MazeWriter, WritesLoadedFlagsAsTheyAre) {
    Maze walls(2, 2);
    walls[0][0] = {.Left = 255, .Top = 2};
    EXPECT_EQ(written(walls, 1, 1), "1  1\r\n2  255\r\n");
}

TEST(MazeWriter, FileSizesOfFullMazes) {
    const std::pair<int, std::size_t> cases[] = {{50, 15'008}, {100, 60'010}};
    for (const auto& [side, bytes] : cases) {
        Maze walls(side + 1, side + 1);
        for (int x = 0; x <= side; ++x) {
            std::fill(walls[x].begin(), walls[x].end(), WallPair{1, 1});
        }
        const std::string text = written(walls, side, side);
        EXPECT_EQ(text.size(), bytes) << side;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), side * side + 1) << side;
        const std::string header = std::to_string(side) + "  " + std::to_string(side) + "\r\n";
        EXPECT_TRUE(text.starts_with(header)) << side;
    }
}

}  // namespace
}  // namespace nitka
