#pragma once

#include <cstdint>
#include <vector>

#include "picture/ellipse_shape.h"
#include "picture/picture_surface.h"

namespace nitka {

// 0xFFRRGGBB, the layout of a 32-bit RGB image, so the window can show the
// pixels without converting them.
using Pixel = std::uint32_t;

constexpr Pixel rgb(int red, int green, int blue) {
    return 0xFF000000u | static_cast<Pixel>(red) << 16 | static_cast<Pixel>(green) << 8 |
           static_cast<Pixel>(blue);
}

// Told when the picture has changed, so the screen can follow it.
class PictureDisplay {
public:
    virtual ~PictureDisplay() = default;
    // Redraw when the event loop next has time.
    virtual void scheduleRedraw() = 0;
    // Redraw before returning.
    virtual void redrawNow() = 0;
};

// The picture as a plain pixel buffer with exact pixel rules, so that tests can
// check every pixel and the window only has to show it.
class RasterPicture final : public PictureSurface {
public:
    static constexpr int kWidth = 825;
    static constexpr int kHeight = 820;

    // background: the window's own colour, painted for Colour::Background.
    explicit RasterPicture(Pixel background);
    RasterPicture(const RasterPicture&) = delete;
    RasterPicture& operator=(const RasterPicture&) = delete;

    void setDisplay(PictureDisplay* display) { m_display = display; }

    void setPenColour(Colour colour) override;
    void setBrushColour(Colour colour) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void repaint() override;

    // The bitmap is made, all white, by the first operation other than repaint;
    // until then there is nothing to show.
    bool hasBitmap() const { return !m_pixels.empty(); }
    // Requires: hasBitmap(); 0 <= x < kWidth, 0 <= y < kHeight.
    Pixel pixel(int x, int y) const;
    // kWidth * kHeight pixels, row by row; empty before the first operation.
    const std::vector<Pixel>& pixels() const { return m_pixels; }

    Pixel colourValue(Colour colour) const;
    Colour penColour() const { return m_pen; }
    Colour brushColour() const { return m_brush; }

private:
    void ensureBitmap();
    void changed();
    void plot(int x, int y, Pixel value);
    void fillSpan(int y, int x1, int x2, Pixel value);            // x1..x2-1, clipped
    void fillBlock(int x1, int y1, int x2, int y2, Pixel value);  // clipped

    Pixel m_background;
    EllipseShape m_ellipse{0, 0};  // the last size painted
    PictureDisplay* m_display = nullptr;
    std::vector<Pixel> m_pixels;
    Colour m_pen = Colour::Black;
    Colour m_brush = Colour::White;
    int m_x = 0;
    int m_y = 0;
};

}  // namespace nitka
