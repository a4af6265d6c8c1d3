#include "picture/ellipse_shape.h"

#include <cassert>

namespace nitka {

EllipseShape::EllipseShape(int width, int height)
    : m_width(width),
      m_height(height),
      m_parts(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), Part::Outside) {
    assert(width >= 0 && height >= 0);
    // Doubled integer coordinates keep the test exact.
    const std::int64_t w = width;
    const std::int64_t h = height;
    const auto inside = [&](int x, int y) {
        if (x < 0 || x >= width || y < 0 || y >= height) {
            return false;
        }
        const std::int64_t u = 2 * static_cast<std::int64_t>(x) + 1 - w;
        const std::int64_t v = 2 * static_cast<std::int64_t>(y) + 1 - h;
        return u * u * h * h + v * v * w * w <= w * w * h * h;
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!inside(x, y)) {
                continue;
            }
            const bool onOutline =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            m_parts[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)] = onOutline ? Part::Outline : Part::Inside;
        }
    }
}

}  // namespace nitka
