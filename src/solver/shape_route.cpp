#include "solver/shape_route.h"

#include <cassert>

namespace nitka {

void ShapeRoute::push(int forward, int back) {
    assert(forward >= 0 && forward < kMaxNeighbours && back >= 0 && back < kMaxNeighbours);
    m_moves.push_back(static_cast<std::uint8_t>(forward | back << 4));
}

void markRoute(ShapeMaze& maze, const ShapeRoute& route) {
    maze.clearScratch();
    visitLayout(maze.topology(), [&](const auto& layout) {
        route.forEachCell(layout, [&maze](CellId cell) { maze.setScratch(cell, 1); });
    });
}

}  // namespace nitka
