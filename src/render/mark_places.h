#pragma once

#include <algorithm>
#include <vector>

#include "render/end_marks.h"
#include "shape/topology.h"

namespace nitka {

// How far point lies from the nearest side of outline, in units: the room a
// mark centred there has before it touches a wall's middle.
double roomAround(const std::vector<Side>& outline, Point point);

// The room a mark at cell's centre has, in units (see roomAround), in any
// layout that draws its cells.
template <typename L>
double roomOf(const L& layout, CellId cell) {
    std::vector<Side> outline;
    layout.outline(cell, outline);
    return roomAround(outline, layout.centre(cell));
}

// A route dot's radius in units: `wanted`, or smaller where the room of the
// route's ends (a cell at least as narrow as any other) leaves less than
// `gap` clear of walls lineWidth wide; where even the gap does not fit, half
// the room the walls leave.
template <typename L>
double routeDotRadius(const L& layout, CellId start, CellId target, double wanted, double lineWidth,
                      double gap) {
    const double room = std::min(roomOf(layout, start), roomOf(layout, target)) - lineWidth / 2;
    return std::max(0.0, std::min(wanted, std::max(room - gap, room / 2)));
}

// The same between the topology's own ends (a triangle's cells hold a circle
// of 0.29 units, less than a square's half).
double routeDotRadius(const Topology& topology, double wanted, double lineWidth, double gap);

// A letter as a picture prints it: centred on `at`, `size` units high.
struct LetterPlace {
    char letter = 0;
    Point at;
    double size = 0;
};

// Where marks' letters go, given each end's centre and room: each at its
// cell's centre, 0.6 units high or less in a cell too narrow for that; when
// start and target are one cell, both smaller and side by side, so that S and
// F never print over each other.
std::vector<LetterPlace> placeLetters(const EndMarks& marks, Point startCentre, double startRoom,
                                      Point targetCentre, double targetRoom);

// The same, asking a layout that draws its cells.
template <typename L>
std::vector<LetterPlace> placeLetters(const L& layout, const EndMarks& marks) {
    if (marks.start.cell == kNoCell) {
        return {};
    }
    return placeLetters(marks, layout.centre(marks.start.cell), roomOf(layout, marks.start.cell),
                        layout.centre(marks.target.cell), roomOf(layout, marks.target.cell));
}

// The letters of a plain width x height rectangle of unit squares, S in its
// top-left and F in its bottom-right cell.
std::vector<LetterPlace> placeGridLetters(int width, int height);

}  // namespace nitka
