#include "carve/carvers.h"
#include "carve/depth_first_general.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "commands/generate_command.h"
#include "grid/grid_from_maze.h"
#include "model/seeded_random.h"
#include "picture/raster_picture.h"
#include "shape/maze_view.h"
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

// The tuned grid loop and the search every layout shares must stay one
// method: same flags, and the source left at the same place, at every size
// (one-cell-wide, odd, square and long) and seed.
TEST(DepthFirst, TheTunedGridLoopEqualsTheGeneralSearchOnAGridView) {
    for (const auto& [width, height] :
         {std::pair{1, 1}, std::pair{1, 9}, std::pair{9, 1}, std::pair{2, 2}, std::pair{7, 5},
          std::pair{33, 17}, std::pair{64, 64}, std::pair{250, 3}}) {
        for (const std::uint64_t seed : {1u, 2u, 99u, 123456789u}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + " seed " +
                         std::to_string(seed));
            WallGrid fast(width, height);
            SeededRandom fastRandom(seed);
            carveDepthFirst(fast, fastRandom);
            WallGrid general(width, height);
            SeededRandom generalRandom(seed);
            NoCarveObserver none;
            carveDepthFirstOn(GridView<WallGrid>(general), generalRandom, none);
            ASSERT_TRUE(testing::flagText(general) == testing::flagText(fast));
            EXPECT_EQ(generalRandom.Random(1 << 30), fastRandom.Random(1 << 30));
        }
    }
}

}  // namespace
}  // namespace nitka
