#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "animate/rgb_frame.h"
#include "render/render_fixture.h"

namespace nitka::testing {

// Where a frame and render's picture differ, or nothing.
inline std::string differences(const RgbFrame& frame, const testing::GreyImage& png) {
    if (frame.width() != png.width || frame.height() != png.height) {
        return "sizes differ";
    }
    int count = 0;
    std::string first;
    for (int y = 0; y < png.height; ++y) {
        for (int x = 0; x < png.width; ++x) {
            const std::uint8_t grey =
                png.grey[static_cast<std::size_t>(y) * static_cast<std::size_t>(png.width) +
                         static_cast<std::size_t>(x)];
            if (frame.at(x, y) != Rgb{grey, grey, grey} && count++ == 0) {
                first = std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels, first at " + first;
}

}  // namespace nitka::testing
