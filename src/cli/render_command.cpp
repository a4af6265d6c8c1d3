#include "cli/render_command.h"

#include <CLI/CLI.hpp>

#include "cli/shared_options.h"
#include "plan/memory_need.h"
#include "tool/maze_command.h"
#include "tool/option_values.h"
#include "tool/output_target.h"
#include "tool/picture_writing.h"
#include "tool/print_inputs.h"
#include "tool/progress.h"
#include "tool/tool_error.h"

namespace nitka {
CLI::App* addRenderCommand(CLI::App& app, RenderRequest& request) {
    CLI::App* command = app.add_subcommand("render", "Draw a maze file as a picture.");
    addMazeFileArgument(*command, request.input);
    command
        ->add_option("-o,--output", request.output,
                     "The picture's file; - (the default) writes to standard output")
        ->type_name("OUT");
    addValueOption(*command, "--format", "FORMAT",
                   "ascii, svg, png, pdf, json or stl (default: by OUT's name)",
                   [&request](const std::string& text) { request.format = parseFormat(text); });
    command->add_flag("--route", request.route, "Dots on the window's route");
    command->add_flag("--shortest", request.shortest,
                      "A shortest route's dots (with --answer: on its page)");
    addValueOption(*command, "--cell", "PX", "Pixels a cell in PNG and SVG, 2 to 1000",
                   [&request](const std::string& text) {
                       request.cell = static_cast<int>(parseWholeNumber(text, "--cell", 2, 1000));
                   });
    addValueOption(*command, "--paper", "PAPER", "PDF paper, a4 (default) or letter",
                   [&request](const std::string& text) { request.paper = parsePaper(text); });
    command->add_flag("--answer", request.answer, "PDF: a second page with the route");
    addValueOption(*command, "--marks", "MARKS",
                   "Start and target: openings (PDF, SVG default), letters, none (PNG default)",
                   [&request](const std::string& text) { request.marks = parseMarks(text); });
    command->add_flag("--plotter", request.plotter,
                      "SVG for a pen plotter or cutter: few long strokes, in millimetres");
    const auto addMillimetres = [&](const char* name, const char* help, double& value) {
        addValueOption(*command, name, "MM", help, [&value, name](const std::string& text) {
            value = parseMillimetres(text, name);
        });
    };
    addMillimetres("--cell-mm", "Plotter SVG and STL: millimetres a cell (default 5)",
                   request.mm.cell);
    addMillimetres("--pen-mm", "Plotter SVG: the pen's stroke (default 0.3)", request.mm.pen);
    addMillimetres("--wall-mm", "STL: the walls' thickness (default 1)", request.mm.wall);
    addMillimetres("--height-mm", "STL: the walls' height above the base (default 4)",
                   request.mm.height);
    addMillimetres("--base-mm", "STL: the base plate's thickness (default 1.5)", request.mm.base);
    addQuietFlag(*command, request.quiet);
    command->callback([&request, command] { request.given = givenOptions(*command); });
    command->footer(
        "The format follows OUT's extension: .png, .svg, .pdf, .json, or .txt for\n"
        "ASCII; standard output gets ASCII unless --format says otherwise, and no PNG or\n"
        "PDF while it is a terminal. JSON is the maze as a graph for other programs: its\n"
        "cells, the pairs that share a side, the pairs whose side is open, its start and\n"
        "target. The default cell size of a rectangle is the window's up to 100 x 100\n"
        "cells (16 pixels up to 50 x 50, 11 up to 70 x 70, else 8); a larger maze gets\n"
        "the largest of 8, 4 and 2 pixels that keeps the picture under 20000 pixels a\n"
        "side, else 2. Other shapes are drawn by their true outlines, ASCII only draws\n"
        "rectangles. A PDF fits the maze on the sheet within 15 mm margins; a maze whose\n"
        "cells would come out under 0.5 mm is refused. Without --answer, --shortest\n"
        "turns the dots on.\n"
        "\n"
        "--marks openings leaves out one side of the start and of the target cell on\n"
        "the maze's outer edge (the first such side of the cell's outline: the top of\n"
        "a rectangle's top-left cell, the right of its bottom-right one); a start or\n"
        "target off the edge gets its letter instead. --marks letters writes S in the\n"
        "start and F in the target cell. A rectangle's PNG keeps the window's crisp\n"
        "walls with marks and moved exits too.\n"
        "\n"
        "--plotter writes an SVG for pen plotters, cutters and sand tables: the walls\n"
        "joined into as few long strokes as their ends allow (a pen lift only where\n"
        "walls end or branch oddly), ordered nearest end first, with no fills and no\n"
        "text; the letters of --marks letters and the --route line are single strokes,\n"
        "each in a layer and colour of its own (1 walls black, 2 marks red, 3 route\n"
        "blue). Its document is the drawing's size in millimetres, and it tells on\n"
        "stderr its strokes, pen lifts, and drawn and travel lengths (not with\n"
        "--quiet). --pen-mm is at most half of --cell-mm.\n"
        "\n"
        "--format stl (or OUT named .stl) writes a binary STL solid for a 3D printer:\n"
        "a base plate under the maze's whole outline and the walls standing on it,\n"
        "with the start and target as gaps in the outer wall; one closed shell, sizes\n"
        "in millimetres. --wall-mm is at most a quarter of --cell-mm.\n"
        "\n"
        "Examples:\n"
        "  nitka-maze render maze.txt -o puzzle.pdf --paper letter --answer\n"
        "  nitka-maze render maze.txt -o plot.svg --plotter --cell-mm 8 --pen-mm 0.5\n"
        "  nitka-maze render maze.txt -o maze.stl --wall-mm 1.2 --height-mm 6");
    return command;
}

void runRender(const RenderRequest& asked, std::ostream& notices) {
    const MazeCommand command(asked, planRender);
    const RenderRequest& request = command.request();
    const RenderPlan& plan = command.plan();
    const RenderOptions options = pictureOptions(request, plan);
    OutputTarget output(request.output);
    Progress progress = command.progress("render", {10e-9, 12e-9});
    AnyMaze maze = command.read(progress, renderNeed);
    std::vector<Point> route = prepareForPicture(maze, request, plan, inputName(request.input));
    progress.nextStage();
    std::optional<PlotterReport> report;
    try {
        output.write([&](std::streambuf& out) {
            if (options.plotter) {
                report = writePlotterPicture(maze, options, std::move(route), out);
            } else {
                writePicture(maze, plan.format, options, out);
            }
        });
    } catch (const RenderError& error) {
        // Also a failed write: the C libraries' callbacks can only pass on its text.
        throw ToolError(output.name(), error.what());
    }
    if (report && !request.quiet) {
        notices << plotterReportLine(*report, options.mm.cell) << std::endl;
    }
}

}  // namespace nitka
