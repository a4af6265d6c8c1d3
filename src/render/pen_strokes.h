#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "shape/topology.h"

namespace nitka {

// Walls as a pen plotter or a cutter draws them: joined into as few strokes
// as the walls allow, each a run of walls end to end, and the strokes put in
// an order that keeps the pen's travel between them short.

// A wall by its two ends; what lies between (a line, an arc) is the caller's.
struct PenEdge {
    Point from;
    Point to;
};

// One wall of a stroke, drawn from `to` to `from` when reversed.
struct StrokeStep {
    std::size_t edge = 0;
    bool reversed = false;
};
using Stroke = std::vector<StrokeStep>;

// Every edge in exactly one stroke, once, each stroke's walls end to end
// (ends closer than a millionth of a unit are one point). The fewest strokes
// there can be: in each connected piece of walls one, or half its ends of odd
// degree when it has any; a pen must be lifted at those and nowhere else.
// Linear in the edges, with no recursion.
std::vector<Stroke> joinStrokes(std::span<const PenEdge> edges);

// Where a stroke starts and ends, as drawn.
Point strokeStart(const Stroke& stroke, std::span<const PenEdge> edges);
Point strokeEnd(const Stroke& stroke, std::span<const PenEdge> edges);

// Puts the strokes in the order a pen starting at `pen` draws them taking
// the nearest free end next, each stroke reversed when its far end is the
// nearer. Near linear for walls spread as a maze's are.
void orderStrokes(std::vector<Stroke>& strokes, std::span<const PenEdge> edges, Point pen);

// What a plotter is told of the drawing.
struct StrokeTally {
    std::size_t strokes = 0;
    // Lifts between strokes: one fewer than the strokes.
    std::size_t penLifts = 0;
    // Along the walls as straight lines end to end (a caller whose walls
    // are arcs measures its own), and through the air from each stroke's
    // end to the next one's start.
    double drawn = 0;
    double travel = 0;
};
StrokeTally tallyStrokes(std::span<const Stroke> strokes, std::span<const PenEdge> edges,
                         Point pen);

}  // namespace nitka
