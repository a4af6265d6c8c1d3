#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "commands/window_controls.h"

namespace nitka::testing {

// The window's controls without a window: the boxes hold plain numbers, and
// notices are collected instead of shown.
class FakeControls final : public WindowControls {
public:
    explicit FakeControls(int boxWidth = 50, int boxHeight = 50)
        : width(boxWidth), height(boxHeight) {}

    int spinValue(SpinBox box) const override { return box == SpinBox::SpinEdit1 ? width : height; }
    void setSpinValue(SpinBox box, int value) override {
        (box == SpinBox::SpinEdit1 ? width : height) = std::clamp(value, 8, 100);
    }
    void setRouteCaption(std::string_view text) override { caption = std::string(text); }
    void showNotice(std::string_view text) override { notices.emplace_back(text); }

    int width;
    int height;
    std::string caption = "SOLVE";
    std::vector<std::string> notices;
};

}  // namespace nitka::testing
