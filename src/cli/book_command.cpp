#include "cli/book_command.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "carve/carve_method.h"
#include "cli/shared_options.h"
#include "grid/size_limits.h"
#include "render/book_pdf.h"
#include "shape/make_topology.h"
#include "solver/difficulty.h"
#include "solver/shape_route.h"
#include "solver/shape_search.h"
#include "tool/difficulty_choice.h"
#include "tool/maze_making.h"
#include "tool/option_values.h"
#include "tool/output_target.h"
#include "tool/print_inputs.h"
#include "tool/progress.h"
#include "tool/system_facts.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

constexpr int kMostMazes = 10'000;
constexpr int kDefaultSide = 20;
// A rising book climbs from the middle of easy to well into expert.
constexpr double kRisingFrom = 15;
constexpr double kRisingTo = 600;
// What the progress line expects making and drawing a maze to take, a cell,
// twice over (puzzle and answer), from this machine's measures.
constexpr double kBookSecondsPerCell = 1e-5;

// What the answer section needs to make a puzzle's maze again: a few numbers,
// so that the book holds no maze it has drawn.
struct Remake {
    int width = 0;
    int height = 0;
    CarveMethod method = CarveMethod::DepthFirst;
    std::uint64_t seed = 0;
};

GenerateRequest remade(const GenerateRequest& base, const Remake& remake) {
    GenerateRequest request = base;
    request.width = remake.width;
    request.height = remake.height;
    request.carve.method = remake.method;
    request.seed = remake.seed;
    request.difficulty.clear();
    return request;
}

std::string decimal(double value) {
    const long tenths = std::lround(value * 10);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// The difficulty maze `number` of count is to have, if the book asks one.
std::optional<DifficultyAsk> askFor(const BookRequest& request, int number) {
    if (request.difficulty.empty()) {
        return std::nullopt;
    }
    if (request.difficulty != "rising") {
        return parseDifficultyAsk(request.difficulty);
    }
    const double share =
        request.count == 1 ? 0 : static_cast<double>(number - 1) / (request.count - 1);
    return difficultyAround(kRisingFrom * std::pow(kRisingTo / kRisingFrom, share));
}

}  // namespace

CLI::App* addBookCommand(CLI::App& app, BookRequest& request) {
    CLI::App* command = app.add_subcommand(
        "book", "Make a PDF of many mazes, numbered, with their answers at the back.");
    GenerateRequest& maze = request.maze;
    const std::string sizes = "1 to " + std::to_string(kMaxGridSide);
    addValueOption(*command, "-n,--count", "N", "Mazes in the book, 1 to 10000 (default 10)",
                   [&request](const std::string& text) {
                       request.count =
                           static_cast<int>(parseWholeNumber(text, "--count", 1, kMostMazes));
                   });
    command->add_option("-o,--output", request.output, "The PDF (default -, stdout)")
        ->type_name("FILE");
    addValueOption(*command, "-W,--width", "N", "Width in cells, " + sizes + " (default 20)",
                   [&maze](const std::string& text) {
                       maze.width =
                           static_cast<int>(parseWholeNumber(text, "--width", 1, kMaxGridSide));
                       maze.sizeGiven = true;
                   });
    addValueOption(
        *command, "-H,--height", "N", "Height in cells, or rings of a polar maze (default 20)",
        [&maze](const std::string& text) {
            maze.height = static_cast<int>(parseWholeNumber(text, "--height", 1, kMaxGridSide));
            maze.sizeGiven = true;
        });
    addValueOption(*command, "--shape", "SHAPE", "rect (default), hex, triangle or polar",
                   [&maze](const std::string& text) { maze.shape = parseShape(text); });
    addValueOption(*command, "--algorithm", "NAME", "Carving method (default depth-first)",
                   [&maze](const std::string& text) {
                       maze.carve.method = parseMethod(text);
                       maze.methodGiven = true;
                   });
    addValueOption(*command, "--difficulty", "D", "easy, medium, hard, expert, a score, or rising",
                   [&request](const std::string& text) {
                       if (text != "rising") {
                           parseDifficultyAsk(text);
                       }
                       request.difficulty = text;
                   });
    addValueOption(*command, "--paper", "PAPER", "a4 (default) or letter",
                   [&request](const std::string& text) {
                       if (text != "a4" && text != "letter") {
                           throw UsageError("--paper", "'" + text + "' is neither a4 nor letter");
                       }
                       request.paper = text == "a4" ? Paper::A4 : Paper::Letter;
                   });
    addValueOption(*command, "--per-page", "K", "Puzzles a page: 1 (default), 2 or 4",
                   [&request](const std::string& text) {
                       if (text != "1" && text != "2" && text != "4") {
                           throw UsageError("--per-page", "'" + text + "' is none of 1, 2, 4");
                       }
                       request.perPage = text[0] - '0';
                   });
    command->add_option("--title", request.title, "Printed atop every puzzle page")
        ->type_name("TEXT");
    addValueOption(*command, "--seed", "S", "The book's seed (default: drawn)",
                   [&maze](const std::string& text) { maze.seed = parseSeed(text, "--seed"); });
    addQuietFlag(*command, request.quiet);
    command->callback([&request, command] {
        request.given = givenOptions(*command);
        if (!request.maze.sizeGiven && request.difficulty.empty()) {
            request.maze.width = kDefaultSide;
            request.maze.height = kDefaultSide;
        }
    });
    command->footer(
        "Each maze is numbered, with its difficulty (docs/difficulty.md) and the options\n"
        "that make it again in small print below it: maze k is what\n"
        "  nitka-maze generate -W W -H H --shape SHAPE --algorithm NAME --seed S\n"
        "writes, with the -W, -H (only -H for polar), --shape, --algorithm and --seed of\n"
        "its small print; the same line is its entry in the PDF's bookmarks. The answers\n"
        "follow under \"Answers\", six a page, each the maze with its route in red dots.\n"
        "--difficulty chooses size and method (depth-first) where they are not given and\n"
        "draws seeds until each maze scores in the band, like generate; rising climbs\n"
        "from 15 to 600 across the book. The same --seed and options make the same book.\n"
        "Pages are written as they are drawn, so the book's length costs no memory.\n"
        "\n"
        "Examples:\n"
        "  nitka-maze book -n 20 -o book.pdf --title \"Mazes for a rainy day\"\n"
        "  nitka-maze book -n 12 --per-page 4 --difficulty rising -o rising.pdf\n"
        "  nitka-maze book -n 8 --shape hex -W 15 -H 15 --paper letter -o hex.pdf");
    return command;
}

