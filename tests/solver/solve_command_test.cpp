#include "solver/solve_command.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/generate_command.h"
#include "model/seeded_random.h"
#include "solver/maze_pictures.h"
#include "support/fake_controls.h"
#include "support/recording_surface.h"
#include "ui/raster_picture.h"

namespace nitka {
namespace {

using testing::FakeControls;
using testing::mazeFromPicture;
using testing::RecordingSurface;
using testing::SizedMaze;

// Dead end to the right of the start, so the route turns down: (0, 0), (0, 1), (1, 1).
SizedMaze twoByTwo() {
    return mazeFromPicture({"+--+--+", "|     |", "+  +--+", "|     |", "+--+--+"});
}

class SolveClick : public ::testing::Test {
protected:
    void useMaze(SizedMaze sized, int cellSize = 16) {
        maze.MazeWidth = sized.width;
        maze.MazeHeight = sized.height;
        maze.Walls = std::move(sized.walls);
        maze.CellSize = cellSize;
        maze.MazeReady = 1;
    }
    void click() { BtCheminClick(maze, controls, surface); }

    MazeState maze;
    FakeControls controls;
    RecordingSurface surface;
};

TEST_F(SolveClick, DrawingPassPaintsBlackDotsAlongTheRoute) {
    useMaze(twoByTwo());
    click();
    EXPECT_EQ(surface.calls,
              (std::vector<std::string>{"brush Black", "pen Black", "ellipse 12 12 17 17",
                                        "pen Black", "ellipse 12 28 17 33", "pen Black",
                                        "ellipse 28 28 33 33", "brush Background"}));
    EXPECT_EQ(controls.caption, "SHOW");
    EXPECT_EQ(maze.PathHidden, 0);
    EXPECT_EQ(maze.ErasePath, 0);
}

TEST_F(SolveClick, ErasingPassPaintsTheSameDotsInBackground) {
    useMaze(twoByTwo());
    click();
    surface.calls.clear();
    click();
    const std::vector<std::string> dot = {"pen Black", "pen Background", "brush Background"};
    std::vector<std::string> expected = {"brush Black"};
    for (const char* box : {"ellipse 12 12 17 17", "ellipse 12 28 17 33", "ellipse 28 28 33 33"}) {
        expected.insert(expected.end(), dot.begin(), dot.end());
        expected.emplace_back(box);
    }
    expected.emplace_back("brush Background");
    EXPECT_EQ(surface.calls, expected);
    EXPECT_EQ(controls.caption, "SOLVE");
    EXPECT_EQ(maze.PathHidden, 1);
    EXPECT_EQ(maze.ErasePath, 1);
}

TEST_F(SolveClick, BeforeAnyMazeChangesNothing) {
    click();
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(controls.caption, "SOLVE");
    EXPECT_EQ(maze.PathHidden, 1);
    EXPECT_EQ(maze.ErasePath, 0);
    EXPECT_EQ(maze.SolveWidth, 0);
}

TEST_F(SolveClick, WithoutRouteStillSwitchesCaption) {
    useMaze(testing::boxMaze(3, 2, true));
    click();
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(controls.caption, "SHOW");
    EXPECT_EQ(maze.PathHidden, 0);
    click();
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(controls.caption, "SOLVE");
    EXPECT_EQ(maze.PathHidden, 1);
}

// Sizes a loaded file can give: no cells at all, or a single column or row,
// whose odd size puts the target at -1.
TEST_F(SolveClick, MazeWithoutStartOrTargetPaintsNothing) {
    for (const auto& [width, height] : {std::pair{0, 6}, {6, 0}, {1, 6}, {6, 1}, {-4, 6}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        useMaze(width < 0 ? SizedMaze{width, height, Maze()}
                          : testing::boxMaze(width, height, false));
        maze.PathHidden = 1;
        click();
        EXPECT_TRUE(surface.calls.empty());
        EXPECT_EQ(controls.caption, "SHOW");
    }
}

TEST_F(SolveClick, OddSizeSearchesTheCarvedPartOnly) {
    FakeControls sizes(51, 50);
    SeededRandom random(7);
    BtGoClick(maze, sizes, surface, random);
    surface.calls.clear();
    click();
    EXPECT_EQ(maze.SolveWidth, 50);
    EXPECT_EQ(maze.SolveHeight, 50);
    // Cell (49, 49) at 11 pixels a cell: 1089 div 2 = 544.
    ASSERT_GE(surface.calls.size(), 2u);
    EXPECT_EQ(surface.calls[surface.calls.size() - 2], "ellipse 548 548 553 553");
}

struct DotRow {
    std::string label;
    int cellSize;
    Position cell;
    std::string box;
};

class DotBox : public ::testing::TestWithParam<DotRow> {};

TEST_P(DotBox, SitsNearTheCellCentre) {
    const DotRow& row = GetParam();
    MazeState maze;
    maze.MazeWidth = 2;
    maze.MazeHeight = 2;
    maze.CellSize = row.cellSize;
    RecordingSurface surface;
    const SizedMaze sized = testing::boxMaze(2, 2, false);
    RecursiveSolve(maze, surface, sized.walls, row.cell.x, row.cell.y, row.cell.x, row.cell.y);
    EXPECT_EQ(surface.calls,
              (std::vector<std::string>{"brush Black", "pen Black", row.box, "brush Background"}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, DotBox,
                         ::testing::Values(DotRow{"Size16", 16, {0, 0}, "ellipse 12 12 17 17"},
                                           DotRow{"Size11", 11, {0, 0}, "ellipse 9 9 14 14"},
                                           DotRow{"Size8", 8, {0, 0}, "ellipse 8 8 13 13"},
                                           DotRow{
                                               "Size11Second", 11, {1, 0}, "ellipse 20 9 25 14"}),
                         [](const auto& test) { return test.param.label; });

// The route's dots must stay clear of the walls, or erasing them would leave
// gaps in the drawing.
class ErasingPass : public ::testing::TestWithParam<int> {};

TEST_P(ErasingPass, RestoresEveryPixelTheDrawingChanged) {
    const int side = GetParam();
    MazeState maze;
    FakeControls controls(side, side);
    SeededRandom random(static_cast<std::uint32_t>(side));
    RasterPicture picture(rgb(0xEF, 0xEF, 0xEF));
    BtGoClick(maze, controls, picture, random);
    const std::vector<Pixel> maze_only = picture.pixels();

    BtCheminClick(maze, controls, picture);
    const std::vector<Pixel> with_route = picture.pixels();
    EXPECT_NE(with_route, maze_only);
    EXPECT_EQ(picture.pixel(maze.Margin + maze.CellSize / 2, maze.Margin + maze.CellSize / 2),
              picture.colourValue(Colour::Black));
    EXPECT_EQ(picture.penColour(), Colour::Black);
    EXPECT_EQ(picture.brushColour(), Colour::Background);

    BtCheminClick(maze, controls, picture);
    EXPECT_TRUE(picture.pixels() == maze_only);
    EXPECT_EQ(picture.penColour(), Colour::Background);
    EXPECT_EQ(picture.brushColour(), Colour::Background);
}

INSTANTIATE_TEST_SUITE_P(CellSizes, ErasingPass, ::testing::Values(8, 50, 64, 100));

}  // namespace
}  // namespace nitka
