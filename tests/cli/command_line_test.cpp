#include "cli/command_line.h"
#include "plan/planner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace nitka {
namespace {

Invocation parse(const std::vector<std::string>& args) {
    std::vector<const char*> argv{"nitka-maze"};
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    return parseCommandLine(argv);
}

template <typename Request>
Request parseAs(const std::vector<std::string>& args) {
    const Invocation invocation = parse(args);
    if (!std::holds_alternative<Request>(invocation)) {
        ADD_FAILURE() << "parsed into another request";
        return Request{};
    }
    return std::get<Request>(invocation);
}

std::string joined(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& arg : args) {
        text += arg + ' ';
    }
    return text;
}

TEST(CommandLineTest, GenerateOptionsFillTheRequest) {
    // "010" is ten: a leading zero does not make a number octal.
    const auto given = parseAs<GenerateRequest>(
        {"generate", "-W", "8", "--height", "010", "--seed", "0", "-o", "m.txt"});
    EXPECT_EQ((std::pair{given.width, given.height}), (std::pair{8, 10}));
    EXPECT_EQ(given.seed, 0u);
    EXPECT_EQ(given.output, "m.txt");
    EXPECT_FALSE(parseAs<GenerateRequest>({"generate"}).seed);
    EXPECT_EQ(std::get<ShowText>(parse({"--version"})).text, "nitka-maze " NITKA_VERSION "\n");
}

TEST(CommandLineTest, GenerateTakesAMethodItsPickAndABraid) {
    // --pick may come before the method it belongs to.
    const CarveOptions grown =
        parseAs<GenerateRequest>(
            {"generate", "--pick", "mix:0.25", "--algorithm", "growing-tree", "--braid", "1"})
            .carve;
    EXPECT_EQ(grown.method, CarveMethod::GrowingTree);
    EXPECT_EQ(grown.pick, GrowingTreePick::Mix);
    EXPECT_EQ(grown.pickShare, 0.25);
    EXPECT_EQ(grown.braid, 1);
    for (const CarveMethodInfo& info : carveMethods()) {
        EXPECT_EQ(parseAs<GenerateRequest>({"generate", "--algorithm", std::string(info.name)})
                      .carve.method,
                  info.method)
            << info.name;
    }
}

TEST(CommandLineTest, GenerateHelpTellsWhereTheRandomWalksStop) {
    const auto help = std::get<ShowText>(parse({"generate", "--help"})).text;
    std::string flat = help;
    std::replace(flat.begin(), flat.end(), '\n', ' ');
    EXPECT_NE(flat.find("14 million cells for aldous-broder, 150 million for wilson"),
              std::string::npos);
    // The square sides either side of those counts.
    EXPECT_EQ(carveRefusal(CarveMethod::AldousBroder, 3700, 3700), "");
    EXPECT_NE(carveRefusal(CarveMethod::AldousBroder, 3900, 3900), "");
    EXPECT_EQ(carveRefusal(CarveMethod::Wilson, 12100, 12100), "");
    EXPECT_NE(carveRefusal(CarveMethod::Wilson, 12400, 12400), "");
}

TEST(CommandLineTest, RenderTakesItsFormatFromTheOutputUnlessGiven) {
    struct Row {
        std::vector<std::string> args;
        ImageFormat format;
        bool route;
    };
    const Row rows[] = {
        {{"render", "-o", "maze.png"}, ImageFormat::Png, false},
        {{"render", "-o", "MAZE.SVG", "--route"}, ImageFormat::Svg, true},
        {{"render", "-o", "maze.pdf"}, ImageFormat::Pdf, false},
        {{"render", "-o", "maze.txt"}, ImageFormat::Ascii, false},
        {{"render", "-o", "-"}, ImageFormat::Ascii, false},
        {{"render", "-o", "-", "--format", "png"}, ImageFormat::Png, false},
        {{"render", "-o", "maze.bin", "--format", "svg"}, ImageFormat::Svg, false},
        // --shortest draws its route, unless it is meant for the answer page.
        {{"render", "-o", "maze.png", "--shortest"}, ImageFormat::Png, true},
        {{"render", "-o", "maze.pdf", "--shortest", "--answer"}, ImageFormat::Pdf, false},
    };
    for (const Row& row : rows) {
        const auto planned = planRender(parseAs<RenderRequest>(row.args), SystemFacts{});
        ASSERT_TRUE(std::holds_alternative<RenderPlan>(planned)) << joined(row.args);
        const auto& plan = std::get<RenderPlan>(planned);
        EXPECT_EQ(plan.format, row.format) << joined(row.args);
        EXPECT_EQ(plan.route, row.route) << joined(row.args);
    }

    const auto full = parseAs<RenderRequest>(
        {"render", "in.txt", "-o", "out.pdf", "--cell", "4", "--paper", "letter", "--answer"});
    EXPECT_EQ((std::tuple{full.input, full.cell, full.paper, full.answer}),
              (std::tuple{"in.txt", 4, Paper::Letter, true}));
    EXPECT_EQ(parseAs<RenderRequest>({"render", "-o", "x.pdf"}).paper, Paper::A4);
}

}  // namespace
}  // namespace nitka
