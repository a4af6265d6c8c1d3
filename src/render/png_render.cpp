#include "render/png_render.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "render/grey_png_writer.h"
#include "render/picture_layout.h"

namespace nitka {
namespace {

// Rows hold a bit a pixel, the leftmost in the high bit, 1 for white, so
// darkening clears bits.
void darkenPixel(std::vector<std::uint8_t>& row, int x) {
    row[static_cast<std::size_t>(x) >> 3] &= static_cast<std::uint8_t>(~(0x80u >> (x & 7)));
}

// Pixels from .. to - 1. Requires: from < to.
void darken(std::vector<std::uint8_t>& row, int from, int to) {
    const auto first = static_cast<std::size_t>(from) >> 3;
    const auto last = static_cast<std::size_t>(to - 1) >> 3;
    const auto head = static_cast<std::uint8_t>(0xFFu >> (from & 7));
    const auto tail = static_cast<std::uint8_t>(0xFFu << (7 - ((to - 1) & 7)));
    if (first == last) {
        row[first] &= static_cast<std::uint8_t>(~(head & tail));
        return;
    }
    row[first] &= static_cast<std::uint8_t>(~head);
    std::memset(row.data() + first + 1, 0, last - first - 1);
    row[last] &= static_cast<std::uint8_t>(~tail);
}

}  // namespace

void renderPng(const WallGrid& grid, const RenderOptions& options, std::streambuf& out) {
    const int width = grid.width();
    const int height = grid.height();
    const PictureLayout layout(width, height, cellSizeOf(options, width, height));
    const int cell = layout.cell();
    const DotShape& dot = layout.dot();

    GreyPngWriter png(out, layout.pictureWidth(), layout.pictureHeight(),
                      GreyPngWriter::Depth::OneBit);
    const std::vector<std::uint8_t> white((static_cast<std::size_t>(layout.pictureWidth()) + 7) / 8,
                                          0xFF);
    // A cell row's first pixel row holds its top walls; the rows below it are
    // all alike but where the dots are.
    std::vector<std::uint8_t> edge = white;
    std::vector<std::uint8_t> inner = white;
    std::vector<std::uint8_t> dotted = white;

    // The right frame line stops short of the picture's top row.
    png.writeRow(white.data());
    darkenPixel(inner, layout.right());
    for (int row = 1; row < PictureLayout::kMargin; ++row) {
        png.writeRow(inner.data());
    }

    for (int y = 0; y < height; ++y) {
        edge = white;
        inner = white;
        darkenPixel(edge, layout.right());
        darkenPixel(inner, layout.right());
        const std::size_t rowStart = grid.index({0, y});
        bool routeInRow = false;
        for (int x = 0; x < width; ++x) {
            const std::size_t index = rowStart + static_cast<std::size_t>(x);
            const int left = layout.left(x);
            if (grid.left(index) != Flag::Open) {
                darkenPixel(edge, left);
                darkenPixel(inner, left);
            }
            if (grid.top(index) != Flag::Open) {
                darken(edge, left, left + cell);
            }
            routeInRow = routeInRow || grid.scratch(index) != 0;
        }
        png.writeRow(edge.data());

        for (int row = 1; row < cell; ++row) {
            const int dotRow = row - dot.offset;
            if (!options.route || !routeInRow || dotRow < 0 || dotRow >= dot.size) {
                png.writeRow(inner.data());
                continue;
            }
            dotted = inner;
            const DotShape::Span span = dot.rows[static_cast<std::size_t>(dotRow)];
            for (int x = 0; x < width; ++x) {
                if (grid.scratch(rowStart + static_cast<std::size_t>(x)) != 0) {
                    const int from = layout.left(x) + dot.offset;
                    darken(dotted, from + span.from, from + span.to);
                }
            }
            png.writeRow(dotted.data());
        }
    }

    // The bottom frame line runs from the picture's left edge into the right one.
    edge = white;
    darken(edge, 0, layout.right() + 1);
    png.writeRow(edge.data());
    for (int row = 0; row < PictureLayout::kMargin; ++row) {
        png.writeRow(white.data());
    }
    png.finish();
}

}  // namespace nitka
