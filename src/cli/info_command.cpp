#include "cli/info_command.h"

#include <CLI/CLI.hpp>

#include "cli/maze_input.h"
#include "cli/tool_error.h"

namespace nitka {

CLI::App* addInfoCommand(CLI::App& app, InfoRequest& request) {
    CLI::App* command = app.add_subcommand(
        "info", "Print a maze's size, reachable cells, loops, dead ends and route lengths.");
    command
        ->add_option("file", request.input,
                     "Maze file (default labird.txt); - reads standard input")
        ->type_name("FILE");
    command->add_flag("--json", request.json, "One JSON object instead of \"key: value\" lines");
    command->footer(
        "The cells counted as reachable are those reachable from the top-left cell; a maze "
        "is perfect when every cell is reachable and there is one route between any two. "
        "The route lengths count cells, first and last included: the window's route and a "
        "shortest route from the top-left to the bottom-right cell, or \"none\".\n\n"
        "Examples:\n"
        "  nitka-maze info maze.txt\n"
        "  nitka-maze info --json maze.txt\n"
        "  nitka-maze generate -W 500 -H 300 | nitka-maze info -");
    return command;
}

void runInfo(const InfoRequest& request) {
    const WallGrid grid = readMazeInput(request.input);
    throw ToolError("info", "not built yet");
}

}  // namespace nitka
