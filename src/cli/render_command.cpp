#include "cli/render_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <utility>

#include "cli/option_values.h"
#include "cli/maze_input.h"
#include "cli/tool_error.h"

namespace nitka {
namespace {

constexpr std::array<std::pair<const char*, ImageFormat>, 4> kFormatNames = {{
    {"ascii", ImageFormat::Ascii},
    {"svg", ImageFormat::Svg},
    {"png", ImageFormat::Png},
    {"pdf", ImageFormat::Pdf},
}};

constexpr std::array<std::pair<const char*, ImageFormat>, 4> kExtensions = {{
    {".txt", ImageFormat::Ascii},
    {".svg", ImageFormat::Svg},
    {".png", ImageFormat::Png},
    {".pdf", ImageFormat::Pdf},
}};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

ImageFormat parseFormat(const std::string& text) {
    for (const auto& [name, format] : kFormatNames) {
        if (text == name) {
            return format;
        }
    }
    throw UsageError("--format", "'" + text + "' is none of ascii, svg, png, pdf");
}

PaperSize parsePaper(const std::string& text) {
    if (text == "a4") {
        return PaperSize::A4;
    }
    if (text == "letter") {
        return PaperSize::Letter;
    }
    throw UsageError("--paper", "'" + text + "' is neither a4 nor letter");
}

}  // namespace

std::optional<ImageFormat> formatOfName(const std::string& name) {
    if (name == "-") {
        return ImageFormat::Ascii;
    }
    const std::string lower = lowerCase(name);
    for (const auto& [extension, format] : kExtensions) {
        if (lower.ends_with(extension) &&
            lower.size() > std::char_traits<char>::length(extension)) {
            return format;
        }
    }
    return std::nullopt;
}

CLI::App* addRenderCommand(CLI::App& app, RenderRequest& request) {
    CLI::App* command = app.add_subcommand("render", "Draw a maze file as a picture.");
    command
        ->add_option("file", request.input,
                     "Maze file (default labird.txt); - reads standard input")
        ->type_name("FILE");
    command
        ->add_option("-o,--output", request.output,
                     "The picture's file; - writes to standard output")
        ->type_name("OUT")
        ->required();
    // Filled in once parsing is done: the output's extension decides when
    // --format is not given.
    auto format = std::make_shared<std::optional<ImageFormat>>();
    command
        ->add_option_function<std::string>(
            "--format", [format](const std::string& text) { *format = parseFormat(text); },
            "ascii, svg, png or pdf (default from OUT's extension: .txt, .svg, .png, .pdf; "
            "ascii for -)")
        ->type_name("FORMAT");
    command->add_flag("--route", request.route, "Dots along the window's route");
    command->add_flag("--shortest", request.shortest,
                      "Use a shortest route; without --answer it also turns --route on");
    command
        ->add_option_function<std::string>(
            "--cell",
            [&request](const std::string& text) {
                request.cell = static_cast<int>(parseWholeNumber(text, "--cell", 2, 1000));
            },
            "Pixels a cell, 2 to 1000 (default: not built yet)")
        ->type_name("PX");
    command
        ->add_option_function<std::string>(
            "--paper", [&request](const std::string& text) { request.paper = parsePaper(text); },
            "PDF paper, a4 or letter (default a4)")
        ->type_name("PAPER");
    command->add_flag("--answer", request.answer, "PDF: add a second page showing the route");
    command->callback([&request, format] {
        if (!*format) {
            *format = formatOfName(request.output);
        }
        if (!*format) {
            throw UsageError(request.output,
                             "cannot tell the picture's format from its name; give --format");
        }
        request.format = **format;
        if (request.answer && request.format != ImageFormat::Pdf) {
            throw UsageError("--answer", "only a PDF has a second page");
        }
        if (request.shortest && !request.answer) {
            request.route = true;
        }
    });
    command->footer(
        "Examples:\n"
        "  nitka-maze render maze.txt -o maze.png --route\n"
        "  nitka-maze render maze.txt -o puzzle.pdf --paper letter --answer\n"
        "  nitka-maze generate -W 8 -H 8 | nitka-maze render - -o - --shortest");
    return command;
}

void runRender(const RenderRequest& request) {
    const WallGrid grid = readMazeInput(request.input);
    throw ToolError("render", "not built yet");
}

}  // namespace nitka
