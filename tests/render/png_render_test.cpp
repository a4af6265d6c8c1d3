#include "render/png_render.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "commands/file_commands.h"
#include "commands/generate_command.h"
#include "commands/solve_command.h"
#include "model/seeded_random.h"
#include "picture/raster_picture.h"
#include "render/render_fixture.h"
#include "render/route_marks.h"
#include "solver/grid_search.h"
#include "storage/maze_writer.h"
#include "storage/storage_fixture.h"
#include "support/fake_controls.h"
#include "support/raster_text.h"
#include "walls/maze_drawing.h"

namespace nitka {
namespace {

using testing::decodePng;
using testing::GreyImage;

// The window's state with its picture, driven through its click commands.
class Window {
public:
    Window() : picture(testing::kTestBackground) {}

    void generate(int width, int height, std::uint64_t seed) {
        controls.width = width;
        controls.height = height;
        SeededRandom random(seed);
        BtGoClick(*maze, controls, picture, random);
    }

    void load(const std::string& path) {
        maze->MazeFileName = path;
        Button4Click(*maze, controls, picture);
    }

    // "SOLVE", and the same route marked in grid. False when there is none.
    bool solve(WallGrid& grid) {
        BtCheminClick(*maze, controls, picture);
        const auto route =
            findGridRoute(grid, {0, 0}, {maze->SolveWidth - 1, maze->SolveHeight - 1});
        if (route) {
            markRoute(grid, *route);
        }
        return route.has_value();
    }

    WallGrid grid() const {
        return testing::gridFromMaze({maze->MazeWidth, maze->MazeHeight, maze->Walls});
    }

