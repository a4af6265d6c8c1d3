#pragma once

#include <cstdint>
#include <vector>

#include "grid/wall_grid.h"

namespace nitka {

// A route through a WallGrid held as its start cell and one step of two bits
// per move, so even a route through every cell of a giant maze stays small.
class GridRoute {
public:
    explicit GridRoute(GridCell start = {}) : m_start(start) {}

    GridCell start() const { return m_start; }
    // Moves taken; the route visits moves() + 1 cells.
    std::uint64_t moves() const { return m_moves; }
    Step move(std::uint64_t i) const {
        return static_cast<Step>((m_packed[i / 4] >> (2 * (i % 4))) & 3u);
    }

    void push(Step step);
    // Requires: moves() > 0.
    void pop();
    // The same cells from the last to the first.
    void reverse();

    // The most a route through every one of cells takes, with its vector's
    // growth and a reversed copy; saturated.
    static std::uint64_t bytesFor(std::uint64_t cells) {
        return cells / 4 + 1 > UINT64_MAX / 3 ? UINT64_MAX : (cells / 4 + 1) * 3;
    }

    // Calls visit(cell) for every cell of the route, first to last.
    template <typename Visit>
    void forEachCell(Visit&& visit) const {
        GridCell cell = m_start;
        visit(cell);
        for (std::uint64_t i = 0; i < m_moves; ++i) {
            cell = neighbour(cell, move(i));
            visit(cell);
        }
    }

private:
    GridCell m_start;
    std::uint64_t m_moves = 0;
    std::vector<std::uint8_t> m_packed;
};

}  // namespace nitka
