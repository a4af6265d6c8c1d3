#pragma once

#include <cstdint>
#include <type_traits>

#include "grid/wall_grid.h"
#include "shape/layout.h"
#include "shape/shape_maze.h"

namespace nitka {

// A maze's sides seen through its concrete layout: the one type the engine's
// templates work on. Two stores lie under it: ShapeMaze (a bit a held side)
// and WallGrid (a plain rectangle's three-state flags, as the window's file
// keeps them). Each asks its layout which cell holds a side; the store says
// whether that side is open. A const store gives a read-only view.
//
// isOpen: the side was carved open (flag 0); drawn without a wall.
// passable: a route may cross it; on a grid, any flag but a wall (1), so that
// a hand-edited flag answers the same route in every command.

template <Layout L, typename Maze = ShapeMaze>
class ShapeView {
public:
    ShapeView(const L& layout, Maze& maze) : m_layout(&layout), m_maze(&maze) {}

    const L& layout() const { return *m_layout; }
    Maze& maze() const { return *m_maze; }

    bool isOpen(HeldSide side) const {
        return (m_maze->heldBits(side.holder) >> side.slot & 1u) != 0;
    }
    bool isOpen(CellId a, CellId b) const { return isOpen(m_layout->heldSide(a, b)); }
    bool passable(HeldSide side) const { return isOpen(side); }
    bool passable(CellId a, CellId b) const { return isOpen(a, b); }
    void setOpen(CellId a, CellId b, bool open) const requires(!std::is_const_v<Maze>) {
        setOpen(m_layout->heldSide(a, b), open);
    }
    void setOpen(HeldSide side, bool open) const requires(!std::is_const_v<Maze>) {
        const auto bit = static_cast<std::uint8_t>(1u << side.slot);
        const std::uint8_t held = m_maze->heldBits(side.holder);
        m_maze->setHeldBits(side.holder,
                            static_cast<std::uint8_t>(open ? held | bit : held & ~bit));
    }

    std::uint8_t scratch(CellId cell) const { return m_maze->scratch(cell); }
    void setScratch(CellId cell, std::uint8_t value) const requires(!std::is_const_v<Maze>) {
        m_maze->setScratch(cell, value);
    }
    void clearScratch() const requires(!std::is_const_v<Maze>) { m_maze->clearScratch(); }

private:
    const L* m_layout;
    Maze* m_maze;
};

template <typename Grid = WallGrid>
class GridView {
public:
    explicit GridView(Grid& grid) : m_layout(grid.width(), grid.height()), m_grid(&grid) {}

    const GridLayout& layout() const { return m_layout; }
    Grid& grid() const { return *m_grid; }

    // The flag of the side two neighbours share.
    Flag flag(HeldSide side) const {
        return side.slot == 0 ? m_grid->top(side.holder) : m_grid->left(side.holder);
    }
    Flag flag(CellId a, CellId b) const { return flag(m_layout.heldSide(a, b)); }
    bool isOpen(HeldSide side) const { return flag(side) == Flag::Open; }
    bool isOpen(CellId a, CellId b) const { return flag(a, b) == Flag::Open; }
    bool passable(HeldSide side) const { return letsRoutePass(flag(side)); }
    bool passable(CellId a, CellId b) const { return letsRoutePass(flag(a, b)); }
    void setOpen(CellId a, CellId b, bool open) const requires(!std::is_const_v<Grid>) {
        setOpen(m_layout.heldSide(a, b), open);
    }
    void setOpen(HeldSide side, bool open) const requires(!std::is_const_v<Grid>) {
        const Flag flag = open ? Flag::Open : Flag::Wall;
        if (side.slot == 0) {
            m_grid->setTop(side.holder, flag);
        } else {
            m_grid->setLeft(side.holder, flag);
        }
    }

    std::uint8_t scratch(CellId cell) const { return m_grid->scratch(cell); }
    void setScratch(CellId cell, std::uint8_t value) const requires(!std::is_const_v<Grid>) {
        m_grid->setScratch(cell, value);
    }
    void clearScratch() const requires(!std::is_const_v<Grid>) { m_grid->clearScratch(); }

private:
    GridLayout m_layout;
    Grid* m_grid;
};

// Calls run with a view of the maze through its concrete layout.
template <typename Maze, typename Run>
requires std::is_same_v<std::remove_const_t<Maze>, ShapeMaze>
decltype(auto) withMazeView(Maze& maze, Run&& run) {
    return visitLayout(maze.topology(), [&](const auto& layout) {
        return run(ShapeView<std::remove_cvref_t<decltype(layout)>, Maze>(layout, maze));
    });
}

template <typename Grid, typename Run>
requires std::is_same_v<std::remove_const_t<Grid>, WallGrid>
decltype(auto) withMazeView(Grid& grid, Run&& run) {
    return run(GridView<Grid>(grid));
}

}  // namespace nitka
