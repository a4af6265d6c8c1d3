#pragma once

#include <streambuf>
#include <string>
#include <vector>

#include "plan/planner.h"
#include "render/plotter_svg.h"
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
// in errors. Gives the centres of the route's cells in order when a plotter
// draws it as a line, else nothing. Throws UsageError or ToolError.
std::vector<Point> prepareForPicture(AnyMaze& maze, const RenderRequest& request,
                                     const RenderPlan& plan, const std::string& source);

// Draws maze in the plan's format. Throws RenderError, which also carries a
// failed write's text out of the C libraries.
void writePicture(const AnyMaze& maze, ImageFormat format, const RenderOptions& options,
                  std::streambuf& out);

// Draws maze's walls, marks and route (the centres prepareForPicture gave)
// as a plotter's SVG.
PlotterReport writePlotterPicture(const AnyMaze& maze, const RenderOptions& options,
                                  std::vector<Point> route, std::streambuf& out);

// The report's one line for the plotter's operator: strokes, pen lifts, and
// the pen's drawn and travelled millimetres.
std::string plotterReportLine(const PlotterReport& report, double cellMm);

}  // namespace nitka
