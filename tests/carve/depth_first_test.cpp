#include "carve/depth_first.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>

#include "commands/generate_command.h"
#include "grid/grid_from_maze.h"
#include "model/seeded_random.h"
#include "picture/raster_picture.h"
#include "storage/grid_writer.h"
#include "support/fake_controls.h"
#include "support/maze_hash.h"
#include "support/perfect_maze.h"

namespace nitka {
namespace {

using testing::flagText;

// The whole "Depth-First" press, from the size boxes to the wall array the
// window saves, against the compact carving from the same seed; then the
// sources: the same number of draws leaves both at the same place.
TEST(DepthFirstCarving, MakesTheWindowsMazeAtEveryEvenSize) {
    auto maze = std::make_unique<MazeState>();
    testing::FakeControls controls;
    RasterPicture picture(Pixel{0});
    std::uint64_t pair = 0;
    for (int width = 8; width <= 100; width += 2) {
        for (int height = 8; height <= 100; height += 2) {
            ++pair;
            for (const std::uint64_t seed : {pair, pair * 0x9E3779B97F4A7C15u}) {
                SCOPED_TRACE(::testing::Message() << width << " x " << height << " seed " << seed);
                controls.width = width;
                controls.height = height;
                SeededRandom windowRandom(seed);
                BtGoClick(*maze, controls, picture, windowRandom);
                SeededRandom compactRandom(seed);
                WallGrid carved(width, height);
                carveDepthFirst(carved, compactRandom);
                // Not ASSERT_EQ: a difference would print both mazes.
                ASSERT_TRUE(flagText(carved) ==
                            flagText(testing::gridFromMaze({width, height, maze->Walls})));
                ASSERT_EQ(compactRandom.Random(1 << 30), windowRandom.Random(1 << 30));
            }
        }
    }
}

// A seed names its maze for good: files written with a seed must come out
// again, byte for byte, from every later version.
TEST(DepthFirstCarving, ASeedKeepsItsMaze) {
    const std::tuple<int, int, std::uint64_t, std::uint64_t> files[] = {
        {8, 8, 1, 0x0bc0f93b5cbfe253u},
        {37, 23, 42, 0xa6185697aadfc9d8u},
        {1000, 1000, 7, 0xce692ca1557eea47u},
    };
    for (const auto& [width, height, seed, hash] : files) {
        WallGrid grid(width, height);
        SeededRandom random(seed);
        carveDepthFirst(grid, random);
        EXPECT_EQ(testing::mazeFileHash(grid), hash)
            << width << " x " << height << " seed " << seed;
    }
}

}  // namespace
}  // namespace nitka
