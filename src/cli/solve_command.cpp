#include "cli/solve_command.h"

#include <CLI/CLI.hpp>

#include <string>
#include <variant>

#include "cli/shared_options.h"
#include "plan/memory_need.h"
#include "shape/maze_view.h"
#include "solver/view_route.h"
#include "tool/maze_command.h"
#include "tool/option_values.h"
#include "tool/output_target.h"
#include "tool/progress.h"
#include "tool/tool_error.h"

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
    command->callback([&request, command] { request.given = givenOptions(*command); });
    command->footer(
        "A maze file of the window's format is read as its LOAD reads it, at any size\n"
        "this process can hold, but whole. A flag of 1 is a wall; any other flag lets the\n"
        "route pass, as in the window. A maze of another shape runs from its start to\n"
        "its target cell unless told, its cells named as it numbers them: x along the\n"
        "row (polar: the place along the ring), y the row (polar: the ring, 0 the\n"
        "centre).\n"
        "\n"
        "Examples:\n"
        "  nitka-maze solve maze.txt\n"
        "  nitka-maze solve --shortest --from 0,0 --to 9,0 maze.txt\n"
        "  nitka-maze generate --seed 7 | nitka-maze solve - | wc -l");
    return command;
}

void runSolve(const SolveRequest& asked) {
    const MazeCommand command(asked, planSolve);
    const SolveRequest& request = command.request();
    OutputTarget output("-");
    Progress progress = command.progress("solve", {15e-9});
    AnyMaze maze = command.read(progress, searchNeed);
    const auto writeCell = [](std::streambuf& out, std::int64_t x, std::int64_t y) {
        const std::string line = std::to_string(x) + ' ' + std::to_string(y) + '\n';
        out.sputn(line.data(), static_cast<std::streamsize>(line.size()));
    };
    std::visit(
        [&](auto& held) {
            const auto route =
                chooseRoute(held, request.ends, request.shortest, inputName(request.input));
            withMazeView(held, [&](const auto& view) {
                output.write([&](std::streambuf& out) {
                    forEachRouteCell(view, route, [&](CellId cell) {
                        const CellPosition at = view.layout().position(cell);
                        writeCell(out, at.x, at.y);
                    });
                });
            });
        },
        maze);
}

}  // namespace nitka