void runBook(const BookRequest& request, std::ostream& notices) {
    const BookPlan plan = planned(planBook(request, systemFacts()));
    // Before any work: an output that cannot be written costs none.
    OutputTarget output(request.output);
    GenerateRequest base = plan.maze.request;
    base.quiet = request.quiet;
    const std::uint64_t seed = chooseSeed(base, notices);
    if (!base.methodGiven && !request.difficulty.empty()) {
        base.carve.method = CarveMethod::DepthFirst;
    }
    const BookLayout layout{request.paper, request.perPage, request.title,
                            pdfCreationDate(std::getenv("SOURCE_DATE_EPOCH"))};
    warnUndrawable("--title", request.title, notices);
    // One stage a maze drawn, the puzzles' and then the answers'.
    Progress progress(
        "book", !request.quiet && Progress::terminalAttached(),
        std::vector<double>(2 * static_cast<std::size_t>(request.count),
                            static_cast<double>(base.width) * base.height * kBookSecondsPerCell));
    try {
        output.write([&](std::streambuf& out) {
            BookPdf book(out, layout);
            std::vector<Remake> remakes;
            remakes.reserve(static_cast<std::size_t>(request.count));
            for (int number = 1; number <= request.count; ++number) {
                const std::uint64_t mazeSeed =
                    derivedSeed(seed, static_cast<std::uint64_t>(number - 1));
                GenerateRequest settled = base;
                settled.seed = mazeSeed;
                if (const auto ask = askFor(request, number)) {
                    settled = settleRequest(base, *ask, mazeSeed).request;
                }
                ShapeMaze maze = generatedShapeMaze(settled, *settled.seed);
                const auto difficulty = shapeDifficulty(maze);
                const std::string remake = remakeOptions(settled);
                const std::string score = difficulty ? decimal(*difficulty) : "none";
                book.addPuzzle(maze, {number,
                                      "seed " + std::to_string(*settled.seed) + ", difficulty " +
                                          score + "\nnitka-maze generate " + remake,
                                      "Maze " + std::to_string(number) + ": difficulty " + score +
                                          ", generate " + remake});
                remakes.push_back(
                    {settled.width, settled.height, settled.carve.method, *settled.seed});
                progress.nextStage();
            }
            book.startAnswers();
            int number = 0;
            for (const Remake& remake : remakes) {
                ++number;
                const GenerateRequest again = remade(base, remake);
                ShapeMaze maze = generatedShapeMaze(again, remake.seed);
                const Topology& topology = maze.topology();
                const auto route =
                    findShortestShapeRoute(maze, topology.start(), topology.target());
                std::string cells = "no route";
                if (route) {
                    markRoute(maze, *route);
                    cells = "route " + std::to_string(route->moves() + 1) + " cells";
                }
                book.addAnswer(maze,
                               {number, cells, "Answer " + std::to_string(number) + ": " + cells});
                progress.nextStage();
            }
            book.finish();
        });
    } catch (const RenderError& error) {
        throw ToolError(output.name(), error.what());
    }
}

}  // namespace nitka
