#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "animate/animation_scene.h"
#include "animate/frame_sink.h"
#include "carve/carve_observer.h"

namespace nitka {

// The frames an animation makes and the steps they share out.
struct FramePlan {
    std::uint64_t frames = 2;
    std::uint64_t steps = 0;
};

// Turns a method's steps into pictures: each event it is told is one step,
// applied to the scene; whenever the steps reach the next frame's share (see
// stepsShownBy) the scene is drawn and handed to the sink. Without a plan it
// only counts, for the run that learns how many steps there are. A random
// walk's loops are erased from the picture as the walk closes them.
class Animator final : public CarveObserver {
public:
    Animator(AnimationScene& scene, std::optional<FramePlan> plan, FrameSink* sink);

    void current(CellId cell) override;
    void mark(CellId cell, CellRole role) override;
    void opened(CellId a, CellId b) override;
    void closed(CellId a, CellId b) override;
    // One step: every role cleared and the route's dots shown.
    void showRoute();
    // Makes the frames still due, the last of them showing every step, and
    // the hold. Requires: a plan, and exactly its steps told.
    void finish();

    std::uint64_t steps() const { return m_steps; }

private:
    void step();
    void drawDueFrames();

    AnimationScene& m_scene;
    std::optional<FramePlan> m_plan;
    FrameSink* m_sink;
    std::uint64_t m_steps = 0;
    std::uint64_t m_nextFrame = 0;
    std::uint64_t m_nextFrameAt = 0;
    std::vector<CellId> m_walk;
    std::optional<RgbFrame> m_picture;
};

}  // namespace nitka
