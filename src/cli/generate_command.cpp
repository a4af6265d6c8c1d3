#include "cli/generate_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <string_view>
#include <variant>

#include "carve/carve_method.h"
#include "cli/shared_options.h"
#include "grid/size_limits.h"
#include "grid/wall_grid.h"
#include "storage/grid_writer.h"
#include "tool/difficulty_choice.h"
#include "tool/maze_making.h"
#include "tool/option_values.h"
#include "tool/output_target.h"
#include "tool/progress.h"
#include "tool/system_facts.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

// What the progress line expects writing a cell to take, from this machine's
// measures (docs/performance.md).
constexpr double kWriteSecondsPerCell = 6e-9;

// Where a method's line of help starts, and how wide the help may run.
constexpr std::size_t kHelpIndent = 24;
constexpr std::size_t kHelpWidth = 79;

// A method keeps more than the grid's byte a cell when its lists grow with the
// maze, as they do at a size where a row's worth would not show.
bool needsMoreThanTheGrid(CarveMethod method) {
    constexpr int kSide = 4096;
    return carveExtraBytes(method, kSide, kSide) >= std::uint64_t{kSide} * kSide;
}

// "  name   one line of help", the help wrapped at word breaks under itself.
std::string methodLine(const CarveMethodInfo& info) {
    std::string line =
        "  " + std::string(info.name) + (needsMoreThanTheGrid(info.method) ? " *" : "");
    line.resize(std::max(line.size() + 2, kHelpIndent), ' ');
    std::size_t column = line.size();
    std::string_view rest = info.help;
    while (!rest.empty()) {
        const std::size_t space = rest.find(' ');
        const std::string_view word = rest.substr(0, space);
        if (column > kHelpIndent && column + 1 + word.size() > kHelpWidth) {
            line += '\n' + std::string(kHelpIndent, ' ');
            column = kHelpIndent;
        } else if (column > kHelpIndent) {
            line += ' ';
            ++column;
        }
        line += word;
        column += word.size();
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    return line + '\n';
}

std::string methodList() {
    std::string text = "Methods (--algorithm; * keeps more than the grid's byte a cell):\n";
    for (const CarveMethodInfo& info : carveMethods()) {
        text += methodLine(info);
    }
    return text;
}

}  // namespace

void addMazeOptions(CLI::App& command, GenerateRequest& request) {
    const std::string sizes = "1 to " + std::to_string(kMaxGridSide);
    const auto side = [](int& value, const char* option) {
        return [&value, option](const std::string& text) {
            value = static_cast<int>(parseWholeNumber(text, option, 1, kMaxGridSide));
        };
    };
    addValueOption(command, "-W,--width", "N", "Width in cells, " + sizes + " (default 50)",
                   [set = side(request.width, "--width"), &request](const std::string& text) {
                       set(text);
                       request.sizeGiven = true;
                   });
    addValueOption(command, "-H,--height", "N",
                   "Height in cells, or rings of a polar maze, " + sizes + " (default 50)",
                   [set = side(request.height, "--height"), &request](const std::string& text) {
                       set(text);
                       request.sizeGiven = true;
                   });
    addValueOption(command, "--shape", "SHAPE", "rect (default), hex, triangle or polar",
                   [&request](const std::string& text) { request.shape = parseShape(text); });
    command.add_option("--mask", request.mask, "PNG or text picture of the cells to keep")
        ->type_name("FILE");
    addValueOption(
        command, "--seed", "S", "Seed, 0 to 18446744073709551615 (default: drawn)",
        [&request](const std::string& text) { request.seed = parseSeed(text, "--seed"); });
    addValueOption(command, "--algorithm", "NAME", "Carving method (default depth-first)",
                   [&request](const std::string& text) {
                       request.carve.method = parseMethod(text);
                       request.methodGiven = true;
                   });
    addValueOption(command, "--pick", "PICK", "growing-tree's pick: newest, random, oldest, mix:P",
                   [&request](const std::string& text) {
                       if (const std::string why = parseGrowingTreePick(text, request.carve);
                           !why.empty()) {
                           throw UsageError("--pick", why);
                       }
                   });
    addValueOption(command, "--braid", "P", "Share of dead ends to open, 0 to 1 (default 0)",
                   [&request](const std::string& text) {
                       if (const std::string why = parseShare(text, request.carve.braid);
                           !why.empty()) {
                           throw UsageError("--braid", why);
                       }
                   });
}

