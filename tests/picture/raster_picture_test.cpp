#include "picture/raster_picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/raster_text.h"

namespace nitka {
namespace {

using testing::kTestBackground;
using testing::rasterText;
using Rows = std::vector<std::string>;

class CountingDisplay final : public PictureDisplay {
public:
    void scheduleRedraw() override { ++scheduled; }
    void redrawNow() override { ++immediate; }
    int scheduled = 0;
    int immediate = 0;
};

class RasterPictureTest : public ::testing::Test {
protected:
    // Starts every test from a known background instead of the initial white.
    void clearToBackground() {
        picture.setPenColour(Colour::Background);
        picture.setBrushColour(Colour::Background);
        picture.rectangle(0, 0, RasterPicture::kWidth, RasterPicture::kHeight);
    }

    int countPixels(Pixel value) const {
        int count = 0;
        for (const Pixel pixel : picture.pixels()) {
            count += pixel == value ? 1 : 0;
        }
        return count;
    }

    RasterPicture picture{kTestBackground};
};

TEST_F(RasterPictureTest, FirstOperationButRepaintMakesAWhiteBitmapWithBlackPenWhiteBrush) {
    picture.repaint();
    EXPECT_FALSE(picture.hasBitmap());
    picture.moveTo(3, 3);
    ASSERT_TRUE(picture.hasBitmap());
    EXPECT_EQ(countPixels(rgb(255, 255, 255)), RasterPicture::kWidth * RasterPicture::kHeight);
    picture.lineTo(5, 3);
    picture.rectangle(10, 10, 13, 13);
    EXPECT_EQ(rasterText(picture, 3, 3, 3, 1), Rows{"BBw"});
    EXPECT_EQ(rasterText(picture, 10, 10, 3, 3), (Rows{"BBB", "BwB", "BBB"}));
}

TEST_F(RasterPictureTest, ClearingRectangleLeavesPenLineAlongTopAndLeftOnly) {
    picture.setPenColour(Colour::Blue);
    picture.setBrushColour(Colour::Background);
    picture.rectangle(0, 0, 2000, 2000);

    const int width = RasterPicture::kWidth;
    const int height = RasterPicture::kHeight;
    EXPECT_EQ(countPixels(picture.colourValue(Colour::Blue)), width + height - 1);
    EXPECT_EQ(countPixels(kTestBackground), (width - 1) * (height - 1));
    for (int x = 0; x < width; ++x) {
        ASSERT_EQ(picture.pixel(x, 0), picture.colourValue(Colour::Blue)) << x;
    }
    for (int y = 0; y < height; ++y) {
        ASSERT_EQ(picture.pixel(0, y), picture.colourValue(Colour::Blue)) << y;
    }
}

TEST_F(RasterPictureTest, RectangleFillsUpToButNotIncludingItsFarCorner) {
    clearToBackground();
    picture.setPenColour(Colour::Black);
    picture.setBrushColour(Colour::Blue);
    picture.rectangle(1, 1, 6, 5);
    EXPECT_EQ(rasterText(picture, 0, 0, 7, 6), (Rows{
                                                   ".......",
                                                   ".BBBBB.",
                                                   ".BbbbB.",
                                                   ".BbbbB.",
                                                   ".BBBBB.",
                                                   ".......",
                                               }));
}

TEST_F(RasterPictureTest, EmptyShapesAndALineToItsOwnStartPaintNothing) {
    clearToBackground();
    picture.setPenColour(Colour::Black);
    picture.setBrushColour(Colour::Black);
    picture.rectangle(5, 5, 5, 9);
    picture.rectangle(9, 9, 5, 5);
    picture.ellipse(5, 5, 9, 5);
    picture.moveTo(7, 7);
    picture.lineTo(7, 7);
    EXPECT_EQ(countPixels(kTestBackground), RasterPicture::kWidth * RasterPicture::kHeight);
}

TEST_F(RasterPictureTest, LinesExcludeTheirEndPixelInEveryDirection) {
    clearToBackground();
    picture.setPenColour(Colour::Black);
    picture.moveTo(1, 1);
    picture.lineTo(5, 1);  // right
    picture.lineTo(5, 4);  // down
    picture.lineTo(2, 4);  // left
    picture.lineTo(2, 2);  // up
    EXPECT_EQ(rasterText(picture, 0, 0, 7, 6), (Rows{
                                                   ".......",
                                                   ".BBBBB.",
                                                   ".....B.",
                                                   "..B..B.",
                                                   "..BBBB.",
                                                   ".......",
                                               }));
}

TEST_F(RasterPictureTest, GeneralLinesStepOnePixelPerMajorUnit) {
    clearToBackground();
    picture.setPenColour(Colour::Black);
    picture.moveTo(0, 0);
    picture.lineTo(7, 2);
    picture.moveTo(0, 4);
    picture.lineTo(3, 7);  // exact diagonal
    EXPECT_EQ(rasterText(picture, 0, 0, 8, 8), (Rows{
                                                   "BB......",
                                                   "..BBBB..",
                                                   "......B.",
                                                   "........",
                                                   "B.......",
                                                   ".B......",
                                                   "..B.....",
                                                   "........",
                                               }));
}

TEST_F(RasterPictureTest, LineMovesTheCurrentPositionEvenWhenClipped) {
    clearToBackground();
    picture.setPenColour(Colour::Black);
    picture.moveTo(-5, 2);
    picture.lineTo(3, 2);
    picture.lineTo(3, -4);
    picture.lineTo(3000, -4);
    picture.lineTo(3000, 1);
    picture.moveTo(RasterPicture::kWidth - 2, 900);
    picture.lineTo(RasterPicture::kWidth + 5, RasterPicture::kHeight - 1);
    EXPECT_EQ(rasterText(picture, 0, 0, 5, 3), (Rows{"...B.", "...B.", "BBBB."}));
    EXPECT_EQ(countPixels(picture.colourValue(Colour::Black)), 6);
}

TEST_F(RasterPictureTest, SmallEllipseIsItsBoxWithoutCornersOutlinedByThePen) {
    clearToBackground();
    picture.setPenColour(Colour::Black);
    picture.setBrushColour(Colour::Blue);
    picture.ellipse(1, 1, 6, 6);
    EXPECT_EQ(rasterText(picture, 0, 0, 7, 7), (Rows{
                                                   ".......",
                                                   "..BBB..",
                                                   ".BbbbB.",
                                                   ".BbbbB.",
                                                   ".BbbbB.",
                                                   "..BBB..",
                                                   ".......",
                                               }));
}

TEST_F(RasterPictureTest, EllipseAtTheEdgeIsClipped) {
    clearToBackground();
    picture.setPenColour(Colour::Black);
    picture.setBrushColour(Colour::Black);
    picture.ellipse(-2, -2, 3, 3);
    EXPECT_EQ(rasterText(picture, 0, 0, 3, 3), (Rows{"BBB", "BBB", "BB."}));
}

TEST_F(RasterPictureTest, PaintingSchedulesARedrawAndRepaintRedrawsAtOnce) {
    CountingDisplay display;
    picture.setDisplay(&display);
    picture.repaint();
    EXPECT_EQ(display.immediate, 1);
    picture.moveTo(1, 1);  // makes the bitmap: the screen must change to white
    const int afterCreation = display.scheduled;
    EXPECT_GE(afterCreation, 1);
    picture.lineTo(4, 1);
    picture.rectangle(0, 0, 2, 2);
    picture.ellipse(0, 0, 5, 5);
    EXPECT_EQ(display.scheduled, afterCreation + 3);
    EXPECT_EQ(display.immediate, 1);
}

}  // namespace
}  // namespace nitka
