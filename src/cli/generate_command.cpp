#include "cli/generate_command.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <limits>
#include <random>

#include "cli/option_values.h"
#include "cli/output_target.h"
#include "carve/depth_first.h"
#include "cli/tool_error.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "storage/grid_writer.h"

namespace nitka {
namespace {

// Any 64-bit value may come out, so that every seed is reachable from a run
// that drew its own.
std::uint64_t drawSeed() {
    try {
        std::random_device device;
        return std::uint64_t{device()} << 32 | device();
    } catch (const std::exception&) {
        // No entropy source here: the clock still differs from run to run.
        return clockSeed();
    }
}

}  // namespace

CLI::App* addGenerateCommand(CLI::App& app, GenerateRequest& request) {
    CLI::App* command = app.add_subcommand(
        "generate",
        "Carve a new maze by randomised depth-first search and write it as a maze file.");
    const std::string sizes = "1 to " + std::to_string(std::numeric_limits<int>::max());
    command
        ->add_option_function<std::string>(
            "-W,--width",
            [&request](const std::string& text) {
                request.width = static_cast<int>(
                    parseWholeNumber(text, "--width", 1, std::numeric_limits<int>::max()));
            },
            "Width in cells, " + sizes + " (default 50)")
        ->type_name("N");
    command
        ->add_option_function<std::string>(
            "-H,--height",
            [&request](const std::string& text) {
                request.height = static_cast<int>(
                    parseWholeNumber(text, "--height", 1, std::numeric_limits<int>::max()));
            },
            "Height in cells, " + sizes + " (default 50)")
        ->type_name("N");
    command
        ->add_option_function<std::string>(
            "--seed",
            [&request](const std::string& text) { request.seed = parseSeed(text, "--seed"); },
            "Seed of the random source, 0 to 2^64-1. Without it a seed is drawn and "
            "written to stderr as \"seed S\"; the same seed and size give the same maze")
        ->type_name("S");
    command
        ->add_option("-o,--output", request.output, "Where to write the maze (default -, stdout)")
        ->type_name("FILE");
    command->footer(
        "Examples:\n"
        "  nitka-maze generate -W 20 -H 10 -o labird.txt\n"
        "  nitka-maze generate --seed 42 > maze.txt\n"
        "  nitka-maze generate -W 1000 -H 1000 | nitka-maze info -");
    return command;
}

void runGenerate(const GenerateRequest& request, std::ostream& talk) {
    const std::uint64_t seed = request.seed ? *request.seed : drawSeed();
    if (!request.seed) {
        talk << "seed " << seed << std::endl;
    }
    WallGrid grid(request.width, request.height);
    SeededRandom random(seed);
    carveDepthFirst(grid, random);
    OutputTarget(request.output).write([&](std::streambuf& out) { writeGrid(out, grid); });
}

}  // namespace nitka
