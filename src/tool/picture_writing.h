#pragma once

#include <streambuf>
#include <string>

#include "plan/planner.h"
#include "render/render_options.h"
#include "tool/maze_input.h"

namespace nitka {

// What render draws, for every front end: the command line writes it to a
// file, Python hands it over as bytes.

// The drawing's options as the request and plan settle them; a PDF's date is
// SOURCE_DATE_EPOCH's when set, so that builds of it can be reproduced.
RenderOptions pictureOptions(const RenderRequest& request, const RenderPlan& plan);

// Readies maze for its picture: refuses ASCII of a maze it cannot draw and
// marks the route (on an answer page too) when asked. source names the maze
// in errors. Throws UsageError or ToolError.
void prepareForPicture(AnyMaze& maze, const RenderRequest& request, const RenderPlan& plan,
                       const std::string& source);

// Draws maze in the plan's format. Throws RenderError, which also carries a
// failed write's text out of the C libraries.
void writePicture(const AnyMaze& maze, ImageFormat format, const RenderOptions& options,
                  std::streambuf& out);

}  // namespace nitka
