#pragma once

#include "render/render_options.h"
#include "shape/topology.h"

namespace nitka {

// Where the drawing of a maze of any shape falls in a picture of whole pixels:
// a unit of the drawing is cell() pixels and its point (0, 0) lies
// kMargin + 0.5 pixels in from the picture's top-left corner, so that a line
// one pixel wide along a whole unit covers one row or column of pixels, as the
// rectangle's pictures do.
class ShapeLayout {
public:
    static constexpr int kMargin = 5;
    // As for the rectangle's pictures (see PictureLayout::kMaxSide).
    static constexpr int kMaxSide = 1'000'000;

    // Throws RenderError when cell < 2 or a side of the picture would exceed
    // kMaxSide.
    ShapeLayout(const Topology& topology, int cell);

    int cell() const { return m_cell; }
    int pictureWidth() const { return m_width; }
    int pictureHeight() const { return m_height; }
    Point toPixels(Point point) const {
        return {kOrigin + point.x * m_cell, kOrigin + point.y * m_cell};
    }
    // The route dot's radius in pixels: the rectangle's dot at the same cell size.
    double dotRadius() const { return m_dotRadius; }

private:
    static constexpr double kOrigin = kMargin + 0.5;
    int m_cell;
    int m_width;
    int m_height;
    double m_dotRadius;
};

// options.cell, or the rectangle's default for a maze as large as the drawing's
// extent in units (see defaultCellSize).
int shapeCellSize(const RenderOptions& options, const Topology& topology);

}  // namespace nitka
