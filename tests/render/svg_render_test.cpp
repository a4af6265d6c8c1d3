#include "render/svg_render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "model/seeded_random.h"
#include "render/png_render.h"
#include "render/render_fixture.h"

namespace nitka {
namespace {

using testing::rendered;

std::vector<std::string> elements(const std::string& svg, const std::string& name) {
    std::vector<std::string> found;
    const std::regex element("<" + name + " [^>]*/>");
    for (std::sregex_iterator it(svg.begin(), svg.end(), element), end; it != end; ++it) {
        found.push_back(it->str());
    }
    return found;
}

// Four runs across, four down and the two frame lines, in a standalone
// document of the picture's size; the route only when asked.
TEST(SvgRender, MergesWallsIntoOneLineARunAndAddsTheFrame) {
    const std::string svg = rendered(renderSvg, testing::picturedGrid(), RenderOptions{.cell = 16});
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    EXPECT_NE(svg.find(R"(xmlns="http://www.w3.org/2000/svg")"), std::string::npos);
    EXPECT_NE(svg.find(R"(width="75" height="59" viewBox="0 0 75 59")"), std::string::npos);
    EXPECT_TRUE(svg.ends_with("</svg>\n"));
    const std::vector<std::string> lines = elements(svg, "line");
    EXPECT_EQ(lines.size(), 10u);
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has(R"(<line x1="5" y1="5.5" x2="69" y2="5.5"/>)")) << "the whole top row";
    EXPECT_TRUE(has(R"(<line x1="53.5" y1="5" x2="53.5" y2="37"/>)")) << "through the ':' flag";
    EXPECT_TRUE(has(R"(<line x1="0" y1="53.5" x2="69" y2="53.5"/>)")) << "bottom frame";
    EXPECT_TRUE(has(R"(<line x1="69.5" y1="54" x2="69.5" y2="1"/>)")) << "right frame";
    EXPECT_TRUE(elements(svg, "circle").empty());
}

TEST(SvgRender, RouteIsACircleOnEachMarkedCell) {
    const std::string svg =
        rendered(renderSvg, testing::picturedGrid(), RenderOptions{.cell = 16, .route = true});
    const std::vector<std::string> dots = elements(svg, "circle");
    ASSERT_EQ(dots.size(), 3u);
    // The window's 5 x 5 dot: its box starts at (16 / 2 - 1) inside the cell.
    EXPECT_EQ(dots[1], R"(<circle cx="30.5" cy="14.5" r="2.5"/>)");
}

// The lines cover, pixel for pixel, what the PNG of the same grid darkens.
TEST(SvgRender, LinesCoverExactlyThePngsDarkPixels) {
    SeededRandom random(3);
    for (const int cell : {2, 5, 16}) {
        SCOPED_TRACE("cell " + std::to_string(cell));
        WallGrid grid(23, 17);
        for (std::size_t i = 0; i < grid.cellCount(); ++i) {
            grid.setTop(i, random.Random(2) == 0 ? Flag::Open : Flag::Wall);
            grid.setLeft(i, random.Random(2) == 0 ? Flag::Open : Flag::Other);
        }
        const RenderOptions options{.cell = cell};
        const testing::GreyImage png = testing::decodePng(rendered(renderPng, grid, options));
        std::vector<bool> covered(png.grey.size(), false);
        const std::regex coordinates(
            R"re(x1="([\d.]+)" y1="([\d.]+)" x2="([\d.]+)" y2="([\d.]+)")re");
        for (const std::string& line : elements(rendered(renderSvg, grid, options), "line")) {
            std::smatch match;
            ASSERT_TRUE(std::regex_search(line, match, coordinates));
            const double x1 = std::stod(match[1]), y1 = std::stod(match[2]);
            const double x2 = std::stod(match[3]), y2 = std::stod(match[4]);
            // A unit-wide line covers the pixels whose row (or column) its
            // middle runs along, from its start up to its end.
            const bool across = y1 == y2;
            const int fixed = static_cast<int>(across ? y1 : x1);
            const int from = static_cast<int>(std::min(across ? x1 : y1, across ? x2 : y2));
            const int to = static_cast<int>(std::max(across ? x1 : y1, across ? x2 : y2));
            for (int along = from; along < to; ++along) {
                const int x = across ? along : fixed;
                const int y = across ? fixed : along;
                covered[static_cast<std::size_t>(y) * static_cast<std::size_t>(png.width) +
                        static_cast<std::size_t>(x)] = true;
            }
        }
        int differ = 0;
        for (int y = 0; y < png.height; ++y) {
            for (int x = 0; x < png.width; ++x) {
                const bool line = covered[static_cast<std::size_t>(y) * png.width + x];
                differ += line != png.dark(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differ, 0);
    }
}

}  // namespace
}  // namespace nitka
