#include "animate/rgb_png.h"

#include <png.h>

#include <string>
#include <string_view>
#include <vector>

#include "render/render_options.h"
#include "storage/byte_sink.h"

namespace nitka {

void writeRgbPng(const RgbFrame& frame, std::streambuf& out) {
    // libpng's simplified interface, whose errors come back as values; a
    // frame is small enough to be compressed in memory first.
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(frame.width());
    image.height = static_cast<png_uint_32>(frame.height());
    image.format = PNG_FORMAT_RGB;
    const int stride = frame.width() * 3;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, frame.row(0), stride, nullptr)) {
        throw RenderError(std::string("cannot make a PNG: ") + image.message);
    }
    std::vector<char> bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, frame.row(0), stride, nullptr)) {
        throw RenderError(std::string("cannot make a PNG: ") + image.message);
    }
    ByteSink sink(out, failPictureWrite);
    sink.put(std::string_view(bytes.data(), size));
    sink.flush();
}

}  // namespace nitka
