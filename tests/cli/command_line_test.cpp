#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/tool_error.h"

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
    const auto defaults = parseAs<GenerateRequest>({"generate"});
    EXPECT_EQ(defaults.width, 50);
    EXPECT_EQ(defaults.height, 50);
    EXPECT_FALSE(defaults.seed);
    EXPECT_EQ(defaults.output, "-");

    // "010" is ten: a leading zero does not make a number octal.
    const auto given = parseAs<GenerateRequest>({"generate", "-W", "8", "--height", "010", "--seed",
                                                 "18446744073709551615", "-o", "m.txt"});
    EXPECT_EQ(given.width, 8);
    EXPECT_EQ(given.height, 10);
    EXPECT_EQ(given.seed, UINT64_MAX);
    EXPECT_EQ(given.output, "m.txt");
    EXPECT_EQ(parseAs<GenerateRequest>({"generate", "--width=1", "-H1", "--seed", "0"}).seed, 0u);
}

TEST(CommandLineTest, GenerateTakesAMethodItsPickAndABraid) {
    const CarveOptions plain = parseAs<GenerateRequest>({"generate"}).carve;
    EXPECT_EQ(plain.method, CarveMethod::DepthFirst);
    EXPECT_EQ(plain.braid, 0);

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

TEST(CommandLineTest, SolveAndInfoTakeAFileOrStandardInput) {
    const auto plain = parseAs<SolveRequest>({"solve"});
    EXPECT_EQ(plain.input, "labird.txt");
    EXPECT_FALSE(plain.shortest);
    EXPECT_FALSE(plain.ends.from);
    EXPECT_FALSE(plain.ends.to);

    const auto chosen =
        parseAs<SolveRequest>({"solve", "-", "--shortest", "--from", "1,2", "--to", "30,0"});
    EXPECT_EQ(chosen.input, "-");
    EXPECT_TRUE(chosen.shortest);
    EXPECT_EQ(chosen.ends.from, (GridCell{1, 2}));
    EXPECT_EQ(chosen.ends.to, (GridCell{30, 0}));

    const auto info = parseAs<InfoRequest>({"info", "--json", "maze.txt"});
    EXPECT_EQ(info.input, "maze.txt");
    EXPECT_TRUE(info.json);
    EXPECT_EQ(parseAs<InfoRequest>({"info"}).input, "labird.txt");
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
        const auto request = parseAs<RenderRequest>(row.args);
        EXPECT_EQ(request.format, row.format) << joined(row.args);
        EXPECT_EQ(request.route, row.route) << joined(row.args);
    }

    const auto full = parseAs<RenderRequest>(
        {"render", "in.txt", "-o", "out.pdf", "--cell", "4", "--paper", "letter", "--answer"});
    EXPECT_EQ(full.input, "in.txt");
    EXPECT_EQ(full.output, "out.pdf");
    EXPECT_EQ(full.cell, 4);
    EXPECT_EQ(full.paper, Paper::Letter);
    EXPECT_TRUE(full.answer);
    EXPECT_FALSE(parseAs<RenderRequest>({"render", "-o", "x.png"}).cell);
    EXPECT_EQ(parseAs<RenderRequest>({"render", "-o", "x.pdf"}).paper, Paper::A4);
}

TEST(CommandLineTest, BadCommandLinesAreUsageErrorsNamingWhatIsWrong) {
    struct Row {
        std::vector<std::string> args;
        std::string subject;
    };
    const Row rows[] = {
        {{}, ""},
        {{"carve"}, "carve"},
        {{"generate", "-W", "0"}, "--width"},
        {{"generate", "-W", "abc"}, "--width"},
        {{"generate", "-H", "-5"}, "--height"},
        {{"generate", "-W", "1e3"}, "--width"},
        {{"generate", "-W", "2147483648"}, "--width"},
        {{"generate", "-W", " 8"}, "--width"},
        {{"generate", "--seed", "-1"}, "--seed"},
        {{"generate", "--seed", "18446744073709551616"}, "--seed"},
        {{"generate", "--seed", "0x10"}, "--seed"},
        {{"generate", "--unknown"}, "generate"},
        {{"generate", "extra"}, "generate"},
        {{"generate", "--algorithm", "Prim"}, "--algorithm"},
        {{"generate", "--algorithm", ""}, "--algorithm"},
        {{"generate", "--algorithm", "growing-tree", "--pick", "last"}, "--pick"},
        {{"generate", "--algorithm", "growing-tree", "--pick", "mix:1.5"}, "--pick"},
        {{"generate", "--pick", "newest"}, "--pick"},
        {{"generate", "--pick", "random", "--algorithm", "prim"}, "--pick"},
        {{"generate", "--braid", "-0.5"}, "--braid"},
        {{"generate", "--braid", "half"}, "--braid"},
        {{"generate", "--braid", "1.01"}, "--braid"},
        {{"solve", "--from", "5"}, "--from"},
        {{"solve", "--from", "-1,2"}, "--from"},
        {{"solve", "--to", "1,2,3"}, "--to"},
        {{"solve", "--to", ",2"}, "--to"},
        {{"solve", "a.txt", "b.txt"}, "solve"},
        {{"render", "maze.txt"}, "render"},
        {{"render", "-o", "maze.gif"}, "maze.gif"},
        {{"render", "-o", "png"}, "png"},
        {{"render", "-o", "x.png", "--format", "gif"}, "--format"},
        {{"render", "-o", "x.png", "--answer"}, "--answer"},
        {{"render", "-o", "x.png", "--cell", "1"}, "--cell"},
        {{"render", "-o", "x.pdf", "--paper", "a3"}, "--paper"},
        {{"info", "--json=maybe"}, "info"},
    };
    for (const Row& row : rows) {
        try {
            parse(row.args);
            ADD_FAILURE() << "accepted: " << joined(row.args);
        } catch (const UsageError& error) {
            EXPECT_EQ(error.subject(), row.subject) << joined(row.args) << error.what();
            EXPECT_EQ(error.status(), kStatusUsage);
        }
    }
}

TEST(CommandLineTest, EveryHelpEndsInExamplesOfItsCommand) {
    for (const std::string command : {"", "generate", "solve", "render", "info"}) {
        const std::vector<std::string> args = command.empty()
                                                  ? std::vector<std::string>{"--help"}
                                                  : std::vector<std::string>{command, "--help"};
        const auto help = std::get<ShowText>(parse(args)).text;
        const auto examples = help.find("Examples:\n");
        ASSERT_NE(examples, std::string::npos) << command;
        int count = 0;
        for (auto at = help.find("\n  nitka-maze " + command, examples); at != std::string::npos;
             at = help.find("\n  nitka-maze " + command, at + 1)) {
            ++count;
        }
        EXPECT_GE(count, 2) << command;
    }
    EXPECT_EQ(std::get<ShowText>(parse({"--version"})).text, "nitka-maze " NITKA_VERSION "\n");
}

}  // namespace
}  // namespace nitka
