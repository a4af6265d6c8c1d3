#pragma once

#include <cairo.h>

#include <limits>

#include "grid/wall_grid.h"
#include "render/end_marks.h"
#include "render/mark_places.h"
#include "render/shape_layout.h"
#include "shape/shape_maze.h"

namespace nitka {

// How a picture draws the walls and the route: sizes in units of the drawing.
struct ShapeInk {
    double lineWidth = 0.1;
    double dotRadius = 0.25;
    // Kept clear between a dot's edge and a wall's, where a cell is narrow:
    // a pixel picture needs more than a line's width, its edges being blurred.
    double dotGap = 0.05;
    double dotRed = 0;
    double dotGreen = 0;
    double dotBlue = 0;
};

// The ink of a pixel picture in layout: walls a tenth of a cell wide (at
// least a pixel), the rectangle's dots, kept a pixel and a half off the
// walls where cells are narrow, as antialiasing greys a pixel either only
// touches.
ShapeInk pixelInk(const ShapeLayout& layout);

// The stretch of the drawing, top to bottom in units, whose cells are drawn;
// cells whose centre lies further than `reach` outside it are skipped without
// asking for their outline.
struct ShapeBand {
    double top = -std::numeric_limits<double>::infinity();
    double bottom = std::numeric_limits<double>::infinity();
    double reach = 0;
};

// Adds one side of an outline to cr's path: a segment or the shorter arc,
// starting a new piece of path or, continuing, joined to the path so far.
void traceShapeSide(cairo_t* cr, const Side& side, bool continuing = false);

// Draws maze's walls in black onto cr, whose user space must be the drawing's
// units, and with route a dot at the centre of every cell whose scratch is not
// zero (smaller where cells are narrow, see routeDotRadius); marks' openings
// are left out of the walls and its letters drawn (see placeLetters).
// Strokes every few thousand walls, so cairo's path stays small.
void drawShapeMaze(cairo_t* cr, const ShapeMaze& maze, const ShapeInk& ink, bool route,
                   const ShapeBand& band = {}, const EndMarks& marks = {});

// Draws the window's rectangle as drawShapeMaze draws a maze, marks as
// gridEndMarks places them: each wall once, with the flags of the frame's
// top and left sides as the grid holds them.
void drawGridMaze(cairo_t* cr, const WallGrid& grid, const ShapeInk& ink, bool route,
                  const EndMarks& marks = {});

// A letter of the start or target, in black, its ink centred on place.at.
void drawLetter(cairo_t* cr, const LetterPlace& place);

// How far, in units, any cell's outline reaches above or below its centre: a
// band needs this much around it to catch every wall that crosses it. Reads
// every cell's outline once.
double shapeReach(const Topology& topology);

}  // namespace nitka
