#include "cli/solve_command.h"

#include <CLI/CLI.hpp>

#include <string>

#include "cli/file_identity.h"
#include "cli/maze_input.h"
#include "cli/memory_need.h"
#include "cli/option_values.h"
#include "cli/output_target.h"
#include "cli/progress.h"
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
    addQuietFlag(*command, request.quiet);
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
    const std::string input = mazeFileOrDefault(request.input);
    refuseOutputOverInputs("-", {input});
    OutputTarget output("-");
    const double cells = expectedCells(input);
    Progress progress("solve", !request.quiet && Progress::terminalAttached(),
                      {cells * kReadSecondsPerCell, cells * 15e-9});
    WallGrid grid = readMazeInput(input, searchNeed);
    progress.nextStage();
    const GridRoute route = chooseRoute(grid, request.ends, request.shortest, inputName(input));
    output.write([&](std::streambuf& out) {
        route.forEachCell([&](GridCell cell) {
            const std::string line = std::to_string(cell.x) + ' ' + std::to_string(cell.y) + '\n';
            out.sputn(line.data(), static_cast<std::streamsize>(line.size()));
        });
    });
}

}  // namespace nitka
