#include "walls/text_form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "commands/generate_command.h"
#include "model/seeded_random.h"
#include "support/fake_controls.h"
#include "support/raster_text.h"
#include "support/recording_surface.h"
#include "walls/two_cell_maze.h"

namespace nitka {
namespace {

using testing::FakeControls;
using testing::RecordingSurface;

std::string repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

class TextFormTest : public ::testing::Test {
protected:
    void generate(int width, int height) {
        FakeControls controls(width, height);
        RecordingSurface surface;
        BtGoClick(*maze, controls, surface, random);
    }

    std::unique_ptr<MazeState> maze = std::make_unique<MazeState>();
    SeededRandom random{99};
};

TEST_F(TextFormTest, TwoCellMazeIsThreeLinesOfWallPieces) {
    testing::carveTwoCellMaze(*maze);
    RecordingSurface surface;
    ploh25_(*maze, surface);
    EXPECT_EQ(maze->MazeText[0], "  - -");
    EXPECT_EQ(maze->MazeText[1], " |   |");
    EXPECT_EQ(maze->MazeText[2], "  - -");
    EXPECT_EQ(maze->MazeText[3], "");
    EXPECT_EQ(surface.calls, (std::vector<std::string>{"pen Blue", "brush Background",
                                                       "rectangle 0 0 2000 2000"}));
}

TEST_F(TextFormTest, EvenMazesShowAClosedOutline) {
    for (const auto& [width, height] : {std::pair{8, 8}, std::pair{100, 100}, std::pair{24, 10}}) {
        generate(width, height);
        SCOPED_TRACE(::testing::Message() << width << "x" << height);
        const std::string closedRow = " " + repeat(" -", width);
        EXPECT_EQ(maze->MazeText[0], closedRow);
        EXPECT_EQ(maze->MazeText[2 * height], closedRow);
        for (int r = 0; r <= height; ++r) {
            ASSERT_EQ(maze->MazeText[2 * r].size(), 2u * width + 1);
        }
        for (int r = 0; r < height; ++r) {
            const std::string& line = maze->MazeText[2 * r + 1];
            ASSERT_EQ(line.size(), 2u * width + 2);
            ASSERT_EQ(line.substr(0, 2), " |");
            ASSERT_EQ(line.substr(line.size() - 2), " |");
        }
    }
}

TEST_F(TextFormTest, FirstOddMazeOfARunEndsInBlanksBeyondTheCarvedRegion) {
    generate(9, 9);
    for (int r = 0; r < 9; ++r) {
        const std::string& line = maze->MazeText[2 * r + 1];
        ASSERT_EQ(line.size(), 20u);
        if (r < 8) {
            EXPECT_EQ(line.substr(16, 2), " |") << r;  // the border of the carved 8 x 8
        }
        EXPECT_EQ(line.substr(18, 2), "  ") << r;
    }
    EXPECT_EQ(maze->MazeText[16], " " + repeat(" -", 8) + "  ");
    EXPECT_EQ(maze->MazeText[17], repeat("  ", 10));
    EXPECT_EQ(maze->MazeText[18], repeat("  ", 9) + " ");
}

TEST_F(TextFormTest, OddMazeReadsWhatALargerMazeLeftInTheGrid) {
    generate(50, 50);
    const Grid larger = maze->CellGrid;
    generate(9, 9);
    for (int r = 0; r < 9; ++r) {
        const std::string expected = larger[18][2 * r + 1] != 0 ? " |" : "  ";
        EXPECT_EQ(maze->MazeText[2 * r + 1].substr(18, 2), expected) << r;
    }
    for (int c = 0; c < 9; ++c) {
        const std::string expected = larger[2 * c + 1][18] != 0 ? " -" : "  ";
        EXPECT_EQ(maze->MazeText[18].substr(2 * c + 1, 2), expected) << c;
    }
}

TEST_F(TextFormTest, LinesAboveTheNewMazeKeepTheOldText) {
    generate(50, 50);
    const auto before = maze->MazeText;
    generate(8, 8);
    for (int line = 17; line < kMazeTextLines; ++line) {
        ASSERT_EQ(maze->MazeText[line], before[line]) << line;
    }
    EXPECT_EQ(maze->MazeText[16].size(), 17u);
}

TEST_F(TextFormTest, ClearedPictureIsBackgroundWithABlueTopAndLeftEdge) {
    testing::carveTwoCellMaze(*maze);
    RasterPicture picture(testing::kTestBackground);
    ploh25_(*maze, picture);
    const Pixel blue = picture.colourValue(Colour::Blue);
    for (int y = 0; y < RasterPicture::kHeight; ++y) {
        for (int x = 0; x < RasterPicture::kWidth; ++x) {
            const Pixel expected = (x == 0 || y == 0) ? blue : testing::kTestBackground;
            ASSERT_EQ(picture.pixel(x, y), expected) << x << ", " << y;
        }
    }
    EXPECT_EQ(picture.penColour(), Colour::Blue);
    EXPECT_EQ(picture.brushColour(), Colour::Background);
}

}  // namespace
}  // namespace nitka
