#include "render/picture_layout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "render/png_render.h"
#include "render/render_options.h"
#include "render/svg_render.h"

namespace nitka {
namespace {

TEST(PictureLayout, IsRefusedBeyondAMillionPixelsOrBelowTwoACell) {
    // Rows: label, maze width, height, cell size, accepted.
    const std::tuple<const char*, int, int, int, bool> kRows[] = {
        {"smallest cell", 1, 1, 2, true},
        {"cell of one", 10, 10, 1, false},
        {"negative cell", 10, 10, -4, false},
        {"widest picture", 99'998, 1, 10, true},  // 999,991 pixels
        {"one pixel too wide", 99'999, 1, 10, false},
        {"too tall", 1, 500'000, 2, false},
        // Would overflow a 32-bit side.
        {"huge cell", 2, 2, 2'000'000'000, false},
        {"huge maze", 2'000'000'000, 2, 100, false},
    };
    for (const auto& [label, width, height, cell, accepted] : kRows) {
        if (!accepted) {
            EXPECT_THROW(PictureLayout(width, height, cell), RenderError) << label;
            continue;
        }
        const PictureLayout layout(width, height, cell);
        EXPECT_LE(layout.pictureWidth(), PictureLayout::kMaxSide) << label;
        EXPECT_LE(layout.pictureHeight(), PictureLayout::kMaxSide) << label;
    }
}

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
