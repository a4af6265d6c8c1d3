#include "cli/solve_command.h"

#include <CLI/CLI.hpp>

#include <string>

#include "cli/maze_input.h"
#include "cli/option_values.h"
#include "cli/output_target.h"
#include "cli/planned_input.h"
#include "cli/progress.h"
#include "cli/shared_options.h"
#include "cli/system_facts.h"
#include "cli/tool_error.h"
#include "plan/memory_need.h"

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
    SolveRequest request = asked;
    request.input = mazeFileOrDefault(asked.input);
    const std::string& input = request.input;
    const SystemFacts facts = systemFacts();
    planned(planSolve(request, facts));
    OutputTarget output("-");
    const double cells = expectedCells(input);
    Progress progress("solve", !request.quiet && Progress::terminalAttached(),
                      {cells * kReadSecondsPerCell, cells * 15e-9});
    AnyMaze maze = readPlannedMaze(
        input, [&](const FileMaze& header) { planned(planSolve(request, facts, &header)); },
        searchNeed);
    progress.nextStage();
    const auto writeCell = [](std::streambuf& out, std::int64_t x, std::int64_t y) {
        const std::string line = std::to_string(x) + ' ' + std::to_string(y) + '\n';
        out.sputn(line.data(), static_cast<std::streamsize>(line.size()));
    };
    if (auto* grid = std::get_if<WallGrid>(&maze)) {
        const GridRoute route =
            chooseRoute(*grid, request.ends, request.shortest, inputName(input));
        output.write([&](std::streambuf& out) {
            route.forEachCell([&](GridCell cell) { writeCell(out, cell.x, cell.y); });
        });
        return;
    }
    auto& shape = std::get<ShapeMaze>(maze);
    const ShapeRoute route = chooseRoute(shape, request.ends, request.shortest, inputName(input));
    const Topology& topology = shape.topology();
    output.write([&](std::streambuf& out) {
        route.forEachCell(topology, [&](CellId cell) {
            const CellPosition at = topology.position(cell);
            writeCell(out, at.x, at.y);
        });
    });
}

}  // namespace nitka
