#pragma once

#include <cstdint>

#include "animate/rgb_frame.h"
#include "animate/scene_painter.h"
#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "shape/shape_maze.h"

namespace nitka {

// The maze as an animation shows it at one moment: the sides open so far, each
// cell's role, the method's current cell, and once shown the route's dots.
class AnimationScene {
public:
    virtual ~AnimationScene() = default;

    CellRole role(CellId cell) const { return m_tints.role(cell); }
    void setRole(CellId cell, CellRole role) { m_tints.setRole(cell, role); }
    CellId current() const { return m_tints.current(); }
    void setCurrent(CellId cell) { m_tints.setCurrent(cell); }

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
    AnimationScene(std::uint64_t slots, CellRole initial) : m_tints(slots, initial) {}
    const CellTints& tints() const { return m_tints; }

private:
    CellTints m_tints;
};

// The scene of a maze kept as Maze, a WallGrid or a ShapeMaze, drawn as render
// draws that store (ScenePainter): at the end, with the route shown, it is
// render's picture pixel for pixel.
template <typename Maze>
class MazeScene final : public AnimationScene {
public:
    // shown: the sides to start from, all closed to watch a carving.
    // Throws RenderError for a cell size out of range or a picture too large.
    MazeScene(Maze shown, int cell, CellRole initial);

    const Maze& maze() const { return m_maze; }
    void open(CellId a, CellId b) override;
    void close(CellId a, CellId b) override;
    bool showRoute() override;
    int pictureWidth() const override { return m_painter.pictureWidth(); }
    int pictureHeight() const override { return m_painter.pictureHeight(); }
    void draw(RgbFrame& frame) const override { m_painter.draw(m_maze, tints(), frame); }

private:
    Maze m_maze;
    ScenePainter<Maze> m_painter;
};

extern template class MazeScene<WallGrid>;
extern template class MazeScene<ShapeMaze>;

using GridScene = MazeScene<WallGrid>;
using ShapeScene = MazeScene<ShapeMaze>;

}  // namespace nitka
