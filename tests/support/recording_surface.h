#pragma once

#include <string>
#include <vector>

#include "picture/picture_surface.h"

namespace nitka::testing {

// Records every call as one line of text ("pen Black", "move 5 5",
// "line 21 5", ...), so a test can compare a drawing call by call.
class RecordingSurface final : public PictureSurface {
public:
    void setPenColour(Colour colour) override { record("pen " + name(colour)); }
    void setBrushColour(Colour colour) override { record("brush " + name(colour)); }
    void moveTo(int x, int y) override { record("move", x, y); }
    void lineTo(int x, int y) override { record("line", x, y); }
    void rectangle(int x1, int y1, int x2, int y2) override { record("rectangle", x1, y1, x2, y2); }
    void ellipse(int x1, int y1, int x2, int y2) override { record("ellipse", x1, y1, x2, y2); }
    void repaint() override { record("repaint"); }

    std::vector<std::string> calls;

    static std::string name(Colour colour) {
        switch (colour) {
            case Colour::Black:
                return "Black";
            case Colour::White:
                return "White";
            case Colour::Blue:
                return "Blue";
            case Colour::Background:
                return "Background";
        }
        return "?";
    }

private:
    void record(std::string call) { calls.push_back(std::move(call)); }
    template <typename... Ints>
    void record(const std::string& verb, Ints... values) {
        std::string call = verb;
        ((call += ' ' + std::to_string(values)), ...);
        calls.push_back(std::move(call));
    }
};

}  // namespace nitka::testing
