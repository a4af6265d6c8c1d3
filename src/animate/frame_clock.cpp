#include "animate/frame_clock.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace nitka {
namespace {

// round(k * ticksPerSecond / fps), in integers.
std::uint64_t ticksBefore(std::uint64_t k, int fps, int ticksPerSecond) {
    const auto rate = static_cast<std::uint64_t>(fps);
    return (2 * k * static_cast<std::uint64_t>(ticksPerSecond) + rate) / (2 * rate);
}

}  // namespace

std::uint64_t frameCount(const AnimationTiming& timing) {
    assert(timing.duration > 0 && timing.fps >= 1);
    const double frames = std::round(timing.duration * timing.fps);
    return std::max<std::uint64_t>(2, static_cast<std::uint64_t>(frames));
}

std::uint64_t stepsShownBy(std::uint64_t frame, std::uint64_t frames, std::uint64_t steps) {
    assert(frames >= 2 && frame < frames);
    const std::uint64_t gaps = frames - 1;
    // steps * frame / gaps without overflow: the remainder's product stays
    // below gaps squared.
    return steps / gaps * frame + steps % gaps * frame / gaps;
}

int frameTicks(std::uint64_t frame, int fps, int ticksPerSecond) {
    return static_cast<int>(ticksBefore(frame + 1, fps, ticksPerSecond) -
                            ticksBefore(frame, fps, ticksPerSecond));
}

}  // namespace nitka
