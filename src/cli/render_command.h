#pragma once

#include <optional>
#include <string>

#include "render/render_options.h"

namespace CLI {
class App;
}

namespace nitka {

// A picture, or (Json) the maze as a graph for other programs.
enum class ImageFormat { Ascii, Svg, Png, Pdf, Json };

// nitka-maze render: a picture of a maze file.
struct RenderRequest {
    std::string input;
    std::string output = "-";
    ImageFormat format = ImageFormat::Ascii;
    // Dots along the route on the picture.
    bool route = false;
    // The route is a shortest one rather than the window's.
    bool shortest = false;
    // Pixels a cell; the size's default when not given.
    std::optional<int> cell;
    Paper paper = Paper::A4;
    // PDF only: a second page with the route.
    bool answer = false;
    bool quiet = false;
    // How the start and target show; the format's default when not given:
    // openings in PDF and SVG, nothing in PNG (the window's pixels).
    std::optional<Marks> marks;
};

// The format a file name asks for by its extension (.txt is ASCII, and so is
// "-", standard output; .json the graph), if any.
std::optional<ImageFormat> formatOfName(const std::string& name);

CLI::App* addRenderCommand(CLI::App& app, RenderRequest& request);

// The marks a --marks value names; throws UsageError for any other.
Marks parseMarks(const std::string& text);

// Writes the picture. Throws ToolError.
void runRender(const RenderRequest& request);

}  // namespace nitka
