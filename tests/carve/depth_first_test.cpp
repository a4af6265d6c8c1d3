#include "carve/depth_first.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>

#include "carve/maze_checks.h"
#include "commands/generate_command.h"
#include "model/carving.h"
#include "model/seeded_random.h"
#include "storage/grid_writer.h"
#include "storage/maze_writer.h"
#include "support/fake_controls.h"
#include "support/perfect_maze.h"
#include "support/recording_surface.h"

namespace nitka {
namespace {

// The window's carving of an even-sized maze, read into a WallGrid by the rule
// its wall array follows: a flag is a wall unless the grid position between
// the two cells was opened.
WallGrid windowCarving(MazeState& maze, int width, int height, SeededRandom& random) {
    testing::carveAndRecord(maze, width, height, random);
    WallGrid grid(width, height);
    const auto flag = [](std::uint8_t code) { return code != CellOpen ? Flag::Wall : Flag::Open; };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t cell = grid.index({x, y});
            grid.setTop(cell, flag(maze.CellGrid[2 * x + 1][2 * y]));
            grid.setLeft(cell, flag(maze.CellGrid[2 * x][2 * y + 1]));
        }
    }
    return grid;
}

// "x, y" of the first cell whose flags differ, or "" when none does.
std::string firstDifference(const WallGrid& found, const WallGrid& expected) {
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const std::size_t cell = expected.index({x, y});
            if (found.top(cell) != expected.top(cell) || found.left(cell) != expected.left(cell)) {
                return std::to_string(x) + ", " + std::to_string(y);
            }
        }
    }
    return "";
}

// Carves width x height with the window's carver and the compact one from the
// same seed and compares them flag for flag, and the sources afterwards: the
// same number of draws leaves both at the same place.
void expectWindowsMaze(MazeState& maze, int width, int height, std::uint64_t seed) {
    SCOPED_TRACE(::testing::Message() << width << " x " << height << " seed " << seed);
    SeededRandom windowRandom(seed);
    SeededRandom compactRandom(seed);
    const WallGrid expected = windowCarving(maze, width, height, windowRandom);
    WallGrid carved(width, height);
    carveDepthFirst(carved, compactRandom);
    ASSERT_EQ(firstDifference(carved, expected), "");
    ASSERT_EQ(compactRandom.Random(1 << 30), windowRandom.Random(1 << 30));
}

TEST(DepthFirstCarving, MakesTheWindowsMazeAtEveryEvenSize) {
    auto maze = std::make_unique<MazeState>();
    std::uint64_t pair = 0;
    for (int width = 8; width <= 100; width += 2) {
        for (int height = 8; height <= 100; height += 2) {
            ++pair;
            expectWindowsMaze(*maze, width, height, pair);
            expectWindowsMaze(*maze, width, height, pair * 0x9E3779B97F4A7C15u);
            if (::testing::Test::HasFatalFailure()) {
                return;
            }
        }
    }
}

// Sizes the window never carves: one cell, single rows and columns, odd sides
// and sides past 100.
TEST(DepthFirstCarving, CarvesAPerfectMazeAtAnySizeAndLeavesNoScratch) {
    const std::pair<int, int> sizes[] = {{1, 1},   {1, 2},    {2, 1},     {1, 200},  {200, 1},
                                         {2, 2},   {3, 3},    {7, 5},     {5, 7},    {9, 40},
                                         {2, 199}, {101, 99}, {199, 200}, {200, 200}};
    for (const auto& [width, height] : sizes) {
        for (std::uint64_t seed = 0; seed < 20; ++seed) {
            SCOPED_TRACE(::testing::Message() << width << " x " << height << " seed " << seed);
            WallGrid grid(width, height);
            SeededRandom random(seed);
            carveDepthFirst(grid, random);
            ASSERT_TRUE(testing::isPerfectMaze(grid));
            ASSERT_TRUE(testing::scratchClear(grid));
        }
    }
}

WallGrid carved(int width, int height, std::uint64_t seed) {
    WallGrid grid(width, height);
    SeededRandom random(seed);
    carveDepthFirst(grid, random);
    return grid;
}

std::string fileBytes(const WallGrid& grid) {
    std::stringbuf out;
    writeGrid(out, grid);
    return std::move(out).str();
}

// The whole "Depth-First" press, from the size boxes to the wall array the
// window saves, against the compact carving written by the compact writer.
TEST(DepthFirstCarving, WritesTheFileTheWindowSavesAfterItsFirstPress) {
    for (const auto& [width, height, seed] : {std::tuple{8, 8, 1}, {100, 100, 2}, {20, 64, 3}}) {
        auto maze = std::make_unique<MazeState>();
        testing::FakeControls controls(width, height);
        testing::RecordingSurface picture;
        SeededRandom random(seed);
        BtGoClick(*maze, controls, picture, random);
        std::ostringstream saved;
        writeMaze(saved, maze->Walls, width, height);
        EXPECT_EQ(fileBytes(carved(width, height, seed)), saved.str()) << width << " x " << height;
    }
}

std::uint64_t fnv1a64(const std::string& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char byte : bytes) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3u;
    }
    return hash;
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
        EXPECT_EQ(fnv1a64(fileBytes(carved(width, height, seed))), hash)
            << width << " x " << height << " seed " << seed;
    }
}

}  // namespace
}  // namespace nitka
