#pragma once

#include <cstdint>

namespace nitka {

// How an animation spends its time: frames of 1/fps seconds filling the
// duration, whatever the number of steps, then the last picture held.
struct AnimationTiming {
    double duration = 10;
    int fps = 25;
};
inline constexpr int kHoldSeconds = 2;

// round(duration x fps), at least 2: a first and a last picture.
// Requires: duration > 0, fps >= 1.
std::uint64_t frameCount(const AnimationTiming& timing);

// How many of the steps frame `frame` of `frames` shows done: none in the
// first, all in the last, evenly between. Fewer steps than frames repeat
// pictures rather than end early. Requires: frames >= 2, frame < frames.
std::uint64_t stepsShownBy(std::uint64_t frame, std::uint64_t frames, std::uint64_t steps);

// How many ticks (ticksPerSecond of them a second) frame `frame` lasts, so
// that the first k frames together last k / fps seconds rounded to a tick:
// 1/30 s frames in a GIF's hundredths alternate 3, 3, 4 and keep time.
int frameTicks(std::uint64_t frame, int fps, int ticksPerSecond);

}  // namespace nitka
