#pragma once

#include <memory>
#include <optional>
#include <streambuf>

#include "animate/frame_sink.h"

namespace nitka {

// A GIF's header stores each side in 16 bits.
inline constexpr int kGifMaxSide = 65'535;
// Delays are whole hundredths of a second, and players stretch the shortest
// ones: more frames a second than this play slower than asked.
inline constexpr int kGifMostFps = 50;

// An animated GIF written as the frames come, looping forever: each frame
// stores only the rectangle that changed since the one before, its unchanged
// pixels there transparent, with a colour table of its own, and lasts 1/fps s
// to the hundredth (see frameTicks); the
// hold is one more frame of kHoldSeconds. A frame of more than 256 colours
// (only the antialiased walls of shapes make so many) has its greys coarsened
// until it fits. Requires: fps from 1 to 100.
class GifSink final : public TimedFileSink {
public:
    GifSink(std::streambuf& out, int fps);
    ~GifSink() override;
    GifSink(const GifSink&) = delete;
    GifSink& operator=(const GifSink&) = delete;

    class File;

private:
    void put(const RgbFrame& frame, int centiseconds) override;
    void end() override;

    std::unique_ptr<File> m_file;
    std::optional<RgbFrame> m_previous;
};

}  // namespace nitka
