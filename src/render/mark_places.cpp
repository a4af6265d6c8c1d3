#include "render/mark_places.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace nitka {
namespace {

// A letter a cell holds alone, and each of two sharing one, in units high at
// most, and as a share of the cell's room: a bold capital is about 0.7 of its
// height wide, so these keep its corners off the walls.
constexpr double kLetterSize = 0.6;
constexpr double kLetterPerRoom = 1.5;
constexpr double kPairSize = 0.45;
constexpr double kPairPerRoom = 1.0;
// Each of a pair sits this share of its size off the cell's centre.
constexpr double kPairOffset = 0.4;

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double distanceToSegment(Point point, Point from, Point to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = dx * dx + dy * dy;
    const double along =
        length == 0
            ? 0
            : std::clamp(((point.x - from.x) * dx + (point.y - from.y) * dy) / length, 0.0, 1.0);
    return distance(point, {from.x + along * dx, from.y + along * dy});
}

double roomOf(const Topology& topology, CellId cell) {
    std::vector<Side> outline;
    topology.outline(cell, outline);
    return roomAround(outline, topology.centre(cell));
}

std::vector<LetterPlace> lettersAt(Point start, Point target, double startRoom, double targetRoom,
                                   bool oneCell) {
    if (oneCell) {
        const double size = std::min(kPairSize, kPairPerRoom * startRoom);
        const double offset = kPairOffset * size;
        return {{'S', {start.x - offset, start.y}, size}, {'F', {start.x + offset, start.y}, size}};
    }
    return {{'S', start, std::min(kLetterSize, kLetterPerRoom * startRoom)},
            {'F', target, std::min(kLetterSize, kLetterPerRoom * targetRoom)}};
}

}  // namespace

double roomAround(const std::vector<Side>& outline, Point point) {
    double room = std::numeric_limits<double>::infinity();
    for (const Side& side : outline) {
        // An arc's nearest point lies on the ray from its centre through
        // point, for the sides a cell's centre faces.
        room = std::min(room, side.arc ? std::abs(distance(point, side.centre) -
                                                  distance(side.from, side.centre))
                                       : distanceToSegment(point, side.from, side.to));
    }
    return room;
}

double routeDotRadius(const Topology& topology, double wanted, double lineWidth, double gap) {
    if (topology.cellCount() == 0) {
        return wanted;
    }
    // Every cell of a rectangle, hexagon or triangle layout is alike; a round
    // maze's narrowest lie in its outer ring, where its target is.
    const double room =
        std::min(roomOf(topology, topology.start()), roomOf(topology, topology.target())) -
        lineWidth / 2;
    // A cell too small for the gap still shows a dot, half its room across.
    return std::max(0.0, std::min(wanted, std::max(room - gap, room / 2)));
}

std::vector<LetterPlace> placeLetters(const Topology& topology, const EndMarks& marks) {
    std::vector<LetterPlace> places;
    if (marks.start.cell == kNoCell) {
        return places;
    }
    const bool oneCell = marks.start.cell == marks.target.cell && marks.start.letter != 0 &&
                         marks.target.letter != 0;
    const CellId start = marks.start.cell;
    const CellId target = marks.target.cell;
    for (const LetterPlace& place :
         lettersAt(topology.centre(start), topology.centre(target), roomOf(topology, start),
                   roomOf(topology, target), oneCell)) {
        const EndMark& mark = place.letter == 'S' ? marks.start : marks.target;
        if (mark.letter != 0) {
            places.push_back(place);
        }
    }
    return places;
}

std::vector<LetterPlace> placeGridLetters(int width, int height) {
    return lettersAt({0.5, 0.5}, {width - 0.5, height - 0.5}, 0.5, 0.5, width == 1 && height == 1);
}

}  // namespace nitka
