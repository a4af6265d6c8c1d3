#pragma once

#include <cstdint>
#include <vector>

#include "shape/layout.h"
#include "shape/shape_maze.h"
#include "shape/topology.h"

namespace nitka {

// A route through a maze of any shape: its start cell and one byte a move,
// the place of the cell entered in the neighbour order of the cell left (low
// four bits) and the way back, the place of the cell left in the order of the
// cell entered (high four bits). A route through every cell of a giant maze
// stays a byte a cell.
class ShapeRoute {
public:
    explicit ShapeRoute(CellId start = kNoCell) : m_start(start) {}

    CellId start() const { return m_start; }
    // Moves taken; the route visits moves() + 1 cells.
    std::uint64_t moves() const { return m_moves.size(); }
    int move(std::uint64_t i) const { return m_moves[i] & 0x0F; }
    int moveBack(std::uint64_t i) const { return m_moves[i] >> 4; }

    // Requires: 0 <= forward, back < kMaxNeighbours.
    void push(int forward, int back);
    // Requires: moves() > 0.
    void pop() { m_moves.pop_back(); }

    // Calls visit(cell) for every cell of the route, first to last.
    // Requires: the route was found on this layout.
    template <Layout L, typename Visit>
    void forEachCell(const L& layout, Visit&& visit) const {
        LinkArray links;
        CellId cell = m_start;
        visit(cell);
        for (const std::uint8_t move : m_moves) {
            layout.links(cell, links);
            cell = links[move & 0x0Fu].next;
            visit(cell);
        }
    }

private:
    CellId m_start;
    std::vector<std::uint8_t> m_moves;
};

// Clears the maze's scratch and sets it to 1 on every cell of the route, where
// a picture draws its dots. Requires: the route was found on this maze.
void markRoute(ShapeMaze& maze, const ShapeRoute& route);

}  // namespace nitka
