#include "animate/frame_sink.h"

#include <string>

#include "animate/frame_clock.h"
#include "render/render_options.h"

namespace nitka {

TimedFileSink::TimedFileSink(std::streambuf& out, int fps, int ticksPerSecond)
    : m_bytes(out, failPictureWrite), m_fps(fps), m_ticksPerSecond(ticksPerSecond) {}

void TimedFileSink::add(const RgbFrame& frame) {
    put(frame, frameTicks(m_added++, m_fps, m_ticksPerSecond));
}

void TimedFileSink::hold(const RgbFrame& frame) {
    put(frame, kHoldSeconds * m_ticksPerSecond);
    end();
    m_bytes.flush();
}

void refuseWiderThan(int maxSide, std::string_view format, const RgbFrame& frame) {
    if (frame.width() > maxSide || frame.height() > maxSide) {
        throw RenderError("a frame of " + std::to_string(frame.width()) + " x " +
                          std::to_string(frame.height()) + " pixels is too large for a " +
                          std::string(format) + ", which holds at most " + std::to_string(maxSide) +
                          " a side");
    }
}

}  // namespace nitka
