#include "cli/animate_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <initializer_list>
#include <memory>
#include <system_error>
#include <variant>

#include "animate/gif_sink.h"
#include "animate/webp_sink.h"
#include "carve/carve_method.h"
#include "carve/observed_carve.h"
#include "cli/file_identity.h"
#include "cli/frame_folder.h"
#include "cli/frame_progress.h"
#include "cli/maze_input.h"
#include "cli/memory_need.h"
#include "cli/option_values.h"
#include "cli/output_target.h"
#include "cli/shape_generate.h"
#include "cli/shared_options.h"
#include "cli/tool_error.h"
#include "render/render_options.h"

namespace nitka {
namespace {

constexpr int kMaxFps = 100;
constexpr double kMaxDuration = 600;

enum class AnimationFormat { Gif, Webp };

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

AnimationFormat formatOf(const std::string& output) {
    const std::string name = lowerCase(output);
    if (name == "-" || (name.ends_with(".gif") && name.size() > 4)) {
        return AnimationFormat::Gif;
    }
    if (name.ends_with(".webp") && name.size() > 5) {
        return AnimationFormat::Webp;
    }
    throw UsageError(output,
                     "cannot tell the animation's format from its name; name it .gif "
                     "or .webp, or give --frames FOLDER for PNG frames");
}

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

void refuseUnobserved(CarveMethod method) {
    if (!carvesObserved(method)) {
        throw UsageError("--algorithm", std::string(carveMethodInfo(method).name) +
                                            " cannot be animated yet; every other method can");
    }
}

// Runs the animation into the sink the output asks for.
void animateInto(const AnimateRequest& request, const std::function<void(FrameSink&)>& animate) {
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
            if (formatOf(request.output) == AnimationFormat::Webp) {
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
    const std::function<void()> check = addMazeOptions(*command, request.maze);
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
    command->callback([&request, check, noSolve, command] {
        check();
        if (!request.solveOnly.empty()) {
            for (const char* option : {"--width", "--height", "--shape", "--mask", "--seed",
                                       "--algorithm", "--pick", "--braid"}) {
                if (command->count(option) > 0) {
                    throw UsageError(option,
                                     "--solve-only takes its maze from FILE; leave out "
                                     "the options that make one");
                }
            }
        }
        request.plan.solve = !*noSolve;
        if (request.output.empty() == request.framesFolder.empty()) {
            throw UsageError("animate", "give either -o FILE or --frames FOLDER");
        }
        if (!request.output.empty()) {
            formatOf(request.output);
        }
        if (!request.solveOnly.empty() && *noSolve) {
            throw UsageError("--no-solve", "--solve-only animates nothing but the search");
        }
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
    const std::string& output =
        request.framesFolder.empty() ? request.output : request.framesFolder;
    if (request.output == "-" && standardOutputIsTerminal()) {
        throw UsageError("animate", "an animation would garble the terminal; give -o FILE");
    }
    if (!request.solveOnly.empty()) {
        refuseOutputOverInputs(output, {request.solveOnly});
        if (!request.framesFolder.empty()) {
            checkFramesFolder(request.framesFolder);
        }
        animateInto(request, [&](FrameSink& sink) {
            const AnyMaze maze = readMazeInput(request.solveOnly, renderNeed);
            if (const auto* grid = std::get_if<WallGrid>(&maze)) {
                animateGridSearch(*grid, request.plan, sink);
            } else {
                animateShapeSearch(std::get<ShapeMaze>(maze), request.plan, sink);
            }
        });
        return;
    }
    const GenerateRequest& maze = request.maze;
    refuseUnobserved(maze.carve.method);
    if (!maze.mask.empty()) {
        refuseOutputOverInputs(output, {maze.mask});
    }
    if (!request.framesFolder.empty()) {
        checkFramesFolder(request.framesFolder);
    }
    if (maze.shape == ShapeKind::Rect && maze.mask.empty()) {
        if (const auto why =
                memoryRefusal(maze.width, maze.height,
                              generateNeed(maze.width, maze.height, maze.carve.method))) {
            throw ToolError("animate", *why);
        }
        if (const std::string why = carveRefusal(maze.carve.method, maze.width, maze.height);
            !why.empty()) {
            throw ToolError("animate", why);
        }
        animateInto(request, [&](FrameSink& sink) {
            const std::uint64_t seed = chooseSeed(maze, notices);
            animateGridCarving(maze.width, maze.height, maze.carve, seed, request.plan, sink);
        });
        return;
    }
    animateInto(request, [&](FrameSink& sink) {
        // Written in the shape format and so drawn as any shape, even a mask
        // that keeps every cell.
        const auto topology = shapeLayoutOf(maze);
        const std::uint64_t seed = chooseSeed(maze, notices);
        animateShapeCarving(topology, maze.carve, seed, request.plan, sink);
    });
}

}  // namespace nitka
