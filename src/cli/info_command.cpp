#include "cli/info_command.h"

#include <CLI/CLI.hpp>

#include "cli/tool_error.h"

namespace nitka {

CLI::App* addInfoCommand(CLI::App& app, InfoRequest& request) {
    CLI::App* command = app.add_subcommand(
        "info",
        "Print a maze's size, the cells reachable from the top-left, whether it is perfect "
        "(one route between any two cells), its loops and dead ends, and the lengths in cells "
        "of the window's route and of a shortest route between the corners.");
    command
        ->add_option("file", request.input,
                     "Maze file (default labird.txt); - reads standard input")
        ->type_name("FILE");
    command->add_flag("--json", request.json, "One JSON object instead of \"key: value\" lines");
    command->footer(
        "Examples:\n"
        "  nitka-maze info maze.txt\n"
        "  nitka-maze info --json maze.txt\n"
        "  nitka-maze generate -W 500 -H 300 | nitka-maze info -");
    return command;
}

void runInfo(const InfoRequest& /*request*/) {
    throw ToolError("info", "not built yet");
}

}  // namespace nitka
