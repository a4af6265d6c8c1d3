#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
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

// The maze as an animation shows it at one moment: the sides open so far, each
// cell's role, the method's current cell, and once shown the route's dots.
class AnimationScene {
public:
    virtual ~AnimationScene() = default;

    CellRole role(CellId cell) const { return static_cast<CellRole>(m_roles[cell]); }
    void setRole(CellId cell, CellRole role) { m_roles[cell] = static_cast<std::uint8_t>(role); }
    CellId current() const { return m_current; }
    void setCurrent(CellId cell) { m_current = cell; }

    virtual void open(CellId a, CellId b) = 0;
    virtual void close(CellId a, CellId b) = 0;
    // Clears every role and the current cell and marks the window's route,
    // from the start to the target as `render --route` finds it, for its dots.
    // False when there is none.
    virtual bool showRoute() = 0;

    virtual int pictureWidth() const = 0;
    virtual int pictureHeight() const = 0;
    // Requires: frame is pictureWidth() x pictureHeight().
    virtual void draw(RgbFrame& frame) const = 0;

protected:
    AnimationScene(std::uint64_t slots, CellRole initial)
        : m_roles(slots, static_cast<std::uint8_t>(initial)) {}
    // The colour of the cell's inside, or nothing for plain paper.
    bool tinted(CellId cell, Rgb& colour) const;

private:
    std::vector<std::uint8_t> m_roles;
    CellId m_current = kNoCell;
};

// A plain rectangle, drawn by the rules of renderPng: at the end, with the
// route shown, it is that picture pixel for pixel.
class GridScene final : public AnimationScene {
public:
    // shown: the walls to start from, all closed to watch a carving.
    // Throws RenderError for a cell size out of range.
    GridScene(WallGrid shown, int cell, CellRole initial);

    const WallGrid& grid() const { return m_grid; }
    void open(CellId a, CellId b) override;
    void close(CellId a, CellId b) override;
    bool showRoute() override;
    int pictureWidth() const override { return m_layout.pictureWidth(); }
    int pictureHeight() const override { return m_layout.pictureHeight(); }
    void draw(RgbFrame& frame) const override;

private:
    void setSide(CellId a, CellId b, Flag flag);

    WallGrid m_grid;
    PictureLayout m_layout;
};

// Any other maze, drawn by the rules of renderShapePng, colours under the walls.
class ShapeScene final : public AnimationScene {
public:
    // Throws RenderError for a cell size out of range or a picture too large.
    ShapeScene(ShapeMaze shown, int cell, CellRole initial);

    const ShapeMaze& maze() const { return m_maze; }
    void open(CellId a, CellId b) override;
    void close(CellId a, CellId b) override;
    bool showRoute() override;
    int pictureWidth() const override { return m_layout.pictureWidth(); }
    int pictureHeight() const override { return m_layout.pictureHeight(); }
    void draw(RgbFrame& frame) const override;

private:
    ShapeMaze m_maze;
    ShapeLayout m_layout;
    double m_reach;
    using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
    Surface m_walls;    // A8: the walls' and dots' ink
    Surface m_colours;  // RGB24: the cells' tints
};

// The largest picture an animation draws, in pixels: a few frames of it stay
// well inside the memory a command may take.
inline constexpr std::int64_t kMaxAnimationPixels = std::int64_t{8} << 20;

}  // namespace nitka
