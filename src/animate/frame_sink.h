#pragma once

#include <string_view>

#include "animate/rgb_frame.h"

namespace nitka {

// Where an animation's pictures go, one at a time as they are made, all of
// the same size. Throws RenderError when they cannot be written.
class FrameSink {
public:
    virtual ~FrameSink() = default;
    // The next picture, shown for 1/fps seconds.
    virtual void add(const RgbFrame& frame) = 0;
    // The last picture again, held for kHoldSeconds; then the end.
    virtual void hold(const RgbFrame& frame) = 0;
};

// Throws RenderError naming the format when frame is wider or taller than
// maxSide, the most the format's header can say: a sink checks before it
// writes a size that would wrap.
void refuseWiderThan(int maxSide, std::string_view format, const RgbFrame& frame);

}  // namespace nitka
