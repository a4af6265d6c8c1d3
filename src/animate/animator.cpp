#include "animate/animator.h"

#include <cassert>
#include <limits>

#include "animate/frame_clock.h"

namespace nitka {

Animator::Animator(AnimationScene& scene, std::optional<FramePlan> plan, FrameSink* sink)
    : m_scene(scene), m_plan(plan), m_sink(sink) {
    assert(!plan || sink != nullptr);
    if (!m_plan) {
        m_nextFrameAt = std::numeric_limits<std::uint64_t>::max();
        return;
    }
    m_picture.emplace(scene.pictureWidth(), scene.pictureHeight());
    drawDueFrames();
}

void Animator::current(CellId cell) {
    m_scene.setCurrent(cell);
    step();
}

void Animator::mark(CellId cell, CellRole role) {
    if (role == CellRole::Walk) {
        if (m_scene.role(cell) == CellRole::Walk) {
            // The walk came back to a cell of its own: the loop since is erased.
            while (m_walk.back() != cell) {
                m_scene.setRole(m_walk.back(), CellRole::Untouched);
                m_walk.pop_back();
            }
        } else {
            // A walk joined to the maze has left its cells Done.
            if (!m_walk.empty() && m_scene.role(m_walk.back()) != CellRole::Walk) {
                m_walk.clear();
            }
            m_walk.push_back(cell);
        }
    }
    m_scene.setRole(cell, role);
    step();
}

void Animator::opened(CellId a, CellId b) {
    m_scene.open(a, b);
    step();
}

void Animator::closed(CellId a, CellId b) {
    m_scene.close(a, b);
    step();
}

void Animator::showRoute() {
    m_scene.showRoute();
    step();
}

void Animator::finish() {
    assert(m_plan && m_steps == m_plan->steps);
    drawDueFrames();
    assert(m_nextFrame == m_plan->frames);
    m_sink->hold(*m_picture);
}

void Animator::step() {
    if (++m_steps >= m_nextFrameAt) {
        drawDueFrames();
    }
}

void Animator::drawDueFrames() {
    bool drawn = false;
    while (m_nextFrame < m_plan->frames &&
           stepsShownBy(m_nextFrame, m_plan->frames, m_plan->steps) <= m_steps) {
        if (!drawn) {
            m_scene.draw(*m_picture);
            drawn = true;
        }
        m_sink->add(*m_picture);
        ++m_nextFrame;
    }
    m_nextFrameAt = m_nextFrame < m_plan->frames
                        ? stepsShownBy(m_nextFrame, m_plan->frames, m_plan->steps)
                        : std::numeric_limits<std::uint64_t>::max();
}

}  // namespace nitka
