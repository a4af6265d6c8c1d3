#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nitka {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kPaper{255, 255, 255};
inline constexpr Rgb kInk{0, 0, 0};

// One picture of an animation, three bytes a pixel, rows from the top.
class RgbFrame {
public:
    RgbFrame(int width, int height)
        : m_width(width),
          m_height(height),
          m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {}

    int width() const { return m_width; }
    int height() const { return m_height; }
    const std::uint8_t* row(int y) const { return m_pixels.data() + offset(0, y); }
    std::uint8_t* row(int y) { return m_pixels.data() + offset(0, y); }

    Rgb at(int x, int y) const {
        const std::size_t i = offset(x, y);
        return {m_pixels[i], m_pixels[i + 1], m_pixels[i + 2]};
    }
    void set(int x, int y, Rgb colour) {
        const std::size_t i = offset(x, y);
        m_pixels[i] = colour.red;
        m_pixels[i + 1] = colour.green;
        m_pixels[i + 2] = colour.blue;
    }
    // Pixels x0 .. x1 - 1 of row y.
    void fillRow(int y, int x0, int x1, Rgb colour) {
        for (int x = x0; x < x1; ++x) {
            set(x, y, colour);
        }
    }
    void fill(Rgb colour) {
        for (int y = 0; y < m_height; ++y) {
            fillRow(y, 0, m_width, colour);
        }
    }
    friend bool operator==(const RgbFrame&, const RgbFrame&) = default;

private:
    std::size_t offset(int x, int y) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                static_cast<std::size_t>(x)) *
               3;
    }

    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_pixels;
};

}  // namespace nitka
