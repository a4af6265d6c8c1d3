#pragma once

namespace nitka {

// The four colours the maze logic paints with. Background is the window's own
// colour, which only the window knows.
enum class Colour { Black, White, Blue, Background };

// The drawing seam between the maze logic and the picture it paints on.
// Coordinates are pixels, x to the right, y downward; painting off the picture
// is clipped. Pen and brush colours and the current position persist between
// calls.
class PictureSurface {
public:
    virtual ~PictureSurface() = default;

    virtual void setPenColour(Colour colour) = 0;
    virtual void setBrushColour(Colour colour) = 0;
    // Sets the current position; paints nothing.
    virtual void moveTo(int x, int y) = 0;
    // Pen-coloured line from the current position to (x, y), end pixel excluded;
    // (x, y) becomes the current position.
    virtual void lineTo(int x, int y) = 0;
    // Fills x1..x2-1 by y1..y2-1 with the brush, then outlines that block's
    // outermost ring of pixels with the pen.
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    // The ellipse inscribed in the same block: brush inside, pen outline.
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;
    // Shows the picture on screen at once rather than at the next idle moment.
    virtual void repaint() = 0;
};

// Clears the picture with the current pen: brush to background, then a
// rectangle larger than the picture, whose top and left outline stay visible.
void clearPicture(PictureSurface& picture);

}  // namespace nitka
