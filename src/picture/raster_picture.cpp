#include "picture/raster_picture.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace nitka {
namespace {

// The pixels a straight run from one coordinate to another covers without its
// end pixel, as a half-open range.
std::pair<int, int> runExcludingEnd(int from, int to) {
    return from < to ? std::pair{from, to} : std::pair{to + 1, from + 1};
}

}  // namespace

RasterPicture::RasterPicture(Pixel background) : m_background(background) {}

Pixel RasterPicture::colourValue(Colour colour) const {
    switch (colour) {
        case Colour::Black:
            return rgb(0, 0, 0);
        case Colour::White:
            return rgb(255, 255, 255);
        case Colour::Blue:
            return rgb(0, 0, 255);
        case Colour::Background:
            return m_background;
    }
    return m_background;
}

void RasterPicture::ensureBitmap() {
    if (m_pixels.empty()) {
        m_pixels.assign(static_cast<std::size_t>(kWidth) * kHeight, rgb(255, 255, 255));
        changed();  // the screen now shows white instead of the window's colour
    }
}

void RasterPicture::changed() {
    if (m_display != nullptr) {
        m_display->scheduleRedraw();
    }
}

Pixel RasterPicture::pixel(int x, int y) const {
    assert(hasBitmap() && x >= 0 && x < kWidth && y >= 0 && y < kHeight);
    return m_pixels[static_cast<std::size_t>(y) * kWidth + x];
}

void RasterPicture::plot(int x, int y, Pixel value) {
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) {
        m_pixels[static_cast<std::size_t>(y) * kWidth + x] = value;
    }
}

void RasterPicture::fillSpan(int y, int x1, int x2, Pixel value) {
    if (y < 0 || y >= kHeight) {
        return;
    }
    const int from = std::max(x1, 0);
    const int to = std::min(x2, kWidth);
    if (from < to) {
        const auto row = m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * kWidth;
        std::fill(row + from, row + to, value);
    }
}

void RasterPicture::fillBlock(int x1, int y1, int x2, int y2, Pixel value) {
    const int top = std::max(y1, 0);
    const int bottom = std::min(y2, kHeight);
    const int from = std::max(x1, 0);
    const int to = std::min(x2, kWidth);
    if (top >= bottom || from >= to) {
        return;
    }
    // Clearing the picture fills it whole on every new maze: fill one row, then
    // copy it, which is far cheaper than filling pixel by pixel.
    fillSpan(top, from, to, value);
    const auto firstRow = m_pixels.begin() + static_cast<std::ptrdiff_t>(top) * kWidth;
    for (int y = top + 1; y < bottom; ++y) {
        std::copy(firstRow + from, firstRow + to,
                  m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * kWidth + from);
    }
}

void RasterPicture::setPenColour(Colour colour) {
    ensureBitmap();
    m_pen = colour;
}

void RasterPicture::setBrushColour(Colour colour) {
    ensureBitmap();
    m_brush = colour;
}

void RasterPicture::moveTo(int x, int y) {
    ensureBitmap();
    m_x = x;
    m_y = y;
}

void RasterPicture::lineTo(int x, int y) {
    ensureBitmap();
    const Pixel pen = colourValue(m_pen);
    if ((x == m_x) != (y == m_y)) {
        // Walls are all horizontal or vertical: give them a straight run.
        if (y == m_y) {
            const auto [first, last] = runExcludingEnd(m_x, x);
            fillSpan(y, first, last, pen);
        } else if (x >= 0 && x < kWidth) {
            const auto [first, last] = runExcludingEnd(m_y, y);
            for (int row = std::max(first, 0); row < std::min(last, kHeight); ++row) {
                m_pixels[static_cast<std::size_t>(row) * kWidth + x] = pen;
            }
        }
        m_x = x;
        m_y = y;
        changed();
        return;
    }
    // Bresenham's rasteriser; the loop stops before plotting the end pixel.

    const int dx = std::abs(x - m_x);
    const int dy = -std::abs(y - m_y);
    const int stepX = m_x < x ? 1 : -1;
    const int stepY = m_y < y ? 1 : -1;
    int error = dx + dy;
    int px = m_x;
    int py = m_y;
    while (px != x || py != y) {
        plot(px, py, pen);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            px += stepX;
        }
        if (twice <= dx) {
            error += dx;
            py += stepY;
        }
    }
    m_x = x;
    m_y = y;
    changed();
}

void RasterPicture::rectangle(int x1, int y1, int x2, int y2) {
    ensureBitmap();
    if (x1 < x2 && y1 < y2) {
        fillBlock(x1, y1, x2, y2, colourValue(m_brush));
        const Pixel pen = colourValue(m_pen);
        fillSpan(y1, x1, x2, pen);
        fillSpan(y2 - 1, x1, x2, pen);
        for (int y = std::max(y1, 0); y < std::min(y2, kHeight); ++y) {
            plot(x1, y, pen);
            plot(x2 - 1, y, pen);
        }
    }
    changed();
}

void RasterPicture::ellipse(int x1, int y1, int x2, int y2) {
    ensureBitmap();
    if (x1 < x2 && y1 < y2) {
        // Route dots are thousands of ellipses of one size: their shape is worked
        // out once.
        if (m_ellipse.width() != x2 - x1 || m_ellipse.height() != y2 - y1) {
            m_ellipse = EllipseShape(x2 - x1, y2 - y1);
        }
        const Pixel brush = colourValue(m_brush);
        const Pixel pen = colourValue(m_pen);
        for (int y = std::max(y1, 0); y < std::min(y2, kHeight); ++y) {
            for (int x = std::max(x1, 0); x < std::min(x2, kWidth); ++x) {
                const EllipseShape::Part part = m_ellipse.at(x - x1, y - y1);
                if (part != EllipseShape::Part::Outside) {
                    plot(x, y, part == EllipseShape::Part::Outline ? pen : brush);
                }
            }
        }
    }
    changed();
}

void RasterPicture::repaint() {
    if (m_display != nullptr) {
        m_display->redrawNow();
    }
}

}  // namespace nitka
