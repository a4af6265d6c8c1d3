#pragma once

#include <png.h>

#include <array>
#include <cstdint>
#include <streambuf>
#include <string>

#include "render/render_options.h"
#include "storage/byte_sink.h"

namespace nitka {

// A greyscale PNG written row by row to a stream buffer: holds libpng's state
// and one compressed window, whatever the picture's size.
class GreyPngWriter {
public:
    // A bit a pixel, the leftmost in a byte's high bit, 1 white (the
    // rectangle's pixel-exact pictures), or a byte a pixel, 0 black to 255
    // white (antialiased pictures of any shape).
    enum class Depth { OneBit = 1, EightBits = 8 };

    // Writes the header. Throws RenderError when that fails.
    // Requires: width, height >= 1.
    GreyPngWriter(std::streambuf& out, int width, int height, Depth depth = Depth::EightBits);
    ~GreyPngWriter();
    GreyPngWriter(const GreyPngWriter&) = delete;
    GreyPngWriter& operator=(const GreyPngWriter&) = delete;

    // Requires: row holds a row of the writer's depth.
    void writeRow(const std::uint8_t* row);
    // Ends the file after the last row and flushes it.
    void finish();

    // Where libpng's bytes go, and why they could not when they could not.
    struct Output {
        explicit Output(std::streambuf& out) : sink(out, failPictureWrite) {}
        ByteSink sink;
        // libpng's own complaint, kept without allocating inside its error handler.
        std::array<char, 256> complaint{};
        std::string reason() const;
    };

private:
    Output m_output;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

}  // namespace nitka
