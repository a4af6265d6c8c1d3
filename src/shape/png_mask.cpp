#include "shape/png_mask.h"

#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "grid/size_limits.h"
#include "shape/mask_rows.h"
#include "shape/shape_error.h"

namespace nitka {
namespace {

// Where libpng's bytes come from, and whether they ran out: libpng's own
// complaints are its words, not the user's, so a message tells only that.
struct PngInput {
    std::string_view head;
    std::streambuf* rest;
    bool cutShort = false;
};

// libpng reports errors by longjmp. Nothing but plain values may live in the
// frames it jumps over, so every function below that libpng may leave that way
// holds none, and each call into libpng has its own landing place.

void readData(png_structp png, png_bytep data, std::size_t length) {
    auto* input = static_cast<PngInput*>(png_get_io_ptr(png));
    const std::size_t fromHead = std::min(length, input->head.size());
    std::memcpy(data, input->head.data(), fromHead);
    input->head.remove_prefix(fromHead);
    const auto wanted = static_cast<std::streamsize>(length - fromHead);
    if (wanted > 0 &&
        input->rest->sgetn(reinterpret_cast<char*>(data + fromHead), wanted) != wanted) {
        input->cutShort = true;
        png_error(png, "cut short");
    }
}

[[noreturn]] void onError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

bool readHeader(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height,
                int* interlace) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    // Sides are checked by the caller, with a message that says which is too long.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_read_info(png, info);
    png_get_IHDR(png, info, width, height, nullptr, nullptr, interlace, nullptr, nullptr);
    return true;
}

// Every kind of pixel becomes 8-bit red, green, blue and alpha. libpng sizes
// its row buffers here, so the picture's sides must be checked before.
bool expandToRgba(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    return true;
}

bool readRow(png_structp png, png_bytep row) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_row(png, row, nullptr);
    return true;
}

class PngReading {
public:
    explicit PngReading(PngInput& input)
        : m_png(png_create_read_struct(PNG_LIBPNG_VER_STRING, &input, onError, onWarning)),
          m_info(m_png != nullptr ? png_create_info_struct(m_png) : nullptr) {
        if (m_info == nullptr) {
            png_destroy_read_struct(m_png != nullptr ? &m_png : nullptr, nullptr, nullptr);
            throw std::bad_alloc();
        }
        png_set_read_fn(m_png, &input, readData);
    }
    PngReading(const PngReading&) = delete;
    PngReading& operator=(const PngReading&) = delete;
    ~PngReading() { png_destroy_read_struct(&m_png, &m_info, nullptr); }

    png_structp png() const { return m_png; }
    png_infop info() const { return m_info; }

private:
    png_structp m_png;
    png_infop m_info;
};

[[noreturn]] void fail(const PngInput& input) {
    throw ShapeError(input.cutShort ? "a broken PNG: the file ends before the picture does"
                                    : "a broken PNG: its bytes do not decode as a picture");
}

}  // namespace

CellMask readPngMask(std::string_view head, std::streambuf& in) {
    PngInput input{head, &in};
    const PngReading reading(input);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int interlace = 0;
    if (!readHeader(reading.png(), reading.info(), &width, &height, &interlace)) {
        fail(input);
    }
    if (interlace != PNG_INTERLACE_NONE) {
        // Its rows come in seven passes, so it cannot be read a row at a time.
        throw ShapeError("an interlaced PNG; save it without interlacing");
    }
    if (width > kMaxGridSide || height > kMaxGridSide) {
        throw ShapeError("a PNG of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels; a mask has at most " + std::to_string(kMaxGridSide) +
                         " on a side");
    }
    if (!expandToRgba(reading.png(), reading.info())) {
        fail(input);
    }
    MaskRows rows;
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 4);
    for (png_uint_32 y = 0; y < height; ++y) {
        if (!readRow(reading.png(), row.data())) {
            fail(input);
        }
        for (std::size_t x = 0; x < width; ++x) {
            const png_byte* pixel = &row[x * 4];
            // Rec. 709 luminance of the stored values, below half, and alpha
            // of at least half.
            const long luminance = 2126L * pixel[0] + 7152L * pixel[1] + 722L * pixel[2];
            rows.add(luminance < 128L * 10000 && pixel[3] >= 128, y + 1);
        }
        rows.endRow();
    }
    return rows.finish();
}

}  // namespace nitka
