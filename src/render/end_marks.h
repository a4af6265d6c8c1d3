#pragma once

#include "render/render_options.h"
#include "shape/topology.h"

namespace nitka {

// How a picture shows one end of the route: the side of the cell's outline
// left open (its index in Topology::outline), or, when the cell has no side on
// the maze's edge or letters were asked for, a letter at the cell's centre.
struct EndMark {
    CellId cell = kNoCell;
    int opening = -1;
    char letter = 0;
};

// The marks of a maze's start ("S") and target ("F", for finish); cells
// kNoCell for Marks::None. An opening is the first side, in the outline's
// order, with no cell across it (the outer edge, or a hole of a mask); the
// target skips the side the start took when both are one cell.
struct EndMarks {
    EndMark start;
    EndMark target;

    // Whether side number `side` of cell's outline is left open.
    bool opens(CellId cell, int side) const {
        return (cell == start.cell && side == start.opening) ||
               (cell == target.cell && side == target.opening);
    }
    // Whether cell shows a letter, which a route dot would blot out: such a
    // cell gets the letter alone.
    bool lettered(CellId cell) const {
        return (cell == start.cell && start.letter != 0) ||
               (cell == target.cell && target.letter != 0);
    }
};

// Reads each end's outline once.
EndMarks placeEndMarks(const Topology& topology, Marks marks);

// What placeEndMarks gives a plain width x height rectangle, whose route
// runs from corner to corner, without a topology to ask: cells in reading
// order, sides top, right, bottom, left.
EndMarks gridEndMarks(int width, int height, Marks marks);

// One grid unit of a rectangle's wall line: horizontal on grid row `line`
// from column `at` to at + 1, or vertical on grid column `line` from row `at`
// to at + 1.
struct GridGap {
    bool horizontal = true;
    int line = 0;
    int at = 0;
    friend bool operator==(const GridGap&, const GridGap&) = default;
};

// The openings placeEndMarks gives a plain width x height rectangle, whose
// start is its top-left and target its bottom-right cell, as grid gaps: the
// start's top side, and the target's right side (its top side in a maze one
// row high and more than one cell wide).
GridGap gridStartGap();
GridGap gridTargetGap(int width, int height);

}  // namespace nitka
