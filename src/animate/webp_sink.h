#pragma once

#include <memory>
#include <streambuf>

#include "animate/frame_sink.h"

namespace nitka {

// The widest and tallest picture a WebP can hold (the format's 14 bits).
inline constexpr int kWebpMaxSide = 16'383;

// An animated lossless WebP, looping forever, frames of 1/fps s to the
// millisecond and the hold of kHoldSeconds. The encoder merges a frame equal
// to the one before into it, so a decoder may count fewer frames; the times
// add up all the same. The file is assembled in memory, compressed, and
// written by hold(). A frame wider or taller than kWebpMaxSide is refused with
// RenderError. Requires: fps from 1 to 100.
class WebpSink final : public TimedFileSink {
public:
    WebpSink(std::streambuf& out, int fps);
    ~WebpSink() override;
    WebpSink(const WebpSink&) = delete;
    WebpSink& operator=(const WebpSink&) = delete;

    class Encoder;

private:
    void put(const RgbFrame& frame, int milliseconds) override;
    void end() override;

    int m_time = 0;
    std::unique_ptr<Encoder> m_encoder;
};

}  // namespace nitka
