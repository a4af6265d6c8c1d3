#include "render/font_coverage.h"

#include <cairo.h>

#include <algorithm>
#include <memory>
#include <string>

#include "render/print_text.h"

namespace nitka {

std::vector<char32_t> charactersWithoutGlyph(std::string_view utf8, bool bold) {
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1), cairo_surface_destroy);
    const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                                cairo_destroy);
    selectPrintFont(cr.get(), 12, bold);
    cairo_scaled_font_t* const font = cairo_get_scaled_font(cr.get());
    std::vector<char32_t> missing;
    for (const char32_t code : codePoints(printable(utf8))) {
        if (code == U' ' || std::find(missing.begin(), missing.end(), code) != missing.end()) {
            continue;
        }
        std::string one;
        appendUtf8(one, code);
        cairo_glyph_t* glyphs = nullptr;
        int count = 0;
        const cairo_status_t status =
            cairo_scaled_font_text_to_glyphs(font, 0, 0, one.data(), static_cast<int>(one.size()),
                                             &glyphs, &count, nullptr, nullptr, nullptr);
        // Glyph 0 is the font's stand-in box for what it lacks.
        if (status != CAIRO_STATUS_SUCCESS || count < 1 || glyphs[0].index == 0) {
            missing.push_back(code);
        }
        cairo_glyph_free(glyphs);
    }
    return missing;
}

}  // namespace nitka
