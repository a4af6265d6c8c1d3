#include "animate/frame_sink.h"

#include <string>

#include "render/render_options.h"

namespace nitka {

void refuseWiderThan(int maxSide, std::string_view format, const RgbFrame& frame) {
    if (frame.width() > maxSide || frame.height() > maxSide) {
        throw RenderError("a frame of " + std::to_string(frame.width()) + " x " +
                          std::to_string(frame.height()) + " pixels is too large for a " +
                          std::string(format) + ", which holds at most " + std::to_string(maxSide) +
                          " a side");
    }
}

}  // namespace nitka
