#include "render/pdf_render.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <tuple>

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
    const WallGrid grid = testing::picturedGrid();
    const std::string puzzle = rendered(renderPdf, grid, RenderOptions{});
    EXPECT_EQ(puzzle.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pageCount(puzzle), 1);
    const std::string answered = rendered(renderPdf, grid, RenderOptions{.answer = true});
    EXPECT_EQ(answered.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pageCount(answered), 2);
    EXPECT_TRUE(answered.ends_with("%%EOF\n"));
}

// The limit is a cell of 0.5 mm within 15 mm margins: A4 takes 360 x 534
// cells, Letter 371 x 498, either way round. A refused maze is refused before
// anything is written.
TEST(PdfRender, FitsTheMazeOnTheSheetOrRefusesIt) {
    // Rows: label, paper, maze width, height, the page's size in points or ""
    // when refused.
    const std::tuple<const char*, Paper, int, int, std::string> kRows[] = {
        {"small on A4", Paper::A4, 8, 8, "595.275591 x 841.889764"},
        {"wide goes sideways", Paper::A4, 40, 10, "841.889764 x 595.275591"},
        {"largest on A4", Paper::A4, 359, 533, "595.275591 x 841.889764"},
        {"largest sideways on A4", Paper::A4, 533, 359, "841.889764 x 595.275591"},
        {"too wide for A4", Paper::A4, 361, 534, ""},
        {"largest on Letter", Paper::Letter, 371, 498, "612 x 792"},
        {"too tall for Letter", Paper::Letter, 371, 500, ""},
        {"giant", Paper::A4, 1000, 1000, ""},
    };
    for (const auto& [label, paper, width, height, sheet] : kRows) {
        std::stringbuf out;
        try {
            renderPdf(WallGrid(width, height), RenderOptions{.paper = paper}, out);
            EXPECT_EQ(mediaBox(out.str()), sheet) << label;
        } catch (const RenderError& error) {
            EXPECT_EQ(sheet, "") << label << ": " << error.what();
            EXPECT_EQ(out.str(), "") << label;
            EXPECT_NE(std::string(error.what()).find(std::to_string(width) + " x "),
                      std::string::npos)
                << error.what();
        }
    }
}

}  // namespace
}  // namespace nitka
