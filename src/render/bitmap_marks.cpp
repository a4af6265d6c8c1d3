#include "render/bitmap_marks.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "render/shape_cairo.h"

namespace nitka {
namespace {

void setPixel(std::vector<std::uint8_t>& row, int x, bool dark) {
    const auto bit = static_cast<std::uint8_t>(0x80u >> (x & 7));
    std::uint8_t& byte = row[static_cast<std::size_t>(x) >> 3];
    byte = dark ? static_cast<std::uint8_t>(byte & ~bit) : static_cast<std::uint8_t>(byte | bit);
}

}  // namespace

BitmapMarks::BitmapMarks(const PictureLayout& layout, int width, const EndMarks& marks,
                         const std::vector<LetterPlace>& letters)
    : m_top(std::numeric_limits<int>::max()), m_bottom(std::numeric_limits<int>::min()) {
    const auto columns = static_cast<CellId>(width);
    for (const EndMark& mark : {marks.start, marks.target}) {
        if (mark.cell == kNoCell || mark.opening < 0) {
            continue;
        }
        const int x = static_cast<int>(mark.cell % columns);
        const int y = static_cast<int>(mark.cell / columns);
        const int left = layout.left(x);
        const int right = layout.left(x + 1);
        const int top = layout.top(y);
        const int bottom = layout.top(y + 1);
        // Between the corners only: the walls that meet there stay whole.
        switch (mark.opening) {
            case 0:
                m_gaps.push_back({left + 1, right, top, top + 1});
                break;
            case 1:
                m_gaps.push_back({right, right + 1, top + 1, bottom});
                break;
            case 2:
                m_gaps.push_back({left + 1, right, bottom, bottom + 1});
                break;
            default:
                m_gaps.push_back({left, left + 1, top + 1, bottom});
                break;
        }
        cover(m_gaps.back().top, m_gaps.back().bottom);
    }

    const double cell = layout.cell();
    // Pixel (column, row) covers the square from its corner (column, row), so
    // grid line 0 runs along the middle of column left(0).
    const double originX = layout.left(0) + 0.5;
    const double originY = layout.top(0) + 0.5;
    for (const LetterPlace& place : letters) {
        const double x = originX + place.at.x * cell;
        const double y = originY + place.at.y * cell;
        const double half = place.size * cell;
        Stamp stamp;
        stamp.left = static_cast<int>(std::floor(x - half));
        stamp.top = static_cast<int>(std::floor(y - half));
        stamp.width = static_cast<int>(std::ceil(2 * half)) + 1;
        stamp.height = stamp.width;
        const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
            cairo_image_surface_create(CAIRO_FORMAT_A8, stamp.width, stamp.height),
            cairo_surface_destroy);
        {
            const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                                        cairo_destroy);
            // Whole pixels, as the window's walls and dots.
            cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
            const std::unique_ptr<cairo_font_options_t, decltype(&cairo_font_options_destroy)>
                options(cairo_font_options_create(), cairo_font_options_destroy);
            cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_NONE);
            cairo_set_font_options(cr.get(), options.get());
            cairo_translate(cr.get(), -stamp.left, -stamp.top);
            drawLetter(cr.get(), {place.letter, {x, y}, half});
        }
        cairo_surface_flush(surface.get());
        const unsigned char* data = cairo_image_surface_get_data(surface.get());
        const int stride = cairo_image_surface_get_stride(surface.get());
        stamp.ink.resize(static_cast<std::size_t>(stamp.width) * stamp.height);
        for (int row = 0; row < stamp.height; ++row) {
            for (int column = 0; column < stamp.width; ++column) {
                stamp.ink[static_cast<std::size_t>(row * stamp.width + column)] =
                    data[row * stride + column] >= 128;
            }
        }
        cover(stamp.top, stamp.top + stamp.height);
        m_stamps.push_back(std::move(stamp));
    }
}

void BitmapMarks::cover(int top, int bottom) {
    m_top = std::min(m_top, top);
    m_bottom = std::max(m_bottom, bottom);
}

void BitmapMarks::apply(std::vector<std::uint8_t>& row, int y) const {
    const int pixels = static_cast<int>(row.size()) * 8;
    for (const Gap& gap : m_gaps) {
        if (y >= gap.top && y < gap.bottom) {
            for (int x = gap.left; x < gap.right; ++x) {
                setPixel(row, x, false);
            }
        }
    }
    for (const Stamp& stamp : m_stamps) {
        const int line = y - stamp.top;
        if (line < 0 || line >= stamp.height) {
            continue;
        }
        for (int column = 0; column < stamp.width; ++column) {
            const int x = stamp.left + column;
            if (x >= 0 && x < pixels &&
                stamp.ink[static_cast<std::size_t>(line * stamp.width + column)]) {
                setPixel(row, x, true);
            }
        }
    }
}

}  // namespace nitka
