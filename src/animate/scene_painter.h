#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "animate/rgb_frame.h"
#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "render/picture_layout.h"
#include "render/shape_layout.h"
#include "shape/shape_maze.h"

namespace nitka {

// The colour a role paints its cell, Untouched and Done as plain paper, all
// lighter than the walls; and the cell the method works at.
Rgb roleColour(CellRole role);
inline constexpr Rgb kCurrentColour{235, 95, 60};

// Each cell's role and the method's current cell: what colours the cells.
class CellTints {
public:
    CellTints(std::uint64_t slots, CellRole initial)
        : m_roles(slots, static_cast<std::uint8_t>(initial)) {}

    CellRole role(CellId cell) const { return static_cast<CellRole>(m_roles[cell]); }
    void setRole(CellId cell, CellRole role) { m_roles[cell] = static_cast<std::uint8_t>(role); }
    CellId current() const { return m_current; }
    void setCurrent(CellId cell) { m_current = cell; }
    // The colour of the cell's inside, or false for plain paper.
    bool tinted(CellId cell, Rgb& colour) const {
        colour = cell == m_current ? kCurrentColour : roleColour(role(cell));
        return colour != kPaper;
    }

private:
    std::vector<std::uint8_t> m_roles;
    CellId m_current = kNoCell;
};

// The two ways the tool draws a maze, each kept pixel for pixel so that an
// animation's last frame is render's picture: a WallGrid by renderPng's
// rules, any ShapeMaze by renderShapePng's. A scene picks its painter by
// the store it keeps (ScenePainter below).

// A plain rectangle by renderPng's pixel rules.
class GridPainter {
public:
    // Throws RenderError for a cell size out of range or a picture too large.
    GridPainter(const WallGrid& grid, int cell);

    int pictureWidth() const { return m_layout.pictureWidth(); }
    int pictureHeight() const { return m_layout.pictureHeight(); }
    // Requires: grid is the size given, frame pictureWidth() x pictureHeight().
    void draw(const WallGrid& grid, const CellTints& tints, RgbFrame& frame) const;

private:
    PictureLayout m_layout;
};

// Any shape by renderShapePng's rules, the cells' tints under the walls.
class ShapePainter {
public:
    // Throws RenderError for a cell size out of range or a picture too large.
    ShapePainter(const ShapeMaze& maze, int cell);

    int pictureWidth() const { return m_layout.pictureWidth(); }
    int pictureHeight() const { return m_layout.pictureHeight(); }
    // Requires: maze has the topology given, frame pictureWidth() x pictureHeight().
    void draw(const ShapeMaze& maze, const CellTints& tints, RgbFrame& frame) const;

private:
    ShapeLayout m_layout;
    double m_reach;
    using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
    Surface m_walls;    // A8: the walls' and dots' ink
    Surface m_colours;  // RGB24: the cells' tints
};

template <typename Maze>
using ScenePainter = std::conditional_t<std::is_same_v<Maze, WallGrid>, GridPainter, ShapePainter>;

// The largest picture an animation draws, in pixels: a few frames of it stay
// well inside the memory a command may take.
inline constexpr std::int64_t kMaxAnimationPixels = std::int64_t{8} << 20;

}  // namespace nitka
