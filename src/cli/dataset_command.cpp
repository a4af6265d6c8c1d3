#include "cli/dataset_command.h"

#include <CLI/CLI.hpp>

#include "cli/shared_options.h"
#include "grid/size_limits.h"
#include "plan/memory_need.h"
#include "tool/dataset_file.h"
#include "tool/maze_batch.h"
#include "tool/option_values.h"
#include "tool/output_target.h"
#include "tool/progress.h"
#include "tool/system_facts.h"

namespace nitka {
namespace {

constexpr int kDefaultSide = 15;
// What the progress line expects a maze to take a cell on one thread, from
// this machine's measures, and writing the file a byte.
constexpr double kSecondsPerCell = 1.0e-7;
constexpr double kSecondsPerByte = 1.0e-9;

}  // namespace

CLI::App* addDatasetCommand(CLI::App& app, BatchRequest& request) {
    CLI::App* command =
        app.add_subcommand("dataset", "Carve many mazes on every core into one NumPy .npz file.");
    GenerateRequest& maze = request.maze;
    maze.width = kDefaultSide;
    maze.height = kDefaultSide;
    maze.seed = 0;
    const std::string sizes = "1 to " + std::to_string(kMaxGridSide);
    addValueOption(*command, "-n,--count", "N", "Mazes, 1 to 1000000000 (default 1)",
                   [&request](const std::string& text) {
                       request.count = parseWholeNumber(text, "--count", 1, kMostBatchMazes);
                   });
    command->add_option("-o,--output", request.output, "The .npz file (default -, stdout)")
        ->type_name("FILE");
    addValueOption(*command, "-W,--width", "N", "Width in cells, " + sizes + " (default 15)",
                   [&maze](const std::string& text) {
                       maze.width =
                           static_cast<int>(parseWholeNumber(text, "--width", 1, kMaxGridSide));
                   });
    addValueOption(
        *command, "-H,--height", "N", "Height in cells, or rings of a polar maze (default 15)",
        [&maze](const std::string& text) {
            maze.height = static_cast<int>(parseWholeNumber(text, "--height", 1, kMaxGridSide));
        });
    addValueOption(*command, "--shape", "SHAPE", "rect (default), hex, triangle or polar",
                   [&maze](const std::string& text) { maze.shape = parseShape(text); });
    addValueOption(*command, "--algorithm", "NAME", "Carving method (default depth-first)",
                   [&maze](const std::string& text) { maze.carve.method = parseMethod(text); });
    addValueOption(*command, "--seed", "S", "The batch's seed (default 0)",
                   [&maze](const std::string& text) { maze.seed = parseSeed(text, "--seed"); });
    addValueOption(*command, "--difficulty", "LO:HI", "Keep mazes scoring LO to HI, both included",
                   [&request](const std::string& text) {
                       request.difficulty = parseScoreRange(text, "--difficulty");
                   });
    command->add_flag("--unique", request.unique, "No two mazes alike");
    addValueOption(
        *command, "--threads", "T",
        "Threads carving, 1 to " + std::to_string(kMostThreads) + " (default: one a core)",
        [&request](const std::string& text) {
            request.threads =
                static_cast<int>(parseWholeNumber(text, "--threads", 1, kMostThreads));
        });
    addQuietFlag(*command, request.quiet);
    command->callback([&request, command] { request.given = givenOptions(*command); });
    command->footer(
        "Maze i is what `nitka-maze generate` writes with the same -W, -H, --shape and\n"
        "--algorithm and --seed seeds[i]: the seed itself for the first maze, then seeds\n"
        "derived from it. --difficulty and --unique pass over mazes that miss, drawing\n"
        "further seeds in order until N pass (at most 100 N + 1000 tries), so the first\n"
        "mazes of a dataset are the same whatever N and --threads. The file holds the\n"
        "arrays seeds (N), grids (N, 2H+1, 2W+1; rect only: True for a wall, cell (x, y)\n"
        "at [2y+1, 2x+1]), passages (P, 2) with passage_offsets (N+1) into it, starts and\n"
        "targets (N, 2), route_lengths (N, in cells) and difficulty (N), and options, a\n"
        "JSON text of what made it; numpy.load reads it without pickle. Every maze is\n"
        "held in memory until the file is written, and that need is checked up front.\n"
        "\n"
        "Examples:\n"
        "  nitka-maze dataset -n 100000 -o mazes.npz\n"
        "  nitka-maze dataset -n 1000 -W 31 -H 31 --difficulty 40:80 --unique -o hard.npz\n"
        "  nitka-maze dataset -n 500 --shape hex --algorithm wilson --seed 7 -o hex.npz");
    return command;
}

void runDataset(const BatchRequest& request) {
    const BatchPlan plan = planned(planBatch(request, systemFacts()));
    // Before any work: an output that cannot be written costs none.
    OutputTarget output(request.output);
    // A filtered batch carves more mazes than it keeps; the line then waits
    // at the carving's share until it is done.
    const double cells =
        static_cast<double>(request.count) *
        static_cast<double>(cellsOf(plan.maze.request.width, plan.maze.request.height));
    Progress progress(
        "dataset", !request.quiet && Progress::terminalAttached(),
        {cells * kSecondsPerCell / plan.request.threads, cells * kSecondsPerByte * 12});
    const MazeBatch batch = carveBatch(plan);
    progress.nextStage();
    output.write([&](std::streambuf& out) { writeDataset(out, batch, plan.request); });
}

}  // namespace nitka
