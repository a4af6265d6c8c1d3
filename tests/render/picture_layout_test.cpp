#include "render/picture_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "render/png_render.h"
#include "render/render_options.h"
#include "render/svg_render.h"

namespace nitka {
namespace {

struct SizeRow {
    const char* label;
    int width;
    int height;
    int cell;
    bool accepted;
};

// By its label: GoogleTest would otherwise print the row's bytes, padding and all.
void PrintTo(const SizeRow& row, std::ostream* out) {
    *out << row.label;
}

class PictureSize : public ::testing::TestWithParam<SizeRow> {};

TEST_P(PictureSize, IsRefusedBeyondAMillionPixelsOrBelowTwoACell) {
    const SizeRow row = GetParam();
    if (row.accepted) {
        const PictureLayout layout(row.width, row.height, row.cell);
        EXPECT_LE(layout.pictureWidth(), PictureLayout::kMaxSide);
        EXPECT_LE(layout.pictureHeight(), PictureLayout::kMaxSide);
        return;
    }
    EXPECT_THROW(PictureLayout(row.width, row.height, row.cell), RenderError);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PictureSize,
                         ::testing::Values(SizeRow{"SmallestCell", 1, 1, 2, true},
                                           SizeRow{"CellOfOne", 10, 10, 1, false},
                                           SizeRow{"NegativeCell", 10, 10, -4, false},
                                           SizeRow{"WidestPicture", 99'998, 1, 10,
                                                   true},  // 999,991 pixels
                                           SizeRow{"OnePixelTooWide", 99'999, 1, 10, false},
                                           SizeRow{"TooTall", 1, 500'000, 2, false},
                                           // Would overflow a 32-bit side.
                                           SizeRow{"HugeCell", 2, 2, 2'000'000'000, false},
                                           SizeRow{"HugeMaze", 2'000'000'000, 2, 100, false}),
                         [](const auto& row) { return std::string(row.param.label); });

TEST(PictureLayout, RefusedPictureWritesNothing) {
    const WallGrid grid(3, 3);
    for (const auto writer : {renderPng, renderSvg}) {
        std::stringbuf out;
        EXPECT_THROW(writer(grid, RenderOptions{.cell = 1}, out), RenderError);
        EXPECT_EQ(out.str(), "");
    }
}

}  // namespace
}  // namespace nitka
