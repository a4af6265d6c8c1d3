#include "render/pdf_render.h"

#include <gtest/gtest.h>

#include <ostream>
#include <regex>
#include <string>

#include "render/render_fixture.h"

namespace nitka {
namespace {

using testing::rendered;

int pageCount(const std::string& pdf) {
    const std::regex page(R"(/Type\s*/Page\b)");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

std::string mediaBox(const std::string& pdf) {
    std::smatch match;
    const std::regex box(R"(/MediaBox\s*\[\s*0 0 ([\d.]+) ([\d.]+)\s*\])");
    return std::regex_search(pdf, match, box) ? match[1].str() + " x " + match[2].str() : "";
}

TEST(PdfRender, OnePageOrAnAnswerPageBehindIt) {
    WallGrid grid = testing::picturedGrid();
    grid.setScratch(0, 1);
    const std::string puzzle = rendered(renderPdf, grid, RenderOptions{});
    EXPECT_EQ(puzzle.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pageCount(puzzle), 1);
    const std::string answered = rendered(renderPdf, grid, RenderOptions{.answer = true});
    EXPECT_EQ(answered.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pageCount(answered), 2);
    EXPECT_TRUE(answered.ends_with("%%EOF\n"));
}

struct SheetRow {
    const char* label;
    Paper paper;
    int width;
    int height;
    const char* sheet;  // the page's size in points, or "" when refused
};

// By its label: GoogleTest would otherwise print the row's bytes, padding and all.
void PrintTo(const SheetRow& row, std::ostream* out) {
    *out << row.label;
}

class PdfSheet : public ::testing::TestWithParam<SheetRow> {};

// The limit is a cell of 0.5 mm within 15 mm margins: A4 takes 360 x 534
// cells, Letter 371 x 498, either way round.
TEST_P(PdfSheet, FitsTheMazeOrRefusesItBeforeWritingAnything) {
    const SheetRow row = GetParam();
    const WallGrid grid(row.width, row.height);
    std::stringbuf out;
    try {
        renderPdf(grid, RenderOptions{.paper = row.paper}, out);
        EXPECT_EQ(mediaBox(out.str()), row.sheet);
    } catch (const RenderError& error) {
        EXPECT_STREQ(row.sheet, "") << error.what();
        EXPECT_EQ(out.str(), "");
        EXPECT_NE(std::string(error.what()).find(std::to_string(row.width) + " x "),
                  std::string::npos)
            << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, PdfSheet,
    ::testing::Values(SheetRow{"SmallOnA4", Paper::A4, 8, 8, "595.275591 x 841.889764"},
                      SheetRow{"SmallOnLetter", Paper::Letter, 8, 8, "612 x 792"},
                      SheetRow{"WideGoesSideways", Paper::A4, 40, 10, "841.889764 x 595.275591"},
                      SheetRow{"LargestOnA4", Paper::A4, 359, 533, "595.275591 x 841.889764"},
                      SheetRow{"LargestSidewaysOnA4", Paper::A4, 533, 359,
                               "841.889764 x 595.275591"},
                      SheetRow{"TooWideForA4", Paper::A4, 361, 534, ""},
                      SheetRow{"LargestOnLetter", Paper::Letter, 371, 498, "612 x 792"},
                      SheetRow{"TooTallForLetter", Paper::Letter, 371, 500, ""},
                      SheetRow{"Giant", Paper::A4, 1000, 1000, ""}),
    [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace nitka
