#include "tool/frame_progress.h"

#include <vector>

namespace nitka {

FrameProgress::FrameProgress(FrameSink& next, std::uint64_t frames, double secondsPerPixel,
                             bool wanted)
    : m_next(next), m_frames(frames), m_secondsPerPixel(secondsPerPixel), m_wanted(wanted) {}

void FrameProgress::add(const RgbFrame& frame) {
    start(frame);
    m_next.add(frame);
    m_progress->nextStage();
}

void FrameProgress::hold(const RgbFrame& frame) {
    start(frame);
    m_next.hold(frame);
    m_progress->nextStage();
}

void FrameProgress::start(const RgbFrame& frame) {
    if (m_progress) {
        return;
    }
    const double pixels = static_cast<double>(frame.width()) * frame.height();
    m_progress.emplace("animate", m_wanted,
                       std::vector<double>(m_frames + 1, pixels * m_secondsPerPixel));
}

}  // namespace nitka
