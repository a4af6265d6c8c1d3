#pragma once

#include <cstdint>

#include "carve/carve_observer.h"
#include "carve/shape_steps.h"
#include "shape/cell_fill.h"

namespace nitka {

// The random walks' way with islands. A walk never leaves the island it
// starts on, so before one sets out, a fill marks (1 .. kFillStart) the cells
// it can reach, and counts them: on a mask in pieces a walk that waited for
// the others would never end. The rectangle holds together: it skips the
// fill and counts every cell.
template <typename View>
std::uint64_t markIsland(const View& maze, CellId start) {
    const auto& layout = maze.layout();
    if constexpr (kGridLayout<std::remove_cvref_t<decltype(layout)>>) {
        static_cast<void>(start);
        return layout.cellCount();
    } else {
        return fillJoinedCells(maze, start, [](const Link&) { return true; });
    }
}

// Whether the walks are done before they draw anything: a rectangle of one
// cell, where the rectangle's walks never drew their start. Tells observer
// of the cell.
template <typename View, typename Observer>
bool loneGridCell(const View& maze, Observer& observer) {
    const auto& layout = maze.layout();
    if (kGridLayout<std::remove_cvref_t<decltype(layout)>> && layout.cellCount() == 1) {
        observer.mark(0, CellRole::Done);
        return true;
    }
    return false;
}

}  // namespace nitka
