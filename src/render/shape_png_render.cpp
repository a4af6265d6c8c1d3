#include "render/shape_png_render.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/grey_png_writer.h"
#include "render/shape_cairo.h"
#include "render/shape_layout.h"

namespace nitka {
namespace {

constexpr int kMaxWidth = 32'767;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 30;
constexpr int kBandAlign = 16;

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

void checkSize(const ShapeLayout& layout) {
    const int width = layout.pictureWidth();
    const std::int64_t pixels = std::int64_t{width} * layout.pictureHeight();
    if (width > kMaxWidth) {
        throw RenderError("the picture would be " + std::to_string(width) +
                          " pixels wide, more than " + std::to_string(kMaxWidth) +
                          ": choose a smaller cell size");
    }
    if (pixels > kMaxPixels) {
        throw RenderError("the picture would have " + std::to_string(pixels) +
                          " pixels, more than " + std::to_string(kMaxPixels) +
                          ": choose a smaller cell size");
    }
}

}  // namespace

void renderShapePng(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out,
                    std::int64_t bandBytes) {
    const Topology& topology = maze.topology();
    const ShapeLayout layout(topology, shapeCellSize(options, topology));
    checkSize(layout);
    const int width = layout.pictureWidth();
    const int height = layout.pictureHeight();
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, width);
    // Bands start on multiples of 16 rows, where cairo's fast antialiasing
    // samples every band as it would the whole picture, so they join without
    // a seam.
    const auto bandRows = static_cast<int>(std::min<std::int64_t>(
        height, std::max<std::int64_t>(kBandAlign, bandBytes / stride / kBandAlign * kBandAlign)));
    // Alpha alone: the ink is all there is to know of a black-on-white picture.
    const Surface band(cairo_image_surface_create(CAIRO_FORMAT_A8, width, bandRows),
                       cairo_surface_destroy);
    if (cairo_surface_status(band.get()) != CAIRO_STATUS_SUCCESS) {
        throw RenderError("cannot make a picture of " + std::to_string(width) + " x " +
                          std::to_string(height) +
                          " pixels: " + cairo_status_to_string(cairo_surface_status(band.get())));
    }

    const EndMarks marks = placeEndMarks(topology, options.marks);
    const double cell = layout.cell();
    const ShapeInk ink = pixelInk(layout);
    const double reach = shapeReach(topology) + ink.lineWidth + ink.dotRadius;
    const Point origin = layout.toPixels({0, 0});

    GreyPngWriter png(out, width, height);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
    for (int top = 0; top < height; top += bandRows) {
        const int rows = std::min(bandRows, height - top);
        {
            const Context cr(cairo_create(band.get()), cairo_destroy);
            cairo_set_operator(cr.get(), CAIRO_OPERATOR_CLEAR);
            cairo_paint(cr.get());
            cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
            // A third less time than the default on a big maze, and as smooth
            // at the one or two pixels a wall takes.
            cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_FAST);
            cairo_translate(cr.get(), origin.x, origin.y - top);
            cairo_scale(cr.get(), cell, cell);
            drawShapeMaze(cr.get(), maze, ink, options.route,
                          ShapeBand{(top - origin.y) / cell, (top + rows - origin.y) / cell, reach},
                          marks);
        }
        cairo_surface_flush(band.get());
        const unsigned char* data = cairo_image_surface_get_data(band.get());
        for (int y = 0; y < rows; ++y) {
            const unsigned char* alpha = data + static_cast<std::ptrdiff_t>(y) * stride;
            std::transform(alpha, alpha + width, row.begin(), [](unsigned char covered) {
                return static_cast<std::uint8_t>(255 - covered);
            });
            png.writeRow(row.data());
        }
    }
    png.finish();
}

}  // namespace nitka
