#include "shape/shape_maze.h"

#include <utility>

namespace nitka {

ShapeMaze::ShapeMaze(std::shared_ptr<const Topology> topology)
    : m_topology(std::move(topology)), m_cells(m_topology->slotCount(), 0) {}

void ShapeMaze::clearScratch() {
    for (auto& byte : m_cells) {
        byte &= 0x0Fu;
    }
}

}  // namespace nitka
