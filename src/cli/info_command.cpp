#include "cli/info_command.h"

#include <CLI/CLI.hpp>

#include <variant>

#include "cli/shared_options.h"
#include "plan/memory_need.h"
#include "solver/measured_maze.h"
#include "tool/info_text.h"
#include "tool/maze_command.h"
#include "tool/output_target.h"
#include "tool/progress.h"

namespace nitka {

CLI::App* addInfoCommand(CLI::App& app, InfoRequest& request) {
    CLI::App* command = app.add_subcommand(
        "info", "Print a maze's size, reachable cells, loops, dead ends, routes and corridors.");
    addMazeFileArgument(*command, request.input);
    command->add_flag("--json", request.json, "One JSON object instead of \"key: value\" lines");
    addQuietFlag(*command, request.quiet);
    command->callback([&request, command] { request.given = givenOptions(*command); });
    command->footer(
        "Reachable counts the cells reachable from the start, the top-left cell of a\n"
        "rectangle. A maze is perfect when every cell is reachable and there is one\n"
        "route between any two. The routes run from the start to the target cell (the\n"
        "bottom-right of a rectangle), the window's and a shortest one, and are counted\n"
        "in cells, both ends included, or \"none\". The difficulty (docs/difficulty.md)\n"
        "is half the reachable cells and half the shortest route's, a tenth of that,\n"
        "plus the route's cells that offer a way off it; absent without a route.\n"
        "\n"
        "Examples:\n"
        "  nitka-maze info maze.txt\n"
        "  nitka-maze info --json maze.txt\n"
        "  nitka-maze generate -W 500 -H 300 | nitka-maze info -");
    return command;
}

void runInfo(const InfoRequest& asked) {
    const MazeCommand command(asked, planInfo);
    const InfoRequest& request = command.request();
    OutputTarget output("-");
    Progress progress = command.progress("info", {30e-9});
    AnyMaze maze = command.read(progress, searchNeed);
    const auto [stats, difficulty] =
        std::visit([](auto& held) { return measureWithDifficulty(held); }, maze);
    const std::string text =
        request.json ? infoJson(stats, difficulty) : infoLines(stats, difficulty);
    output.write([&](std::streambuf& out) {
        out.sputn(text.data(), static_cast<std::streamsize>(text.size()));
    });
}

}  // namespace nitka
