#pragma once

#include <cstdint>
#include <optional>

#include "animate/frame_sink.h"
#include "tool/progress.h"

namespace nitka {

// What making and writing one frame takes, a pixel, from this machine's
// measures (docs/performance.md): the progress line's estimates.
inline constexpr double kGifSecondsPerPixel = 20e-9;
inline constexpr double kWebpSecondsPerPixel = 100e-9;
inline constexpr double kPngSecondsPerPixel = 180e-9;

// Passes frames on to another sink and shows on the progress line how many
// of the frames are made: each frame is one stage, its time estimated from
// its pixels once the first one is seen, the hold one more.
class FrameProgress final : public FrameSink {
public:
    // frames: how many add() will get (frameCount of the timing).
    FrameProgress(FrameSink& next, std::uint64_t frames, double secondsPerPixel, bool wanted);

    void add(const RgbFrame& frame) override;
    void hold(const RgbFrame& frame) override;

private:
    void start(const RgbFrame& frame);

    FrameSink& m_next;
    std::uint64_t m_frames;
    double m_secondsPerPixel;
    bool m_wanted;
    std::optional<Progress> m_progress;
};

}  // namespace nitka
