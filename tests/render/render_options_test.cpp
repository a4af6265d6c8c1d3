#include "render/render_options.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace nitka {
namespace {

struct CellRow {
    const char* label;
    int width;
    int height;
    int cell;
};

// By its label: GoogleTest would otherwise print the row's bytes, padding and all.
void PrintTo(const CellRow& row, std::ostream* out) {
    *out << row.label;
}

class DefaultCellSize : public ::testing::TestWithParam<CellRow> {};

// The window's size up to 100 x 100, then the largest that keeps the longer
// side of the picture (cells plus 11 pixels) under 20,000.
TEST_P(DefaultCellSize, MatchesTheWindowThenKeepsPicturesOpenable) {
    const CellRow row = GetParam();
    EXPECT_EQ(defaultCellSize(row.width, row.height), row.cell);
    EXPECT_EQ(cellSizeOf(RenderOptions{}, row.width, row.height), row.cell);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, DefaultCellSize,
    ::testing::Values(CellRow{"Window50", 50, 50, 16}, CellRow{"Window70", 70, 51, 11},
                      CellRow{"Window100", 8, 100, 8}, CellRow{"JustBeyondTheWindow", 101, 3, 8},
                      CellRow{"LongestAtEight", 3, 2498, 8}, CellRow{"ShortestAtFour", 2499, 3, 4},
                      CellRow{"LongestAtFour", 4997, 4997, 4}, CellRow{"ShortestAtTwo", 4998, 1, 2},
                      CellRow{"BeyondAnyComfort", 10'000, 10'000, 2}),
    [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace nitka
