#include "grid/wall_grid.h"

namespace nitka {
namespace {

// Top and left flags both walls: 1 | 1 << 2.
constexpr std::uint8_t kWalledCell = 5;

}  // namespace

WallGrid::WallGrid(int width, int height)
    : m_width(width),
      m_height(height),
      m_cells(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kWalledCell) {
    assert(width >= 1 && height >= 1);
}

Flag WallGrid::edge(GridCell cell, Step step) const {
    switch (step) {
        case Step::Right:
            return cell.x + 1 < m_width ? left(index({cell.x + 1, cell.y})) : Flag::Wall;
        case Step::Left:
            return left(index(cell));
        case Step::Up:
            return top(index(cell));
        case Step::Down:
            return cell.y + 1 < m_height ? top(index({cell.x, cell.y + 1})) : Flag::Wall;
    }
    return Flag::Wall;
}

void WallGrid::clearScratch() {
    for (auto& byte : m_cells) {
        byte &= 0x0Fu;
    }
}

}  // namespace nitka
