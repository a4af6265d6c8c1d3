#include "render/png_render.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "carve/grid_shape_copy.h"
#include "render/bitmap_marks.h"
#include "render/end_marks.h"
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

void writePng(const WallGrid& grid, const RenderOptions& options, std::streambuf& out,
              const EndMarks& ends, const std::vector<LetterPlace>& letters) {
    const int width = grid.width();
    const int height = grid.height();
    const PictureLayout layout(width, height, cellSizeOf(options, width, height));
    const int cell = layout.cell();
    const DotShape& dot = layout.dot();
    const BitmapMarks marks(layout, width, ends, letters);
    const auto showsDot = [&](std::size_t index) {
        return grid.scratch(index) != 0 && !ends.lettered(index);
    };

    GreyPngWriter png(out, layout.pictureWidth(), layout.pictureHeight(),
                      GreyPngWriter::Depth::OneBit);
    int pixelRow = 0;
    std::vector<std::uint8_t> marked;
    const auto writeRow = [&](const std::vector<std::uint8_t>& row) {
        if (marks.touches(pixelRow)) {
            marked = row;
            marks.apply(marked, pixelRow);
            png.writeRow(marked.data());
        } else {
            png.writeRow(row.data());
        }
        ++pixelRow;
    };
    const std::vector<std::uint8_t> white((static_cast<std::size_t>(layout.pictureWidth()) + 7) / 8,
                                          0xFF);
    // A cell row's first pixel row holds its top walls; the rows below it are
    // all alike but where the dots are.
    std::vector<std::uint8_t> edge = white;
    std::vector<std::uint8_t> inner = white;
    std::vector<std::uint8_t> dotted = white;

    // The right frame line stops short of the picture's top row.
    writeRow(white);
    darkenPixel(inner, layout.right());
    for (int row = 1; row < PictureLayout::kMargin; ++row) {
        writeRow(inner);
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
            routeInRow = routeInRow || showsDot(index);
        }
        writeRow(edge);

        for (int row = 1; row < cell; ++row) {
            const int dotRow = row - dot.offset;
            if (!options.route || !routeInRow || dotRow < 0 || dotRow >= dot.size) {
                writeRow(inner);
                continue;
            }
            dotted = inner;
            const DotShape::Span span = dot.rows[static_cast<std::size_t>(dotRow)];
            for (int x = 0; x < width; ++x) {
                if (showsDot(rowStart + static_cast<std::size_t>(x))) {
                    const int from = layout.left(x) + dot.offset;
                    darken(dotted, from + span.from, from + span.to);
                }
            }
            writeRow(dotted);
        }
    }

    // The bottom frame line runs from the picture's left edge into the right one.
    edge = white;
    darken(edge, 0, layout.right() + 1);
    writeRow(edge);
    for (int row = 0; row < PictureLayout::kMargin; ++row) {
        writeRow(white);
    }
    png.finish();
}

}  // namespace

void renderPng(const WallGrid& grid, const RenderOptions& options, std::streambuf& out) {
    const int width = grid.width();
    const int height = grid.height();
    writePng(grid, options, out, gridEndMarks(width, height, options.marks),
             options.marks == Marks::Letters ? placeGridLetters(width, height)
                                             : std::vector<LetterPlace>{});
}

void renderRectanglePng(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
    const Topology& topology = maze.topology();
    assert(isPlainRectangle(topology));
    WallGrid grid = gridFromShape(maze);
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        grid.setScratch(static_cast<std::size_t>(cell), maze.scratch(cell) != 0 ? 1 : 0);
    }
    const EndMarks marks = placeEndMarks(topology, options.marks);
    writePng(grid, options, out, marks, placeLetters(topology, marks));
}

}  // namespace nitka
