#include "walls/maze_drawing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "commands/generate_command.h"
#include "model/seeded_random.h"
#include "picture/raster_picture.h"
#include "support/fake_controls.h"
#include "support/raster_text.h"
#include "support/recording_surface.h"

namespace nitka {
namespace {

using testing::RecordingSurface;
using Calls = std::vector<std::string>;

class MazeDrawingTest : public ::testing::Test {
protected:
    void sizeMaze(int width, int height, int cellSize) {
        maze->MazeWidth = width;
        maze->MazeHeight = height;
        maze->CellSize = cellSize;
        maze->Walls = Maze(width + 1, height + 1);
    }

    std::unique_ptr<MazeState> maze = std::make_unique<MazeState>();
    RecordingSurface surface;
};

TEST_F(MazeDrawingTest, TwoCellMazeIsItsSegmentsInOrderThenTheFrame) {
    sizeMaze(2, 1, 16);
    maze->Walls[0][0] = WallPair{1, 1};
    maze->Walls[1][0] = WallPair{0, 1};
    ShowMaze(*maze, surface, maze->Walls);
    EXPECT_EQ(surface.calls, (Calls{
                                 "pen Black",
                                 "move 5 5",
                                 "line 21 5",  // top of (0, 0)
                                 "pen Black",
                                 "move 5 5",
                                 "line 5 21",  // left of (0, 0)
                                 "pen Black",
                                 "move 21 5",
                                 "line 37 5",  // top of (1, 0)
                                 "pen Black",
                                 "move 0 21",
                                 "line 37 21",  // frame
                                 "line 37 0",
                             }));
}

TEST_F(MazeDrawingTest, NoFlagsDrawOnlyTheFrame) {
    sizeMaze(8, 8, 16);
    ShowMaze(*maze, surface, maze->Walls);
    EXPECT_EQ(surface.calls, (Calls{"pen Black", "move 0 133", "line 133 133", "line 133 0"}));
}

TEST_F(MazeDrawingTest, LargestMazeFrameEndsAt805) {
    sizeMaze(100, 100, 8);
    ShowMaze(*maze, surface, maze->Walls);
    EXPECT_EQ(surface.calls, (Calls{"pen Black", "move 0 805", "line 805 805", "line 805 0"}));
}

TEST_F(MazeDrawingTest, AnyNonZeroFlagDrawsAndTheOuterColumnAndRowNever) {
    sizeMaze(1, 1, 16);
    maze->Walls[0][0] = WallPair{2, 255};
    maze->Walls[1][0] = WallPair{1, 1};
    maze->Walls[0][1] = WallPair{1, 1};
    ShowMaze(*maze, surface, maze->Walls);
    EXPECT_EQ(surface.calls,
              (Calls{"pen Black", "move 5 5", "line 21 5", "pen Black", "move 5 5", "line 5 21",
                     "pen Black", "move 0 21", "line 21 21", "line 21 0"}));
}

// Black pixels a wall array must produce, worked out from the flags alone.
std::vector<bool> expectedBlack(const MazeState& maze) {
    const int size = maze.CellSize;
    const int margin = maze.Margin;
    std::vector<bool> black(static_cast<std::size_t>(RasterPicture::kWidth) *
                            RasterPicture::kHeight);
    const auto set = [&](int x, int y) {
        black[static_cast<std::size_t>(y) * RasterPicture::kWidth + x] = true;
    };
    for (int x = 0; x < maze.MazeWidth; ++x) {
        for (int y = 0; y < maze.MazeHeight; ++y) {
            for (int step = 0; step < size; ++step) {
                if (maze.Walls[x][y].Top != 0) {
                    set(margin + x * size + step, margin + y * size);
                }
                if (maze.Walls[x][y].Left != 0) {
                    set(margin + x * size, margin + y * size + step);
                }
            }
        }
    }
    const int right = margin + maze.MazeWidth * size;
    const int bottom = margin + maze.MazeHeight * size;
    for (int x = 0; x < right; ++x) {
        set(x, bottom);
    }
    for (int y = bottom; y > 0; --y) {
        set(right, y);
    }
    return black;
}

TEST_F(MazeDrawingTest, GeneratedMazesPaintExactlyTheirWallPixels) {
    SeededRandom random(4);
    for (const int side : {8, 100}) {
        testing::FakeControls controls(side, side);
        RasterPicture picture(testing::kTestBackground);
        BtGoClick(*maze, controls, picture, random);
        const std::vector<bool> black = expectedBlack(*maze);
        const Pixel blue = picture.colourValue(Colour::Blue);
        for (int y = 0; y < RasterPicture::kHeight; ++y) {
            for (int x = 0; x < RasterPicture::kWidth; ++x) {
                const bool isBlack = black[static_cast<std::size_t>(y) * RasterPicture::kWidth + x];
                const Pixel expected = isBlack              ? picture.colourValue(Colour::Black)
                                       : (x == 0 || y == 0) ? blue
                                                            : testing::kTestBackground;
                ASSERT_EQ(picture.pixel(x, y), expected) << side << ": " << x << ", " << y;
            }
        }
    }
}

TEST_F(MazeDrawingTest, DrawingTwiceChangesNothing) {
    SeededRandom random(5);
    testing::FakeControls controls(30, 20);
    RasterPicture picture(testing::kTestBackground);
    BtGoClick(*maze, controls, picture, random);
    const std::vector<Pixel> once = picture.pixels();
    ShowMaze(*maze, picture, maze->Walls);
    EXPECT_EQ(picture.pixels(), once);
}

}  // namespace
}  // namespace nitka
