#pragma once

#include <memory>
#include <optional>
#include <streambuf>

#include "animate/frame_sink.h"
#include "render/byte_sink.h"

namespace nitka {

// The widest and tallest frame a GIF can describe: its sizes are 16 bits.
inline constexpr int kGifMaxSide = 65'535;

// An animated GIF written as the frames come, looping forever: each frame
// stores only the rectangle that changed since the one before, its unchanged
// pixels there transparent, with a colour table of its own, and lasts 1/fps s
// to the hundredth (see frameTicks); the
// hold is one more frame of kHoldSeconds. A frame of more than 256 colours
// (only the antialiased walls of shapes make so many) has its greys coarsened
// until it fits. A frame wider or taller than kGifMaxSide is refused with
// RenderError before a byte of it is written. Requires: fps from 1 to 100.
class GifSink final : public FrameSink {
public:
    GifSink(std::streambuf& out, int fps);
    ~GifSink() override;
    GifSink(const GifSink&) = delete;
    GifSink& operator=(const GifSink&) = delete;

    void add(const RgbFrame& frame) override;
    // Writes the end of the file too.
    void hold(const RgbFrame& frame) override;

    class File;

private:
    void put(const RgbFrame& frame, int centiseconds);

    ByteSink m_sink;
    int m_fps;
    std::uint64_t m_added = 0;
    std::unique_ptr<File> m_file;
    std::optional<RgbFrame> m_previous;
};

}  // namespace nitka
