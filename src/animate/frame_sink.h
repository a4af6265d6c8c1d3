#pragma once

#include <cstdint>
#include <streambuf>
#include <string_view>

#include "animate/rgb_frame.h"
#include "storage/byte_sink.h"

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

// An animation file written to a stream, each frame lasting whole ticks of
// 1/ticksPerSecond s (see frameTicks) and the hold kHoldSeconds: the one
// clock every format keeps, so that they all play alike.
class TimedFileSink : public FrameSink {
public:
    void add(const RgbFrame& frame) final;
    // The last frame, then the file's end and a flush.
    void hold(const RgbFrame& frame) final;

protected:
    // Requires: fps from 1 to 100.
    TimedFileSink(std::streambuf& out, int fps, int ticksPerSecond);
    ByteSink& bytes() { return m_bytes; }

private:
    // One frame shown for ticks ticks.
    virtual void put(const RgbFrame& frame, int ticks) = 0;
    // Writes what follows the last frame. Throws RenderError.
    virtual void end() = 0;

    ByteSink m_bytes;
    int m_fps;
    int m_ticksPerSecond;
    std::uint64_t m_added = 0;
};

// Throws RenderError naming the format when frame is wider or taller than
// maxSide, the most the format's header can say: a sink checks before it
// writes a size that would wrap.
void refuseWiderThan(int maxSide, std::string_view format, const RgbFrame& frame);

}  // namespace nitka
