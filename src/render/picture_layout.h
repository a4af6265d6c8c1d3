#pragma once

#include <vector>

namespace nitka {

// The pixels a route dot covers, relative to the top-left grid point of its
// cell: row r of the dot is pixels from .. to - 1 of pixel row offset + r,
// counted from offset.
struct DotShape {
    struct Span {
        int from = 0;
        int to = 0;
    };
    int offset = 0;
    int size = 0;
    std::vector<Span> rows;  // size rows
};

// Where walls and dots of a width x height maze fall in a picture of whole
// pixels: the window's layout at any cell size. Grid point (x, y) is pixel
// (kMargin + x * cell, kMargin + y * cell), the frame's far column and row are
// right() and bottom(), and a margin follows them.
class PictureLayout {
public:
    static constexpr int kMargin = 5;
    // The largest side libpng writes without being told otherwise, and more
    // than most viewers open.
    static constexpr int kMaxSide = 1'000'000;

    // Throws RenderError when cell < 2 or a side of the picture would exceed
    // kMaxSide. Requires: width >= 1, height >= 1.
    PictureLayout(int width, int height, int cell);

    int cell() const { return m_cell; }
    int right() const { return m_right; }
    int bottom() const { return m_bottom; }
    int pictureWidth() const { return m_right + kMargin + 1; }
    int pictureHeight() const { return m_bottom + kMargin + 1; }
    // Pixel column of grid column x, and pixel row of grid row y.
    int left(int x) const { return kMargin + x * m_cell; }
    int top(int y) const { return kMargin + y * m_cell; }
    const DotShape& dot() const { return m_dot; }

private:
    int m_cell;
    int m_right;
    int m_bottom;
    DotShape m_dot;
};

}  // namespace nitka
