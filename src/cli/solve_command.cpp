#include "cli/solve_command.h"

#include <CLI/CLI.hpp>

#include <string>

#include "cli/maze_input.h"
#include "cli/option_values.h"
#include "cli/output_target.h"
#include "cli/shared_options.h"
#include "cli/tool_error.h"

namespace nitka {

CLI::App* addSolveCommand(CLI::App& app, SolveRequest& request) {
    CLI::App* command = app.add_subcommand(
        "solve", "Print the route through a maze as lines \"x y\", first cell first.");
    addMazeFileArgument(*command, request.input);
    command->add_flag("--shortest", request.shortest,
                      "A shortest route instead of the one the window shows");
    addValueOption(
        *command, "--from", "X,Y", "Start cell (default 0,0, the top-left)",
        [&request](const std::string& text) { request.ends.from = parseCell(text, "--from"); });
    addValueOption(
        *command, "--to", "X,Y", "End cell (default the bottom-right)",
        [&request](const std::string& text) { request.ends.to = parseCell(text, "--to"); });
    command->footer(
        "The file is read as the window's LOAD reads it, at any size this machine can\n"
        "hold. A flag of 1 is a wall; any other flag lets the route pass, as in the\n"
        "window.\n"
        "\n"
        "Examples:\n"
        "  nitka-maze solve maze.txt\n"
        "  nitka-maze solve --shortest --from 0,0 --to 9,0 maze.txt\n"
        "  nitka-maze generate --seed 7 | nitka-maze solve - | wc -l");
    return command;
}

void runSolve(const SolveRequest& request) {
    WallGrid grid = readMazeInput(request.input, MazeCommand::Solve);
    const GridRoute route =
        chooseRoute(grid, request.ends, request.shortest, inputName(request.input));
    OutputTarget("-").write([&](std::streambuf& out) {
        route.forEachCell([&](GridCell cell) {
            const std::string line = std::to_string(cell.x) + ' ' + std::to_string(cell.y) + '\n';
            out.sputn(line.data(), static_cast<std::streamsize>(line.size()));
        });
    });
}

}  // namespace nitka