CLI::App* addGenerateCommand(CLI::App& app, GenerateRequest& request) {
    CLI::App* command = app.add_subcommand(
        "generate",
        "Carve a new maze (depth-first unless --algorithm says) and write it as a maze file.");
    addMazeOptions(*command, request);
    command
        ->add_option("-o,--output", request.output, "Where to write the maze (default -, stdout)")
        ->type_name("FILE");
    addValueOption(*command, "--difficulty", "D",
                   "easy, medium, hard, expert or a score: carve until one falls in it",
                   [&request](const std::string& text) {
                       parseDifficultyAsk(text);
                       request.difficulty = text;
                   });
    addValueOption(*command, "--exits", "farthest",
                   "Start and target on the outer edge, as far apart as the maze allows",
                   [&request](const std::string& text) {
                       if (text != "farthest") {
                           throw UsageError("--exits", "'" + text + "' is not farthest");
                       }
                       request.farthestExits = true;
                   });
    addQuietFlag(*command, request.quiet);
    command->callback([&request, command] { request.given = givenOptions(*command); });
    static_assert(kMaxGridCells == std::uint64_t{1} << 34, "the help below names the cap");
    command->footer(
        methodList() +
        "\n"
        "Every method makes a perfect maze, one route between any two cells, until\n"
        "--braid opens loops. A maze of more than 2^34 cells, or one that would need\n"
        "more memory than this process may use, is refused; so is a size whose random\n"
        "walk would run too long: a square maze past about 14 million cells for\n"
        "aldous-broder, 150 million for wilson, and a long narrow one sooner. Without\n"
        "--seed a seed is drawn and written to stderr as \"seed S\": the same seed, size\n"
        "and options make the same maze again.\n"
        "\n"
        "Shapes: hex is W x H hexagons in offset rows; triangle W x H triangles pointing\n"
        "up and down in turn; polar a round maze of H rings around a centre cell, split\n"
        "outward to keep cells near square. --mask keeps only a picture's cells of a\n"
        "rect, hex or triangle layout, a pixel or a character a cell (dark pixels, and\n"
        "any character but '.' and space, are cells), and sets the size; its cells must\n"
        "hang together. eller, binary-tree, sidewinder and recursive-division keep to\n"
        "a plain rectangle. A plain rectangle is written in the window's format, any\n"
        "other maze in the shape format that every command reads.\n"
        "\n"
        "--difficulty carves mazes of seeds drawn from --seed until one scores in the\n"
        "band (easy under 30, medium 30 to 120, hard 120 to 400, expert 400 and up;\n"
        "a number N: within 10% of N; see docs/difficulty.md), choosing the size, and\n"
        "depth-first, when they are not given; unless --quiet it tells on stderr the\n"
        "-W, -H, --algorithm and --seed that make the same maze without it. --exits\n"
        "farthest moves the start and target to the two cells of the outer edge\n"
        "farthest apart along the maze; the shape file keeps them.\n"
        "\n"
        "Examples:\n"
        "  nitka-maze generate -W 20 -H 10 -o labird.txt\n"
        "  nitka-maze generate --shape hex --difficulty hard --exits farthest > hex.txt\n"
        "  nitka-maze generate -W 1000 -H 1000 | nitka-maze info -");
    return command;
}

namespace {

void generateMaze(const GeneratePlan& plan, std::ostream& notices, OutputTarget* opened) {
    const GenerateRequest& request = plan.request;
    if (writesShapeFile(request)) {
        generateShapeMaze(plan, notices, opened);
        return;
    }
    const CarveMethod method = request.carve.method;
    // Before any work: an output that cannot be written costs none.
    std::optional<OutputTarget> own;
    OutputTarget& output =
        opened ? *opened
               : own.emplace(request.output, gridFileBytes(request.width, request.height));
    const std::uint64_t seed = chooseSeed(request, notices);
    const double cells = static_cast<double>(request.width) * request.height;
    Progress progress("generate", !request.quiet && Progress::terminalAttached(),
                      {cells * carveSecondsPerCell(method), cells * kWriteSecondsPerCell});
    const AnyMaze maze = carveGenerated(plan, seed);
    progress.nextStage();
    output.write([&](std::streambuf& out) { writeGrid(out, std::get<WallGrid>(maze)); });
}

}  // namespace

void runGenerate(const GenerateRequest& asked, std::ostream& notices) {
    const SystemFacts facts = systemFacts();
    const GeneratePlan plan = planned(planGenerate(asked, facts));
    if (asked.difficulty.empty()) {
        generateMaze(plan, notices, nullptr);
        return;
    }
    // Before any work: an output that cannot be written costs none.
    OutputTarget output(asked.output);
    const GenerateRequest settled =
        settleDifficulty(plan.request, chooseSeed(asked, notices), notices);
    generateMaze(planned(planGenerate(settled, facts)), notices, &output);
}

}  // namespace nitka
