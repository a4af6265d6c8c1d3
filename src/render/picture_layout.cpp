#include "render/picture_layout.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <string>

#include "picture/ellipse_shape.h"
#include "render/render_options.h"

namespace nitka {
namespace {

// The window's dot: the ellipse in a 5 x 5 box one pixel up and left of the
// cell's centre (its box starts at ((2x + 1) * cell) div 2 + margin - 1).
// It fits between the walls from a cell of 8 pixels on.
constexpr int kWindowDot = 5;
constexpr int kWindowDotCell = 8;

DotShape dotFor(int cell) {
    DotShape dot;
    if (cell >= kWindowDotCell) {
        const EllipseShape shape(kWindowDot, kWindowDot);
        dot.offset = cell / 2 - 1;
        dot.size = kWindowDot;
        for (int y = 0; y < kWindowDot; ++y) {
            DotShape::Span span{kWindowDot, 0};
            for (int x = 0; x < kWindowDot; ++x) {
                if (shape.at(x, y) != EllipseShape::Part::Outside) {
                    span.from = std::min(span.from, x);
                    span.to = x + 1;
                }
            }
            dot.rows.push_back(span);
        }
        return dot;
    }
    // Smaller cells would lose the window's dot in the walls: a square a third
    // of the cell (at least a pixel) centred in the cell-1 pixels between
    // them.
    dot.size = std::max(1, cell / 3);
    dot.offset = 1 + (cell - 1 - dot.size) / 2;
    dot.rows.assign(static_cast<std::size_t>(dot.size), DotShape::Span{0, dot.size});
    return dot;
}

int checkedSide(int cells, int cell, const char* what) {
    const std::int64_t side =
        static_cast<std::int64_t>(cells) * cell + 2 * PictureLayout::kMargin + 1;
    if (side > PictureLayout::kMaxSide) {
        throw RenderError("the picture would be " + std::to_string(side) + " pixels " + what +
                          ", more than " + std::to_string(PictureLayout::kMaxSide) +
                          (cell > 2 ? ": choose a smaller cell size" : ""));
    }
    return static_cast<int>(side);
}

}  // namespace

PictureLayout::PictureLayout(int width, int height, int cell) : m_cell(cell) {
    assert(width >= 1 && height >= 1);
    if (cell < 2) {
        throw RenderError("a cell must be at least 2 pixels, not " + std::to_string(cell));
    }
    m_right = checkedSide(width, cell, "wide") - kMargin - 1;
    m_bottom = checkedSide(height, cell, "high") - kMargin - 1;
    m_dot = dotFor(cell);
}

}  // namespace nitka
