#pragma once

#include <array>
#include <cstdint>

#include "shape/topology.h"

namespace nitka {

// Scratch marks of fillJoinedCells: the cell a fill began at, else 1 plus the
// place, in the cell's own neighbour list, of the cell it was entered from.
inline constexpr std::uint8_t kFillStart = 7;
static_assert(kMaxNeighbours < kFillStart);

// Marks with a fill mark (1 .. kFillStart) every cell joined to start through
// sides passes(link) lets through and whose scratch is 0, and counts them.
// Depth first without a stack: each cell keeps the way back to the cell it
// was entered from, so an island of any size costs no memory beyond the maze.
// Requires: start is a cell with scratch 0.
// Works on a maze view (shape/maze_view.h).
template <typename View, typename Passes>
std::uint64_t fillJoinedCells(const View& maze, CellId start, Passes&& passes) {
    const auto& layout = maze.layout();
    LinkArray list{};
    CellId cell = start;
    int count = layout.links(cell, list);
    int next = 0;
    maze.setScratch(cell, kFillStart);
    std::uint64_t filled = 1;
    while (true) {
        while (next < count && (maze.scratch(list[static_cast<std::size_t>(next)].next) != 0 ||
                                !passes(list[static_cast<std::size_t>(next)]))) {
            ++next;
        }
        if (next < count) {
            const CellId entered = list[static_cast<std::size_t>(next)].next;
            count = layout.links(entered, list);
            maze.setScratch(entered, static_cast<std::uint8_t>(1 + placeIn(list, count, cell)));
            cell = entered;
            next = 0;
            ++filled;
            continue;
        }
        const std::uint8_t mark = maze.scratch(cell);
        if (mark == kFillStart) {
            return filled;
        }
        const CellId back = list[mark - 1u].next;
        count = layout.links(back, list);
        next = placeIn(list, count, cell) + 1;
        cell = back;
    }
}

}  // namespace nitka
