#pragma once

#include <string_view>

namespace nitka {

// The two size boxes: SpinEdit1 holds the width, SpinEdit2 the height.
enum class SpinBox { SpinEdit1, SpinEdit2 };

// The window's controls as the maze commands see them. Texts are UTF-8.
class WindowControls {
public:
    virtual ~WindowControls() = default;

    // The box's text read as an integer, unclamped; text that is no integer reads as 8.
    virtual int spinValue(SpinBox box) const = 0;
    // Shows value clamped into 8..100.
    virtual void setSpinValue(SpinBox box, int value) = 0;
    // Caption of the route button, "SOLVE" or "SHOW".
    virtual void setRouteCaption(std::string_view caption) = 0;
    // Modal notice captioned "Лабиринт" with one OK button and no icon; returns when closed.
    virtual void showNotice(std::string_view text) = 0;
};

}  // namespace nitka
