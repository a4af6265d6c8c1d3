#include "render/shape_cairo.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "render/print_text.h"
#include "render/shape_walls.h"

namespace nitka {
namespace {

constexpr double kDotGapPixels = 1.5;

// Enough to keep cairo's path to a few hundred kB.
constexpr int kWallsAStroke = 4096;

bool nearBand(const ShapeBand& band, Point centre) {
    return centre.y >= band.top - band.reach && centre.y <= band.bottom + band.reach;
}

// How far an arc bulges beyond the segment between its ends.
double sagitta(const Side& side) {
    if (!side.arc) {
        return 0;
    }
    const double radius = std::hypot(side.from.x - side.centre.x, side.from.y - side.centre.y);
    const double halfChord = std::hypot(side.to.x - side.from.x, side.to.y - side.from.y) / 2;
    return radius - std::sqrt(std::max(0.0, radius * radius - halfChord * halfChord));
}

}  // namespace

ShapeInk pixelInk(const ShapeLayout& layout) {
    const double cell = layout.cell();
    ShapeInk ink;
    ink.lineWidth = std::max(1.0, cell / 10) / cell;
    ink.dotRadius = layout.dotRadius() / cell;
    ink.dotGap = kDotGapPixels / cell;
    return ink;
}

void traceShapeSide(cairo_t* cr, const Side& side, bool continuing) {
    if (continuing) {
        cairo_line_to(cr, side.from.x, side.from.y);
    } else {
        cairo_move_to(cr, side.from.x, side.from.y);
    }
    if (!side.arc) {
        cairo_line_to(cr, side.to.x, side.to.y);
        return;
    }
    const Point c = side.centre;
    const double radius = std::hypot(side.from.x - c.x, side.from.y - c.y);
    const double startAngle = std::atan2(side.from.y - c.y, side.from.x - c.x);
    const double endAngle = std::atan2(side.to.y - c.y, side.to.x - c.x);
    // Growing angles turn clockwise with y downward; the shorter way round is
    // clockwise when the cross product is positive (a half circle too, as in
    // the SVG).
    const double cross =
        (side.from.x - c.x) * (side.to.y - c.y) - (side.from.y - c.y) * (side.to.x - c.x);
    if (cross >= 0) {
        cairo_arc(cr, c.x, c.y, radius, startAngle, endAngle);
    } else {
        cairo_arc_negative(cr, c.x, c.y, radius, startAngle, endAngle);
    }
}

void drawLetter(cairo_t* cr, const LetterPlace& place) {
    const char text[2] = {place.letter, 0};
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    selectPrintFont(cr, place.size, true);
    cairo_text_extents_t extents{};
    cairo_text_extents(cr, text, &extents);
    cairo_move_to(cr, place.at.x - extents.width / 2 - extents.x_bearing,
                  place.at.y - extents.height / 2 - extents.y_bearing);
    cairo_show_text(cr, text);
    cairo_restore(cr);
}

namespace {

// What a picture shows of the route's ends, and the size of its dots.
struct EndsInk {
    const EndMarks& marks;
    std::vector<LetterPlace> letters;
    double dotRadius = 0;
};

template <typename View>
void drawRouteDots(cairo_t* cr, const View& view, const ShapeBand& band, const EndsInk& ends,
                   int traced) {
    const auto& layout = view.layout();
    for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
        if (!layout.isCell(cell) || view.scratch(cell) == 0 || ends.marks.lettered(cell)) {
            continue;
        }
        const Point centre = layout.centre(cell);
        if (nearBand(band, centre)) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, centre.x, centre.y, ends.dotRadius, 0, 2 * std::numbers::pi);
            if (++traced == kWallsAStroke) {
                cairo_fill(cr);
                traced = 0;
            }
        }
    }
    cairo_fill(cr);
}

// The one drawing of a maze, over the concrete layout of its view.
template <typename View>
void drawView(cairo_t* cr, const View& view, const ShapeInk& ink, bool route, const ShapeBand& band,
              const EndsInk& ends) {
    const auto& layout = view.layout();
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, ink.lineWidth);
    // Round ends close the corners where walls meet at any angle.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Merged runs are fewer to stroke and to store in a PDF.
    int traced = 0;
    forEachWall(
        view,
        [&](const Side& wall) {
            traceShapeSide(cr, wall);
            if (++traced == kWallsAStroke) {
                cairo_stroke(cr);
                traced = 0;
            }
        },
        ends.marks, [&](CellId cell) { return nearBand(band, layout.centre(cell)); });
    cairo_stroke(cr);
    for (const LetterPlace& place : ends.letters) {
        if (nearBand(band, place.at)) {
            drawLetter(cr, place);
        }
    }
    if (route) {
        cairo_set_source_rgb(cr, ink.dotRed, ink.dotGreen, ink.dotBlue);
        // The count goes on from the walls', as the pictures of every shape were made.
        drawRouteDots(cr, view, band, ends, traced);
    }
    cairo_restore(cr);
}

}  // namespace

void drawShapeMaze(cairo_t* cr, const ShapeMaze& maze, const ShapeInk& ink, bool route,
                   const ShapeBand& band, const EndMarks& marks) {
    const Topology& topology = maze.topology();
    const EndsInk ends{marks, placeLetters(topology, marks),
                       routeDotRadius(topology, ink.dotRadius, ink.lineWidth, ink.dotGap)};
    withMazeView(maze, [&](const auto& view) { drawView(cr, view, ink, route, band, ends); });
}

void drawGridMaze(cairo_t* cr, const WallGrid& grid, const ShapeInk& ink, bool route,
                  const EndMarks& marks) {
    const GridView<const WallGrid> view(grid);
    const CellId last = view.layout().cellCount() - 1;
    const EndsInk ends{
        marks, placeLetters(view.layout(), marks),
        routeDotRadius(view.layout(), 0, last, ink.dotRadius, ink.lineWidth, ink.dotGap)};
    drawView(cr, view, ink, route, {}, ends);
}

double shapeReach(const Topology& topology) {
    double reach = 0;
    std::vector<Side> outline;
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (!topology.isCell(cell)) {
            continue;
        }
        const double y = topology.centre(cell).y;
        topology.outline(cell, outline);
        for (const Side& side : outline) {
            reach = std::max(reach, std::max(std::abs(side.from.y - y), std::abs(side.to.y - y)) +
                                        sagitta(side));
        }
    }
    return reach;
}

}  // namespace nitka
