#include "render/png_render.h"

#include <png.h>
#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "render/byte_sink.h"
#include "render/picture_layout.h"

namespace nitka {
namespace {

// Where libpng's bytes go, and why they could not when they could not.
struct PngOutput {
    explicit PngOutput(std::streambuf& out) : sink(out) {}
    ByteSink sink;
    // libpng's own complaint, kept without allocating inside its error handler.
    std::array<char, 256> complaint{};

    std::string reason() const {
        return sink.failure().empty() ? std::string(complaint.data()) : sink.failure();
    }
};

// libpng reports errors by longjmp. Nothing but plain values may live in the
// frames it jumps over, so every function below that libpng may leave that way
// holds none, and each call into libpng has its own landing place.

void writeData(png_structp png, png_bytep data, std::size_t length) {
    auto* output = static_cast<PngOutput*>(png_get_io_ptr(png));
    if (!output->sink.tryPut({reinterpret_cast<const char*>(data), length})) {
        png_error(png, "cannot write the picture");
    }
}

void flushData(png_structp) {}

[[noreturn]] void onError(png_structp png, png_const_charp message) {
    auto* output = static_cast<PngOutput*>(png_get_error_ptr(png));
    std::snprintf(output->complaint.data(), output->complaint.size(), "%s", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

bool startPng(png_structp png, png_infop info, PngOutput* output, png_uint_32 width,
              png_uint_32 height) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, output, writeData, flushData);
    png_set_IHDR(png, info, width, height, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Measured on a 10,000-cell square at 2 pixels a cell: matching runs of a
    // byte alone, at the fastest level, comes within 1% of full matching's
    // size in 70% of its time, and the Up filter makes the file half as large
    // again.
    png_set_compression_level(png, Z_BEST_SPEED);
    png_set_compression_strategy(png, Z_RLE);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    return true;
}

bool writePngRow(png_structp png, png_const_bytep row) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_write_row(png, row);
    return true;
}

bool endPng(png_structp png) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_write_end(png, nullptr);
    return true;
}

// A 1-bit greyscale PNG being written row by row to a stream buffer.
class PngWriter {
public:
    PngWriter(std::streambuf& out, int width, int height) : m_output(out) {
        m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &m_output, onError, onWarning);
        if (m_png == nullptr) {
            throw std::bad_alloc();
        }
        m_info = png_create_info_struct(m_png);
        if (m_info == nullptr) {
            png_destroy_write_struct(&m_png, nullptr);
            throw std::bad_alloc();
        }
        if (!startPng(m_png, m_info, &m_output, static_cast<png_uint_32>(width),
                      static_cast<png_uint_32>(height))) {
            const std::string failure = m_output.reason();
            png_destroy_write_struct(&m_png, &m_info);
            throw RenderError(failure);
        }
    }
    ~PngWriter() { png_destroy_write_struct(&m_png, &m_info); }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    void writeRow(const std::vector<std::uint8_t>& row) {
        if (!writePngRow(m_png, row.data())) {
            throw RenderError(m_output.reason());
        }
    }

    void finish() {
        if (!endPng(m_png)) {
            throw RenderError(m_output.reason());
        }
        m_output.sink.flush();
    }

private:
    PngOutput m_output;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

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

    PngWriter png(out, layout.pictureWidth(), layout.pictureHeight());
    const std::vector<std::uint8_t> white((static_cast<std::size_t>(layout.pictureWidth()) + 7) / 8,
                                          0xFF);
    // A cell row's first pixel row holds its top walls; the rows below it are
    // all alike but where the dots are.
    std::vector<std::uint8_t> edge = white;
    std::vector<std::uint8_t> inner = white;
    std::vector<std::uint8_t> dotted = white;

    // The right frame line stops short of the picture's top row.
    png.writeRow(white);
    darkenPixel(inner, layout.right());
    for (int row = 1; row < PictureLayout::kMargin; ++row) {
        png.writeRow(inner);
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
        png.writeRow(edge);

        for (int row = 1; row < cell; ++row) {
            const int dotRow = row - dot.offset;
            if (!options.route || !routeInRow || dotRow < 0 || dotRow >= dot.size) {
                png.writeRow(inner);
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
            png.writeRow(dotted);
        }
    }

    // The bottom frame line runs from the picture's left edge into the right one.
    edge = white;
    darken(edge, 0, layout.right() + 1);
    png.writeRow(edge);
    for (int row = 0; row < PictureLayout::kMargin; ++row) {
        png.writeRow(white);
    }
    png.finish();
}

}  // namespace nitka