    std::unique_ptr<MazeState> maze = std::make_unique<MazeState>();
    testing::FakeControls controls;
    RasterPicture picture;
};

// Where the PNG and the window's picture differ over the PNG's area, as
// "(x, y)" of the first few. With skipEdges the window's clearing line along
// its top and left edges is left out: the PNG must have nothing dark there but
// the frame's start at (0, bottom).
std::string differences(const GreyImage& png, const RasterPicture& window, int bottom,
                        bool skipEdges) {
    const Pixel black = window.colourValue(Colour::Black);
    std::string found;
    int count = 0;
    for (int y = 0; y < png.height; ++y) {
        for (int x = 0; x < png.width; ++x) {
            const bool expected = skipEdges && (x == 0 || y == 0) ? x == 0 && y == bottom
                                                                  : window.pixel(x, y) == black;
            if (png.dark(x, y) != expected && ++count <= 5) {
                found += "(" + std::to_string(x) + ", " + std::to_string(y) + ") ";
            }
        }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ: " + found;
}

std::string pngOf(const WallGrid& grid, int cell, bool route) {
    return testing::rendered(renderPng, grid, RenderOptions{.cell = cell, .route = route});
}

void expectWindowPicture(const Window& window, const WallGrid& grid, bool route) {
    const GreyImage png = decodePng(pngOf(grid, 0, route));
    const int cell = window.maze->CellSize;
    ASSERT_EQ(png.width, grid.width() * cell + 11);
    ASSERT_EQ(png.height, grid.height() * cell + 11);
    EXPECT_EQ(differences(png, window.picture, grid.height() * cell + 5, true), "");
}

struct WindowMaze {
    int width;
    int height;
    bool loaded;
};

// Generated: sizes that reach every cell size of the window, odd ones, its
// extremes and random ones. Loaded files hold any size from 1 on and flags
// other than 0 and 1, which are drawn as walls; few walls, so that most have a
// route.
std::vector<WindowMaze> windowMazes() {
    std::vector<WindowMaze> mazes{
        {8, 8, false},     {50, 50, false}, {51, 50, false}, {70, 70, false}, {71, 9, false},
        {100, 100, false}, {8, 100, false}, {99, 13, false}, {1, 1, true},    {3, 100, true},
        {100, 2, true},    {37, 61, true},  {64, 64, true}};
    SeededRandom random(7);
    for (int i = 0; i < 6; ++i) {
        mazes.push_back({8 + random.Random(93), 8 + random.Random(93), false});
    }
    return mazes;
}

TEST(PngRender, WindowsMazeHasTheWindowsPixelsWithAndWithoutTheRoute) {
    const testing::TempDir dir;
    SeededRandom random(11);
    int routes = 0;
    for (const auto& [width, height, loaded] : windowMazes()) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        Window window;
        if (loaded) {
            Maze walls(width + 1, height + 1);
            for (int x = 0; x < width; ++x) {
                for (int y = 0; y < height; ++y) {
                    constexpr std::uint8_t kFlags[] = {1, 2, 7, 255};
                    walls[x][y].Top = random.Random(5) == 0 ? kFlags[random.Random(4)] : 0;
                    walls[x][y].Left = random.Random(5) == 0 ? kFlags[random.Random(4)] : 0;
                }
            }
            std::ostringstream file;
            writeMaze(file, walls, width, height);
            testing::writeBytes(dir / "maze.txt", file.str());
            window.load(dir / "maze.txt");
            ASSERT_EQ(window.maze->MazeWidth, width);
        } else {
            window.generate(width, height, random.Random(1000));
        }
        WallGrid grid = window.grid();
        expectWindowPicture(window, grid, false);
        routes += window.solve(grid) ? 1 : 0;
        expectWindowPicture(window, grid, true);
    }
    // Every generated maze has its route, and most loaded ones.
    EXPECT_GE(routes, static_cast<int>(windowMazes().size()) - 2);
}

// Away from the window's sizes the walls follow its drawing all the same, and
// so do the dots as long as the window's dot fits in a cell. Below 8 pixels
// it would cover the walls: every route cell gets a dot of its own that stays
// off the wall lines.
TEST(PngRender, AnyCellSizeDrawsTheWallsAsTheWindowWouldAndDotsInsideTheirCells) {
    Window window;
    window.generate(40, 30, 5);
    MazeState& maze = *window.maze;
    WallGrid grid = window.grid();
    ASSERT_TRUE(window.solve(grid));
    for (int cell = 2; cell <= 20; ++cell) {
        SCOPED_TRACE("cell " + std::to_string(cell));
        maze.CellSize = cell;
        RasterPicture walls(testing::kTestBackground);
        ShowMaze(maze, walls, maze.Walls);
        const int bottom = maze.MazeHeight * cell + 5;
        const GreyImage plain = decodePng(pngOf(grid, cell, false));
        const GreyImage dotted = decodePng(pngOf(grid, cell, true));
        EXPECT_EQ(differences(plain, walls, bottom, false), "");
        if (cell >= 8) {
            maze.ErasePath = 0;
            RecursiveSolve(maze, walls, maze.Walls, 0, 0, maze.SolveWidth - 1,
                           maze.SolveHeight - 1);
            EXPECT_EQ(differences(dotted, walls, bottom, false), "");
            continue;
        }
        std::vector<int> dotPixels(grid.cellCount(), 0);
        int stray = 0;
        for (int y = 0; y < plain.height; ++y) {
            for (int x = 0; x < plain.width; ++x) {
                if (plain.dark(x, y) || !dotted.dark(x, y)) {
                    continue;
                }
                if (x < 5 || y < 5 || (x - 5) % cell == 0 || (y - 5) % cell == 0) {
                    ++stray;
                    continue;
                }
                ++dotPixels[grid.index({(x - 5) / cell, (y - 5) / cell})];
            }
        }
        EXPECT_EQ(stray, 0);
        for (std::size_t i = 0; i < dotPixels.size(); ++i) {
            EXPECT_EQ(dotPixels[i] > 0, grid.scratch(i) != 0) << "cell " << i;
        }
    }
}

TEST(PngRender, BigMazeIsOneBitGreyOfTheLaidOutSize) {
    const WallGrid grid(3000, 1000);
    const std::string bytes = pngOf(grid, 2, false);
    // IHDR follows the 8-byte signature and the chunk's length and type.
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes.at(i)); };
    const auto number = [&](std::size_t i) {
        return byte(i) << 24 | byte(i + 1) << 16 | byte(i + 2) << 8 | byte(i + 3);
    };
    EXPECT_EQ(bytes.substr(12, 4), "IHDR");
    EXPECT_EQ(number(16), 6011);
    EXPECT_EQ(number(20), 2011);
    EXPECT_EQ(byte(24), 1) << "bit depth";
    EXPECT_EQ(byte(25), 0) << "colour type: greyscale";
    // Every cell walled: a grid line every other pixel row.
    const GreyImage image = decodePng(bytes);
    EXPECT_TRUE(image.dark(5, 2005) && image.dark(6, 2005) && image.dark(6, 5));
    EXPECT_FALSE(image.dark(6, 6) || image.dark(6, 2006) || image.dark(6, 0));
}

}  // namespace
}  // namespace nitka
