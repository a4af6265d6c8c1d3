#include "cli/info_command.h"

#include <CLI/CLI.hpp>

#include "cli/file_identity.h"
#include "cli/info_text.h"
#include "cli/maze_input.h"
#include "cli/memory_need.h"
#include "cli/output_target.h"
#include "cli/progress.h"
#include "cli/shared_options.h"
#include "solver/maze_stats.h"
#include "solver/shape_stats.h"

namespace nitka {

CLI::App* addInfoCommand(CLI::App& app, InfoRequest& request) {
    CLI::App* command = app.add_subcommand(
        "info", "Print a maze's size, reachable cells, loops, dead ends, routes and corridors.");
    addMazeFileArgument(*command, request.input);
    command->add_flag("--json", request.json, "One JSON object instead of \"key: value\" lines");
    addQuietFlag(*command, request.quiet);
    command->footer(
        "Reachable counts the cells reachable from the start, the top-left cell of a\n"
        "rectangle. A maze is perfect when every cell is reachable and there is one\n"
        "route between any two. The routes run from the start to the target cell (the\n"
        "bottom-right of a rectangle), the window's and a shortest one, and are counted\n"
        "in cells, both ends included, or \"none\".\n"
        "\n"
        "Examples:\n"
        "  nitka-maze info maze.txt\n"
        "  nitka-maze info --json maze.txt\n"
        "  nitka-maze generate -W 500 -H 300 | nitka-maze info -");
    return command;
}

void runInfo(const InfoRequest& request) {
    const std::string input = mazeFileOrDefault(request.input);
    refuseOutputOverInputs("-", {input});
    OutputTarget output("-");
    const double cells = expectedCells(input);
    Progress progress("info", !request.quiet && Progress::terminalAttached(),
                      {cells * kReadSecondsPerCell, cells * 30e-9});
    AnyMaze maze = readMazeInput(input, searchNeed);
    progress.nextStage();
    const MazeStats stats = std::holds_alternative<WallGrid>(maze)
                                ? measureMaze(std::get<WallGrid>(maze))
                                : measureShapeMaze(std::get<ShapeMaze>(maze));
    const std::string text = request.json ? infoJson(stats) : infoLines(stats);
    output.write([&](std::streambuf& out) {
        out.sputn(text.data(), static_cast<std::streamsize>(text.size()));
    });
}

}  // namespace nitka
