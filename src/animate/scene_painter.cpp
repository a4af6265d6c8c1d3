#include "animate/scene_painter.h"

#include <cassert>
#include <string>
#include <vector>

#include "render/render_options.h"
#include "render/shape_cairo.h"

namespace nitka {
namespace {

using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

void checkPixels(std::int64_t width, std::int64_t height) {
    if (width * height > kMaxAnimationPixels) {
        throw RenderError("each picture would have " + std::to_string(width * height) +
                          " pixels, more than an animation's " +
                          std::to_string(kMaxAnimationPixels) + ": choose a smaller cell size");
    }
}

}  // namespace

Rgb roleColour(CellRole role) {
    switch (role) {
        case CellRole::Untouched:
        case CellRole::Done:
            return kPaper;
        case CellRole::Stack:
            return {150, 195, 250};
        case CellRole::Frontier:
            return {165, 225, 150};
        case CellRole::Walk:
            return {250, 165, 200};
        case CellRole::Tried:
            return {250, 220, 110};
        case CellRole::GivenUp:
            return {200, 200, 200};
    }
    return kPaper;
}

GridPainter::GridPainter(const WallGrid& grid, int cell)
    : m_layout(grid.width(), grid.height(), cell) {
    checkPixels(m_layout.pictureWidth(), m_layout.pictureHeight());
}

void GridPainter::draw(const WallGrid& grid, const CellTints& tints, RgbFrame& frame) const {
    assert(frame.width() == pictureWidth() && frame.height() == pictureHeight());
    frame.fill(kPaper);
    const int cell = m_layout.cell();
    const int width = grid.width();
    const int height = grid.height();
    for (int y = 0; y < height; ++y) {
        const int top = m_layout.top(y);
        for (int x = 0; x < width; ++x) {
            const std::size_t index = grid.index({x, y});
            const int left = m_layout.left(x);
            Rgb colour;
            if (tints.tinted(index, colour)) {
                for (int row = 1; row < cell; ++row) {
                    frame.fillRow(top + row, left + 1, left + cell, colour);
                }
            }
            if (grid.left(index) != Flag::Open) {
                for (int row = 0; row < cell; ++row) {
                    frame.set(left, top + row, kInk);
                }
            }
            if (grid.top(index) != Flag::Open) {
                frame.fillRow(top, left, left + cell, kInk);
            }
            if (grid.scratch(index) != 0) {
                const DotShape& dot = m_layout.dot();
                for (int row = 0; row < dot.size; ++row) {
                    // renderPng draws a dot's rows only inside the cell.
                    const int inCell = dot.offset + row;
                    if (inCell < 1 || inCell >= cell) {
                        continue;
                    }
                    const DotShape::Span span = dot.rows[static_cast<std::size_t>(row)];
                    frame.fillRow(top + inCell, left + dot.offset + span.from,
                                  left + dot.offset + span.to, kInk);
                }
            }
        }
    }
    // The frame: the right line stops short of the picture's top row, the
    // bottom one runs from the picture's left edge, as renderPng draws them.
    for (int y = 1; y < m_layout.bottom(); ++y) {
        frame.set(m_layout.right(), y, kInk);
    }
    frame.fillRow(m_layout.bottom(), 0, m_layout.right() + 1, kInk);
}

ShapePainter::ShapePainter(const ShapeMaze& maze, int cell)
    : m_layout(maze.topology(), cell),
      m_reach(0),
      m_walls(nullptr, cairo_surface_destroy),
      m_colours(nullptr, cairo_surface_destroy) {
    checkPixels(m_layout.pictureWidth(), m_layout.pictureHeight());
    m_walls.reset(cairo_image_surface_create(CAIRO_FORMAT_A8, pictureWidth(), pictureHeight()));
    m_colours.reset(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, pictureWidth(), pictureHeight()));
    if (cairo_surface_status(m_walls.get()) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_status(m_colours.get()) != CAIRO_STATUS_SUCCESS) {
        throw RenderError("cannot make a picture of " + std::to_string(pictureWidth()) + " x " +
                          std::to_string(pictureHeight()) + " pixels");
    }
    m_reach = shapeReach(maze.topology());
}

void ShapePainter::draw(const ShapeMaze& maze, const CellTints& tints, RgbFrame& frame) const {
    assert(frame.width() == pictureWidth() && frame.height() == pictureHeight());
    const Topology& topology = maze.topology();
    const double cell = m_layout.cell();
    const Point origin = m_layout.toPixels({0, 0});
    // The walls and dots exactly as renderShapePng draws them in one band.
    const ShapeInk ink = pixelInk(m_layout);
    {
        const Context cr(cairo_create(m_walls.get()), cairo_destroy);
        cairo_set_operator(cr.get(), CAIRO_OPERATOR_CLEAR);
        cairo_paint(cr.get());
        cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
        cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_FAST);
        cairo_translate(cr.get(), origin.x, origin.y);
        cairo_scale(cr.get(), cell, cell);
        const double height = pictureHeight();
        drawShapeMaze(cr.get(), maze, ink, true,
                      ShapeBand{-origin.y / cell, (height - origin.y) / cell,
                                m_reach + ink.lineWidth + ink.dotRadius});
    }
    {
        const Context cr(cairo_create(m_colours.get()), cairo_destroy);
        cairo_set_source_rgb(cr.get(), 1, 1, 1);
        cairo_paint(cr.get());
        // Sharp edges: a tint blended into the paper would be yet more colours.
        cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
        cairo_translate(cr.get(), origin.x, origin.y);
        cairo_scale(cr.get(), cell, cell);
        std::vector<Side> outline;
        for (CellId id = 0; id < topology.slotCount(); ++id) {
            Rgb colour;
            if (!topology.isCell(id) || !tints.tinted(id, colour)) {
                continue;
            }
            topology.outline(id, outline);
            cairo_new_path(cr.get());
            for (const Side& side : outline) {
                traceShapeSide(cr.get(), side, true);
            }
            cairo_close_path(cr.get());
            cairo_set_source_rgb(cr.get(), colour.red / 255.0, colour.green / 255.0,
                                 colour.blue / 255.0);
            cairo_fill(cr.get());
        }
    }
    cairo_surface_flush(m_walls.get());
    cairo_surface_flush(m_colours.get());
    const unsigned char* ink8 = cairo_image_surface_get_data(m_walls.get());
    const unsigned char* tint = cairo_image_surface_get_data(m_colours.get());
    const int inkStride = cairo_image_surface_get_stride(m_walls.get());
    const int tintStride = cairo_image_surface_get_stride(m_colours.get());
    for (int y = 0; y < frame.height(); ++y) {
        const unsigned char* alpha = ink8 + static_cast<std::ptrdiff_t>(y) * inkStride;
        const auto* paper = reinterpret_cast<const std::uint32_t*>(
            tint + static_cast<std::ptrdiff_t>(y) * tintStride);
        for (int x = 0; x < frame.width(); ++x) {
            if (alpha[x] != 0) {
                // renderShapePng's grey, unblended, so that the last picture
                // is that one exactly and a picture keeps to few colours.
                const auto grey = static_cast<std::uint8_t>(255 - alpha[x]);
                frame.set(x, y, {grey, grey, grey});
                continue;
            }
            const std::uint32_t pixel = paper[x];
            frame.set(x, y,
                      {static_cast<std::uint8_t>(pixel >> 16),
                       static_cast<std::uint8_t>(pixel >> 8), static_cast<std::uint8_t>(pixel)});
        }
    }
}

}  // namespace nitka
