#include "animate/animator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "animate/animation.h"
#include "animate/animation_scene.h"
#include "animate/frame_clock.h"

namespace nitka {
namespace {

// Keeps every picture it is given, and the hold apart.
class KeepingSink final : public FrameSink {
public:
    void add(const RgbFrame& frame) override { frames.push_back(frame); }
    void hold(const RgbFrame& frame) override {
        EXPECT_FALSE(held.has_value()) << "held twice";
        held = frame;
    }
    std::vector<RgbFrame> frames;
    std::optional<RgbFrame> held;
};

bool showsColour(const RgbFrame& frame, Rgb colour) {
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            if (frame.at(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

RgbFrame drawn(const AnimationScene& scene) {
    RgbFrame frame(scene.pictureWidth(), scene.pictureHeight());
    scene.draw(frame);
    return frame;
}

// Whatever the maze's size against the frame count, the animation has
// exactly its frames, starts on the untouched grid, ends on the solved maze
// without any method's colour, and holds that picture.
TEST(AnimatorTest, MakesItsFramesFromUntouchedToSolved) {
    struct Row {
        int width;
        int height;
        CarveMethod method;
        AnimationTiming timing;
    };
    const Row rows[] = {
        {1, 1, CarveMethod::Wilson, {1, 10}},      // a single step
        {2, 1, CarveMethod::DepthFirst, {2, 25}},  // far fewer steps than frames
        {12, 9, CarveMethod::DepthFirst, {0.5, 8}},
        {12, 9, CarveMethod::Wilson, {3, 30}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + " x " + std::to_string(row.height));
        AnimationPlan plan;
        plan.timing = row.timing;
        plan.cell = 6;
        CarveOptions carve;
        carve.method = row.method;
        KeepingSink sink;
        animateGridCarving(row.width, row.height, carve, 5, plan, sink);
        ASSERT_EQ(sink.frames.size(), frameCount(row.timing));
        ASSERT_TRUE(sink.held.has_value());
        EXPECT_TRUE(*sink.held == sink.frames.back());

        const GridScene untouched(WallGrid(row.width, row.height), plan.cell, CellRole::Untouched);
        EXPECT_TRUE(sink.frames.front() == drawn(untouched));
        for (const CellRole role :
             {CellRole::Stack, CellRole::Walk, CellRole::Tried, CellRole::GivenUp}) {
            EXPECT_FALSE(showsColour(sink.frames.back(), roleColour(role)));
        }
        EXPECT_FALSE(showsColour(sink.frames.back(), kCurrentColour));
    }
}

// The carving's colours show while it runs, the search's after it, and
// --no-solve stops on the carved maze.
TEST(AnimatorTest, ShowsEachMethodInItsOwnColours) {
    AnimationPlan plan;
    plan.timing = {2, 10};
    plan.cell = 4;
    for (const auto& [method, colour] :
         {std::pair{CarveMethod::DepthFirst, roleColour(CellRole::Stack)},
          std::pair{CarveMethod::Wilson, roleColour(CellRole::Walk)},
          std::pair{CarveMethod::Prim, roleColour(CellRole::Frontier)},
          std::pair{CarveMethod::Sidewinder, roleColour(CellRole::Frontier)}}) {
        CarveOptions carve;
        carve.method = method;
        KeepingSink sink;
        animateGridCarving(20, 15, carve, 9, plan, sink);
        const auto seen = [&](Rgb wanted) {
            int frames = 0;
            for (const RgbFrame& frame : sink.frames) {
                frames += showsColour(frame, wanted) ? 1 : 0;
            }
            return frames;
        };
        EXPECT_GT(seen(colour), 0);
        EXPECT_GT(seen(roleColour(CellRole::Tried)), 0);
        EXPECT_GT(seen(roleColour(CellRole::GivenUp)), 0);

        plan.solve = false;
        KeepingSink carvedOnly;
        animateGridCarving(20, 15, carve, 9, plan, carvedOnly);
        plan.solve = true;
        EXPECT_FALSE(showsColour(carvedOnly.frames.back(), roleColour(CellRole::Tried)));
        EXPECT_FALSE(showsColour(carvedOnly.frames.back(), colour));
    }
}

// A walk that comes back on itself loses the loop at once, as Wilson's
// method erases it.
TEST(AnimatorTest, ErasesAWalksLoops) {
    GridScene scene(WallGrid(4, 1), 4, CellRole::Untouched);
    Animator animator(scene, std::nullopt, nullptr);
    animator.mark(3, CellRole::Done);
    for (const CellId cell : {0u, 1u, 2u, 1u}) {
        animator.mark(cell, CellRole::Walk);
    }
    EXPECT_EQ(scene.role(0), CellRole::Walk);
    EXPECT_EQ(scene.role(1), CellRole::Walk);
    EXPECT_EQ(scene.role(2), CellRole::Untouched);
    // Joined to the maze, then a new walk: the old one is not erased again.
    animator.mark(0, CellRole::Done);
    animator.mark(1, CellRole::Done);
    animator.mark(2, CellRole::Walk);
    EXPECT_EQ(scene.role(0), CellRole::Done);
    EXPECT_EQ(animator.steps(), 8u);
}

}  // namespace
}  // namespace nitka
