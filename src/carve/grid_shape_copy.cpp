#include "carve/grid_shape_copy.h"

#include <cassert>
#include <cstdint>

namespace nitka {
namespace {

// RectTopology keeps a cell's top side in slot 0 and its left side in slot 1,
// as the grid keeps its top and left flags: a byte copies in one go.
constexpr std::uint8_t kTopSlot = 1u << 0;
constexpr std::uint8_t kLeftSlot = 1u << 1;

}  // namespace

void copyGridToShape(const WallGrid& grid, ShapeMaze& maze) {
    assert(isPlainRectangle(maze.topology()));
    assert(maze.topology().width() == grid.width() && maze.topology().height() == grid.height());
    for (std::uint64_t cell = 0; cell < grid.cellCount(); ++cell) {
        const unsigned top = grid.top(cell) == Flag::Open ? kTopSlot : 0u;
        const unsigned left = grid.left(cell) == Flag::Open ? kLeftSlot : 0u;
        maze.setHeldBits(cell, static_cast<std::uint8_t>(top | left));
    }
}

WallGrid gridFromShape(const ShapeMaze& maze) {
    assert(isPlainRectangle(maze.topology()));
    WallGrid grid(maze.topology().width(), maze.topology().height());
    for (std::uint64_t cell = 0; cell < grid.cellCount(); ++cell) {
        const std::uint8_t held = maze.heldBits(cell);
        grid.setTop(cell, (held & kTopSlot) != 0 ? Flag::Open : Flag::Wall);
        grid.setLeft(cell, (held & kLeftSlot) != 0 ? Flag::Open : Flag::Wall);
    }
    return grid;
}

}  // namespace nitka
