#include "render/mark_places.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "shape/layout.h"

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
    return routeDotRadius(topology, topology.start(), topology.target(), wanted, lineWidth, gap);
}

std::vector<LetterPlace> placeLetters(const EndMarks& marks, Point startCentre, double startRoom,
                                      Point targetCentre, double targetRoom) {
    std::vector<LetterPlace> places;
    const bool oneCell = marks.start.cell == marks.target.cell && marks.start.letter != 0 &&
                         marks.target.letter != 0;
    for (const LetterPlace& place :
         lettersAt(startCentre, targetCentre, startRoom, targetRoom, oneCell)) {
        const EndMark& mark = place.letter == 'S' ? marks.start : marks.target;
        if (mark.letter != 0) {
            places.push_back(place);
        }
    }
    return places;
}

std::vector<LetterPlace> placeGridLetters(int width, int height) {
    return placeLetters(GridLayout(width, height), gridEndMarks(width, height, Marks::Letters));
}

}  // namespace nitka
