#pragma once

#include <vector>

#include "render/end_marks.h"
#include "shape/topology.h"

namespace nitka {

// How far point lies from the nearest side of outline, in units: the room a
// mark centred there has before it touches a wall's middle.
double roomAround(const std::vector<Side>& outline, Point point);

// The radius of a route dot in units: `wanted`, or smaller where the maze's
// cells are too narrow for it to keep `gap` clear of walls lineWidth wide (a
// triangle's cells hold a circle of 0.29 units, less than a square's half);
// in cells too small for the gap, half the room the walls leave.
double routeDotRadius(const Topology& topology, double wanted, double lineWidth, double gap);

// A letter as a picture prints it: centred on `at`, `size` units high.
struct LetterPlace {
    char letter = 0;
    Point at;
    double size = 0;
};

// Where marks' letters go: each at its cell's centre, 0.6 units high or less
// in a cell too narrow for that; when start and target are one cell, both
// smaller and side by side, so that S and F never print over each other.
std::vector<LetterPlace> placeLetters(const Topology& topology, const EndMarks& marks);

// The same for the letters of a plain width x height rectangle of unit
// squares, S in its top-left and F in its bottom-right cell.
std::vector<LetterPlace> placeGridLetters(int width, int height);

}  // namespace nitka
