#include "render/end_marks.h"

#include <vector>

namespace nitka {
namespace {

EndMark markOf(const Topology& topology, CellId cell, Marks marks, char letter,
               const EndMark& taken) {
    EndMark mark{cell, -1, letter};
    if (marks != Marks::Openings) {
        return mark;
    }
    std::vector<Side> outline;
    topology.outline(cell, outline);
    for (int side = 0; side < static_cast<int>(outline.size()); ++side) {
        if (outline[static_cast<std::size_t>(side)].across == kNoCell &&
            !(taken.cell == cell && taken.opening == side)) {
            mark.opening = side;
            mark.letter = 0;
            return mark;
        }
    }
    return mark;
}

}  // namespace

EndMarks placeEndMarks(const Topology& topology, Marks marks) {
    EndMarks placed;
    if (marks == Marks::None) {
        return placed;
    }
    placed.start = markOf(topology, topology.start(), marks, 'S', {});
    placed.target = markOf(topology, topology.target(), marks, 'F', placed.start);
    return placed;
}

EndMarks gridEndMarks(int width, int height, Marks marks) {
    const CellId last = static_cast<CellId>(width) * static_cast<CellId>(height) - 1;
    if (marks == Marks::Letters) {
        return {{0, -1, 'S'}, {last, -1, 'F'}};
    }
    if (marks == Marks::Openings) {
        return {{0, 0, 0}, {last, gridTargetGap(width, height).horizontal ? 0 : 1, 0}};
    }
    return {};
}

GridGap gridStartGap() {
    return {true, 0, 0};
}

GridGap gridTargetGap(int width, int height) {
    if (height == 1 && width > 1) {
        return {true, 0, width - 1};
    }
    return {false, width, height - 1};
}

}  // namespace nitka
