#include "commands/solve_command.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "commands/generate_command.h"
#include "model/seeded_random.h"
#include "picture/raster_picture.h"
#include "solver/maze_pictures.h"
#include "support/fake_controls.h"
#include "support/recording_surface.h"

namespace nitka {
namespace {

using testing::FakeControls;
using testing::mazeFromPicture;
using testing::SizedMaze;

class SolveClick : public ::testing::Test {
protected:
    void useMaze(SizedMaze sized) {
        maze.MazeWidth = sized.width;
        maze.MazeHeight = sized.height;
        maze.Walls = std::move(sized.walls);
        maze.CellSize = 16;
        maze.MazeReady = 1;
    }
    // The calls the click painted.
    std::vector<std::string> click() {
        surface.calls.clear();
        BtCheminClick(maze, controls, surface);
        return surface.calls;
    }

    MazeState maze;
    FakeControls controls;
    testing::RecordingSurface surface;
};

// Dead end to the right of the start, so the route turns down: (0, 0), (0, 1), (1, 1).
TEST_F(SolveClick, PaintsTheRouteThenErasesIt) {
    useMaze(mazeFromPicture({"+--+--+", "|     |", "+  +--+", "|     |", "+--+--+"}));
    EXPECT_EQ(click(), (std::vector<std::string>{"brush Black", "pen Black", "ellipse 12 12 17 17",
                                                 "pen Black", "ellipse 12 28 17 33", "pen Black",
                                                 "ellipse 28 28 33 33", "brush Background"}));
    EXPECT_EQ(controls.caption, "SHOW");

    EXPECT_EQ(click(), (std::vector<std::string>{
                           "brush Black", "pen Black", "pen Background", "brush Background",
                           "ellipse 12 12 17 17", "pen Black", "pen Background", "brush Background",
                           "ellipse 12 28 17 33", "pen Black", "pen Background", "brush Background",
                           "ellipse 28 28 33 33", "brush Background"}));
    EXPECT_EQ(controls.caption, "SOLVE");
}

TEST_F(SolveClick, BeforeAnyMazeChangesNothing) {
    EXPECT_TRUE(click().empty());
    EXPECT_EQ(controls.caption, "SOLVE");
    EXPECT_EQ(maze.PathHidden, 1);
}

// A walled-off target, and sizes a loaded file can give: no cells at all, or a
// single column or row, whose odd size puts the target at -1.
TEST_F(SolveClick, WithoutRouteOnlySwitchesCaption) {
    for (SizedMaze sized :
         {mazeFromPicture({"+--+--+", "|     |", "+--+--+", "|     |", "+--+--+"}),
          SizedMaze{0, 6, Maze(1, 7)}, SizedMaze{6, 0, Maze(7, 1)}, SizedMaze{1, 6, Maze(2, 7)},
          SizedMaze{6, 1, Maze(7, 2)}, SizedMaze{-4, 6, Maze()}}) {
        SCOPED_TRACE(std::to_string(sized.width) + " x " + std::to_string(sized.height));
        useMaze(std::move(sized));
        EXPECT_TRUE(click().empty());
        EXPECT_EQ(controls.caption, "SHOW");
        EXPECT_TRUE(click().empty());
        EXPECT_EQ(controls.caption, "SOLVE");
    }
}

TEST_F(SolveClick, OddSizeSearchesTheCarvedPartOnly) {
    FakeControls sizes(51, 50);
    SeededRandom random(7);
    BtGoClick(maze, sizes, surface, random);
    const std::vector<std::string> calls = click();
    // Cell (49, 49) at 11 pixels a cell: 1089 div 2 = 544.
    EXPECT_EQ(calls.at(calls.size() - 2), "ellipse 548 548 553 553");
}

TEST_F(SolveClick, DotSitsNearTheCellCentre) {
    useMaze({2, 2, Maze(3, 3)});
    for (const auto& [cellSize, x, box] : {std::tuple{16, 0, "ellipse 12 12 17 17"},
                                           {11, 0, "ellipse 9 9 14 14"},
                                           {8, 0, "ellipse 8 8 13 13"},
                                           {11, 1, "ellipse 20 9 25 14"}}) {
        maze.CellSize = cellSize;
        surface.calls.clear();
        RecursiveSolve(maze, surface, maze.Walls, x, 0, x, 0);
        EXPECT_EQ(surface.calls.at(2), box);
    }
}

// The route's dots must stay clear of the walls, or erasing them would leave
// gaps in the drawing.
TEST(ErasingPass, RestoresEveryPixelTheDrawingChanged) {
    for (const int side : {50, 64, 100}) {
        MazeState maze;
        FakeControls controls(side, side);
        SeededRandom random(side);
        RasterPicture picture(rgb(0xEF, 0xEF, 0xEF));
        BtGoClick(maze, controls, picture, random);
        const std::vector<Pixel> mazeOnly = picture.pixels();

        BtCheminClick(maze, controls, picture);
        EXPECT_EQ(picture.pixel(maze.Margin + maze.CellSize / 2, maze.Margin + maze.CellSize / 2),
                  picture.colourValue(Colour::Black));
        BtCheminClick(maze, controls, picture);
        EXPECT_TRUE(picture.pixels() == mazeOnly) << "side " << side;
    }
}

}  // namespace
}  // namespace nitka
