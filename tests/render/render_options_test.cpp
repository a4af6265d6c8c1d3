#include "render/render_options.h"

#include <gtest/gtest.h>

#include <tuple>

namespace nitka {
namespace {

// The window's size up to 100 x 100, then the largest that keeps the longer
// side of the picture (cells plus 11 pixels) under 20,000.
TEST(DefaultCellSize, MatchesTheWindowThenKeepsPicturesOpenable) {
    // Rows: label, maze width, height, cell size.
    const std::tuple<const char*, int, int, int> kRows[] = {
        {"window 50", 50, 50, 16},
        {"window 70", 70, 51, 11},
        {"window 100", 8, 100, 8},
        {"just beyond the window", 101, 3, 8},
        {"longest at 8", 3, 2498, 8},
        {"shortest at 4", 2499, 3, 4},
        {"longest at 4", 4997, 4997, 4},
        {"shortest at 2", 4998, 1, 2},
        {"beyond any comfort", 10'000, 10'000, 2},
    };
    for (const auto& [label, width, height, cell] : kRows) {
        EXPECT_EQ(defaultCellSize(width, height), cell) << label;
        EXPECT_EQ(cellSizeOf(RenderOptions{}, width, height), cell) << label;
    }
}

}  // namespace
}  // namespace nitka
