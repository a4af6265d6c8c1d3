#include "cli/generate_command.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <random>

#include "carve/depth_first.h"
#include "cli/option_values.h"
#include "cli/output_target.h"
#include "cli/shared_options.h"
#include "cli/tool_error.h"
#include "grid/size_limits.h"
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
    const std::string sizes = "1 to " + std::to_string(kMaxGridSide);
    const auto side = [](int& value, const char* option) {
        return [&value, option](const std::string& text) {
            value = static_cast<int>(parseWholeNumber(text, option, 1, kMaxGridSide));
        };
    };
    addValueOption(*command, "-W,--width", "N", "Width in cells, " + sizes + " (default 50)",
                   side(request.width, "--width"));
    addValueOption(*command, "-H,--height", "N", "Height in cells, " + sizes + " (default 50)",
                   side(request.height, "--height"));
    addValueOption(
        *command, "--seed", "S", "Seed, 0 to 18446744073709551615 (default: drawn)",
        [&request](const std::string& text) { request.seed = parseSeed(text, "--seed"); });
    command
        ->add_option("-o,--output", request.output, "Where to write the maze (default -, stdout)")
        ->type_name("FILE");
    static_assert(kMaxGridCells == std::uint64_t{1} << 34, "the help below names the cap");
    command->footer(
        "A maze of more than 2^34 cells, or one that would need more memory than this\n"
        "machine has, is refused. Without --seed a seed is drawn and written to stderr\n"
        "as \"seed S\": the same seed and size make the same maze again.\n"
        "\n"
        "Examples:\n"
        "  nitka-maze generate -W 20 -H 10 -o labird.txt\n"
        "  nitka-maze generate --seed 42 > maze.txt\n"
        "  nitka-maze generate -W 1000 -H 1000 | nitka-maze info -");
    return command;
}

void runGenerate(const GenerateRequest& request, std::ostream& talk) {
    if (const auto why = refusal(MazeCommand::Generate, request.width, request.height)) {
        throw ToolError("generate", *why);
    }
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
