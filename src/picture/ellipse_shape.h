#pragma once

#include <cstdint>
#include <vector>

namespace nitka {

// Which pixels of a width x height block its inscribed ellipse covers. A pixel
// is inside when its centre lies in the ellipse, and on the outline when it is
// inside and one of its four neighbours is not. The window's route dots and
// the pictures written to files both follow this one rule.
class EllipseShape {
public:
    enum class Part : std::uint8_t { Outside, Inside, Outline };

    // Requires: width >= 0, height >= 0.
    EllipseShape(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Requires: 0 <= x < width(), 0 <= y < height().
    Part at(int x, int y) const {
        return m_parts[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                       static_cast<std::size_t>(x)];
    }

private:
    int m_width;
    int m_height;
    std::vector<Part> m_parts;  // row by row
};

}  // namespace nitka
