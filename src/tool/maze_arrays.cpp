#include "tool/maze_arrays.h"

#include <variant>

#include "tool/tool_error.h"

namespace nitka {
namespace {

Position positionOf(const ShapeMaze& maze, CellId cell) {
    const CellPosition at = maze.topology().position(cell);
    return {at.x, at.y};
}

// The wall picture of a rectangle whose two cells (x, y) and (x + dx, y + dy)
// are joined when `open` says so; `isCell` tells a mask's holes.
template <typename IsCell, typename Open>
void drawPicture(std::int64_t width, std::int64_t height, IsCell isCell, Open open,
                 std::span<std::uint8_t> walls) {
    const std::int64_t columns = 2 * width + 1;
    std::fill(walls.begin(), walls.end(), std::uint8_t{1});
    const auto at = [&](std::int64_t row, std::int64_t column) -> std::uint8_t& {
        return walls[static_cast<std::size_t>(row * columns + column)];
    };
    for (std::int64_t y = 0; y < height; ++y) {
        for (std::int64_t x = 0; x < width; ++x) {
            if (!isCell(x, y)) {
                continue;
            }
            at(2 * y + 1, 2 * x + 1) = 0;
            if (x + 1 < width && open(x, y, x + 1, y)) {
                at(2 * y + 1, 2 * x + 2) = 0;
            }
            if (y + 1 < height && open(x, y, x, y + 1)) {
                at(2 * y + 2, 2 * x + 1) = 0;
            }
        }
    }
}

void drawGrid(const WallGrid& grid, std::span<std::uint8_t> walls) {
    drawPicture(
        grid.width(), grid.height(), [](std::int64_t, std::int64_t) { return true; },
        [&grid](std::int64_t x, std::int64_t, std::int64_t nextX, std::int64_t nextY) {
            const std::size_t later =
                grid.index({static_cast<int>(nextX), static_cast<int>(nextY)});
            return (nextX > x ? grid.left(later) : grid.top(later)) != Flag::Wall;
        },
        walls);
}

void drawShape(const ShapeMaze& maze, std::span<std::uint8_t> walls) {
    const Topology& layout = maze.topology();
    const auto cellAt = [&layout](std::int64_t x, std::int64_t y) { return layout.cellAt({x, y}); };
    drawPicture(
        layout.width(), layout.height(),
        [&](std::int64_t x, std::int64_t y) { return cellAt(x, y) != kNoCell; },
        [&](std::int64_t x, std::int64_t y, std::int64_t nextX, std::int64_t nextY) {
            const CellId next = cellAt(nextX, nextY);
            return next != kNoCell && maze.isOpen(cellAt(x, y), next);
        },
        walls);
}

}  // namespace

Position startOf(const AnyMaze& maze) {
    if (const auto* shape = std::get_if<ShapeMaze>(&maze)) {
        return positionOf(*shape, shape->topology().start());
    }
    return {0, 0};
}

Position targetOf(const AnyMaze& maze) {
    if (const auto* shape = std::get_if<ShapeMaze>(&maze)) {
        return positionOf(*shape, shape->topology().target());
    }
    const auto& grid = std::get<WallGrid>(maze);
    return {grid.width() - 1, grid.height() - 1};
}

WallPicture wallPicture(const AnyMaze& maze) {
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (const auto* shape = std::get_if<ShapeMaze>(&maze)) {
        const Topology& layout = shape->topology();
        if (layout.kind() != ShapeKind::Rect) {
            throw UsageError("grid", "a " + std::string(shapeName(layout.kind())) +
                                         " maze has no occupancy grid; only rect has");
        }
        width = layout.width();
        height = layout.height();
    } else {
        width = std::get<WallGrid>(maze).width();
        height = std::get<WallGrid>(maze).height();
    }
    WallPicture picture{2 * height + 1, 2 * width + 1, {}};
    picture.walls.resize(static_cast<std::size_t>(picture.rows * picture.columns));
    drawWallPicture(maze, picture.walls);
    return picture;
}

void drawWallPicture(const AnyMaze& maze, std::span<std::uint8_t> walls) {
    if (const auto* grid = std::get_if<WallGrid>(&maze)) {
        drawGrid(*grid, walls);
    } else {
        drawShape(std::get<ShapeMaze>(maze), walls);
    }
}

}  // namespace nitka
