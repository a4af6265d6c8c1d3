#pragma once

#include <span>
#include <streambuf>
#include <vector>

#include "render/mark_places.h"
#include "render/pen_strokes.h"
#include "render/render_options.h"
#include "render/shape_walls.h"
#include "shape/topology.h"

namespace nitka {

// What a pen plotter or a cutter draws of a maze, in the drawing's units: its
// walls as the pictures draw them, the letters of its marks, and its route
// through the centres of the cells it visits.
struct PlotterSheet {
    std::vector<Side> walls;
    Point extent;
    std::vector<LetterPlace> letters;
    std::vector<Point> route;
};

// Every wall of view that the pictures draw (see forEachDrawnSide), one side
// of a cell at a time so that walls meet only at their ends.
template <typename View>
std::vector<Side> plotterWalls(const View& view, const EndMarks& marks) {
    std::vector<Side> walls;
    forEachDrawnSide(
        view, marks, [](CellId) { return true; },
        [&walls](const Side& side) { walls.push_back(side); });
    return walls;
}

// How the walls' strokes went, for the plotter's operator.
struct PlotterReport {
    StrokeTally walls;
    // Single strokes of the marks' letters and the route, each layer apart.
    std::size_t markStrokes = 0;
    std::size_t routeStrokes = 0;
};

// Writes sheet as an SVG document in millimetres for a pen plotter: a layer
// of walls joined into the fewest strokes their ends allow (see joinStrokes),
// ordered from the sheet's top-left corner to keep the pen's travel short,
// lines kept as lines and arcs as arcs; then, when there are any, a layer of
// the letters and one of the route, each a single stroke, each in its own
// colour. No fills and no text. A unit is options.mm.cell millimetres, strokes
// options.mm.pen wide, and the document is the drawing's size. Holds the walls
// and their strokes. Throws RenderError for a failed write.
PlotterReport writePlotterSvg(const PlotterSheet& sheet, const RenderOptions& options,
                              std::streambuf& out);

// The length of a wall as drawn: an arc's along its circle.
double wallLength(const Side& wall);

}  // namespace nitka
