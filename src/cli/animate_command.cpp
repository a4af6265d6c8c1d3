#include "cli/animate_command.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <functional>
#include <memory>
#include <system_error>
#include <variant>

#include "animate/gif_sink.h"
#include "animate/webp_sink.h"
#include "carve/carve_method.h"
#include "cli/shared_options.h"
#include "plan/memory_need.h"
#include "render/render_options.h"
#include "tool/frame_folder.h"
#include "tool/frame_progress.h"
#include "tool/maze_input.h"
#include "tool/maze_making.h"
#include "tool/option_values.h"
#include "tool/output_target.h"
#include "tool/planned_input.h"
#include "tool/system_facts.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

constexpr int kMaxFps = 100;
constexpr double kMaxDuration = 600;

double parseDuration(const std::string& text) {
    double seconds = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seconds, std::chars_format::fixed);
    if (text.empty() || error != std::errc{} || stop != end || !(seconds > 0) ||
        seconds > kMaxDuration) {
        throw UsageError("--duration", "'" + text +
                                           "' is not a number of seconds above 0 and up "
                                           "to 600");
    }
    return seconds;
}

// Runs the animation into the sink the output asks for.
void animateInto(const AnimateRequest& request, AnimationOutput kind,
                 const std::function<void(FrameSink&)>& animate) {
    const auto shown = [&](FrameSink& sink, double secondsPerPixel) {
        FrameProgress progress(sink, frameCount(request.plan.timing), secondsPerPixel,
                               !request.maze.quiet && Progress::terminalAttached());
        animate(progress);
    };
    try {
        if (!request.framesFolder.empty()) {
            FolderOutput folder(request.framesFolder);
            PngFolderSink sink(folder, request.plan.timing.fps);
            shown(sink, kPngSecondsPerPixel);
            folder.commit();
            return;
        }
        OutputTarget output(request.output);
        output.write([&](std::streambuf& out) {
            if (kind == AnimationOutput::Webp) {
                WebpSink sink(out, request.plan.timing.fps);
                shown(sink, kWebpSecondsPerPixel);
            } else {
                GifSink sink(out, request.plan.timing.fps);
                shown(sink, kGifSecondsPerPixel);
            }
        });
    } catch (const RenderError& error) {
        throw ToolError(request.framesFolder.empty() ? request.output : request.framesFolder,
                        error.what());
    }
}

}  // namespace

CLI::App* addAnimateCommand(CLI::App& app, AnimateRequest& request) {
    CLI::App* command = app.add_subcommand(
        "animate", "Watch a maze being carved and solved: an animated GIF or WebP of the steps.");
    addMazeOptions(*command, request.maze);
    command->add_option("-o,--output", request.output, "The animation: FILE.gif or FILE.webp")
        ->type_name("FILE");
    command
        ->add_option("--frames", request.framesFolder,
                     "Instead of -o: PNG frames frame-00000.png ... in FOLDER")
        ->type_name("FOLDER");
    command
        ->add_option("--solve-only", request.solveOnly, "Animate the route search of a maze file")
        ->type_name("FILE");
    addValueOption(*command, "--duration", "SECONDS", "Length before the hold (default 10)",
                   [&request](const std::string& text) {
                       request.plan.timing.duration = parseDuration(text);
                   });
    addValueOption(*command, "--fps", "N", "Frames a second, 1 to 100 (default 25)",
                   [&request](const std::string& text) {
                       request.plan.timing.fps =
                           static_cast<int>(parseWholeNumber(text, "--fps", 1, kMaxFps));
                   });
    addValueOption(*command, "--cell", "PX", "Pixels a cell, 2 to 1000, as render takes it",
                   [&request](const std::string& text) {
                       request.plan.cell =
                           static_cast<int>(parseWholeNumber(text, "--cell", 2, 1000));
                   });
    auto noSolve = std::make_shared<bool>(false);
    command->add_flag("--no-solve", *noSolve, "Stop when the carving is done");
    addQuietFlag(*command, request.maze.quiet);
    command->callback([&request, noSolve, command] {
        request.plan.solve = !*noSolve;
        request.given = givenOptions(*command);
    });
    command->footer(
        "The maze is the one generate makes from the same options and seed. First the\n"
        "carving, in the method's own colours: the current cell red, depth-first's\n"
        "stack blue, wilson's walk pink as it erases its loops; then the window's route\n"
        "search from the top-left cell: cells tried yellow, cells given up grey; last\n"
        "the route's dots, as render --route draws them at the same --cell. Steps are\n"
        "grouped so the whole takes --duration seconds at --fps, whatever the maze's\n"
        "size, and the last picture is held two seconds. A GIF stores each frame's\n"
        "changed rectangle only; a WebP is lossless. --frames writes numbered PNGs for\n"
        "video tools, the hold as 2 x fps copies, into a new or empty folder that\n"
        "appears only once every frame is in it. prim and growing-tree show their\n"
        "frontier green, sidewinder its run; recursive-division raises its walls in\n"
        "open space.\n"
        "\n"
        "Examples:\n"
        "  nitka-maze animate -W 20 -H 15 --seed 7 -o carve.gif\n"
        "  nitka-maze animate --shape hex -W 20 -H 15 --algorithm wilson -o hex.webp\n"
        "  nitka-maze animate --solve-only labird.txt --duration 5 --frames frames");
    return command;
}

void runAnimate(const AnimateRequest& request, std::ostream& notices) {
    const SystemFacts facts = systemFacts();
    const AnimatePlan plan = planned(planAnimate(request, facts));
    // A folder that holds anything, an input perhaps, is refused before any
    // reading or carving.
    if (!request.framesFolder.empty()) {
        checkFramesFolder(request.framesFolder);
    }
    if (!request.solveOnly.empty()) {
        const AnyMaze maze = readPlannedMaze(
            request.solveOnly,
            [&](const FileMaze& header) { planned(planAnimate(request, facts, &header)); },
            renderNeed);
        animateInto(request, plan.output, [&](FrameSink& sink) {
            std::visit([&](const auto& shown) { animateSearch(shown, request.plan, sink); }, maze);
        });
        return;
    }
    const GeneratePlan& maze = *plan.maze;
    animateInto(request, plan.output, [&](FrameSink& sink) {
        const std::uint64_t seed = chooseSeed(maze.request, notices);
        if (maze.layout) {
            // Written in the shape format and so drawn as any shape, even a
            // mask that keeps every cell.
            animateShapeCarving(maze.layout, maze.request.carve, seed, request.plan, sink);
        } else {
            animateGridCarving(maze.request.width, maze.request.height, maze.request.carve, seed,
                               request.plan, sink);
        }
    });
}

}  // namespace nitka
