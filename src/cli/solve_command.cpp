#include "cli/solve_command.h"

#include <CLI/CLI.hpp>

#include "cli/option_values.h"
#include "cli/maze_input.h"
#include "cli/tool_error.h"

namespace nitka {

CLI::App* addSolveCommand(CLI::App& app, SolveRequest& request) {
    CLI::App* command = app.add_subcommand(
        "solve", "Print the route through a maze as lines \"x y\", first cell first.");
    command
        ->add_option("file", request.input,
                     "Maze file (default labird.txt); - reads standard input")
        ->type_name("FILE");
    command->add_flag("--shortest", request.shortest,
                      "A shortest route instead of the one the window shows");
    command
        ->add_option_function<std::string>(
            "--from",
            [&request](const std::string& text) { request.from = parseCell(text, "--from"); },
            "Start cell (default 0,0, the top-left)")
        ->type_name("X,Y");
    command
        ->add_option_function<std::string>(
            "--to", [&request](const std::string& text) { request.to = parseCell(text, "--to"); },
            "End cell (default the bottom-right)")
        ->type_name("X,Y");
    command->footer(
        "Examples:\n"
        "  nitka-maze solve maze.txt\n"
        "  nitka-maze solve --shortest --from 0,0 --to 9,0 maze.txt\n"
        "  nitka-maze generate --seed 7 | nitka-maze solve - | wc -l");
    return command;
}

void runSolve(const SolveRequest& request) {
    const WallGrid grid = readMazeInput(request.input);
    throw ToolError("solve", "not built yet");
}

}  // namespace nitka
