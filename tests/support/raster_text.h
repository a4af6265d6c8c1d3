#pragma once

#include <string>
#include <vector>

#include "picture/raster_picture.h"

namespace nitka::testing {

// A block of the picture as text, one string per pixel row: 'B' black,
// 'b' blue, '.' background, 'w' white, '?' anything else.
inline std::vector<std::string> rasterText(const RasterPicture& picture, int left, int top,
                                           int width, int height) {
    std::vector<std::string> rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x) {
            const Pixel value = picture.pixel(x, y);
            if (value == picture.colourValue(Colour::Black)) {
                row += 'B';
            } else if (value == picture.colourValue(Colour::Blue)) {
                row += 'b';
            } else if (value == picture.colourValue(Colour::Background)) {
                row += '.';
            } else if (value == picture.colourValue(Colour::White)) {
                row += 'w';
            } else {
                row += '?';
            }
        }
        rows.push_back(row);
    }
    return rows;
}

// A background colour no other colour shares, so tests can tell them apart.
inline constexpr Pixel kTestBackground = rgb(0xEF, 0xEF, 0xEF);

}  // namespace nitka::testing
