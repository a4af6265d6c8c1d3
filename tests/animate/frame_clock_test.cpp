#include "animate/frame_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace nitka {
namespace {

TEST(FrameClockTest, FramesFillTheDurationAtTheRate) {
    struct Row {
        double duration;
        int fps;
        std::uint64_t frames;
    };
    const Row rows[] = {
        {10, 25, 250},     {6, 25, 150}, {2.5, 3, 8},  // 7.5 rounds up
        {0.05, 25, 2},                                 // 1.25 is too few
        {0.01, 1, 2},                                  // never fewer than a first and a last
        {600, 100, 60000},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(frameCount({row.duration, row.fps}), row.frames)
            << row.duration << " s at " << row.fps;
    }
}

// Every frame count and step count: the first frame shows nothing, the last
// everything, no frame goes back, and the steps spread evenly, however many
// more or fewer steps than frames there are.
TEST(FrameClockTest, StepsShareOutEvenlyFromNoneToAll) {
    for (const std::uint64_t frames : {2u, 3u, 7u, 250u}) {
        for (const std::uint64_t steps : {0u, 1u, 5u, 249u, 250u, 251u, 1000003u}) {
            EXPECT_EQ(stepsShownBy(0, frames, steps), 0u);
            EXPECT_EQ(stepsShownBy(frames - 1, frames, steps), steps);
            for (std::uint64_t frame = 1; frame < frames; ++frame) {
                const std::uint64_t shown = stepsShownBy(frame, frames, steps);
                const std::uint64_t before = stepsShownBy(frame - 1, frames, steps);
                ASSERT_GE(shown, before);
                ASSERT_LE(shown - before, steps / (frames - 1) + 1)
                    << frame << " of " << frames << ", " << steps << " steps";
            }
        }
    }
    // Large counts do not overflow: a billion steps over a minute at 100 fps.
    EXPECT_EQ(stepsShownBy(3000, 6001, 6'000'000'000u), 3'000'000'000u);
}

// However the rate divides a second, the frames add up to the right time.
TEST(FrameClockTest, FrameTicksKeepTime) {
    for (const int ticksPerSecond : {100, 1000}) {
        for (int fps = 1; fps <= 100; ++fps) {
            std::int64_t total = 0;
            for (std::uint64_t frame = 0; frame < 3 * static_cast<std::uint64_t>(fps); ++frame) {
                const int ticks = frameTicks(frame, fps, ticksPerSecond);
                ASSERT_GE(ticks, ticksPerSecond / fps);
                ASSERT_LE(ticks, ticksPerSecond / fps + 1);
                total += ticks;
            }
            EXPECT_EQ(total, 3 * ticksPerSecond) << fps << " fps";
        }
    }
    EXPECT_EQ(frameTicks(0, 25, 100), 4);
}

}  // namespace
}  // namespace nitka
