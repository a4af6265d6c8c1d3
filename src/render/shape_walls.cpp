#include "render/shape_walls.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <utility>
#include <vector>

namespace nitka {
namespace {

// Units of the drawing are pixels times the cell size, which stays below a
// few hundred, so a 4096th of a unit is well under a thousandth of a pixel.
constexpr double kPointSteps = 4096;
constexpr double kDirectionSteps = 1e6;

// Rounds half away from zero, inline where llround is a call.
std::int64_t quantised(double value, double steps) {
    const double scaled = value * steps;
    return static_cast<std::int64_t>(scaled >= 0 ? scaled + 0.5 : scaled - 0.5);
}

}  // namespace

WallMerger::WallMerger(Visit visit, std::size_t slots)
    : m_visit(std::move(visit)), m_mask(slots - 1), m_byEnd(slots), m_byStart(slots, 0) {
    assert(std::has_single_bit(slots));
}

std::size_t WallMerger::slotsFor(std::uint64_t cells) {
    return std::bit_ceil(std::clamp<std::uint64_t>(2 * cells, 1024, kMostSlots));
}

std::size_t WallMerger::slotOf(const Key& key) const {
    // Points lie on a coarse grid of the fine one, so their low bits are all
    // alike: the parts are spread by odd multipliers, then mixed in full.
    std::uint64_t hash = static_cast<std::uint64_t>(key.x) * 0x9E3779B97F4A7C15ull ^
                         static_cast<std::uint64_t>(key.y) * 0xC2B2AE3D27D4EB4Full ^
                         static_cast<std::uint64_t>(key.dx) * 0x165667B19E3779F9ull ^
                         static_cast<std::uint64_t>(key.dy) * 0x27D4EB2F165667C5ull;
    hash = (hash ^ (hash >> 30)) * 0xBF58476D1CE4E5B9ull;
    hash = (hash ^ (hash >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::size_t>(hash ^ (hash >> 31)) & m_mask;
}

void WallMerger::add(const Side& side) {
    Point from = side.from;
    Point to = side.to;
    Key start{quantised(from.x, kPointSteps), quantised(from.y, kPointSteps), 0, 0};
    Key end{quantised(to.x, kPointSteps), quantised(to.y, kPointSteps), 0, 0};
    if (side.arc || start == end) {
        m_visit(side);
        return;
    }
    // Both pieces of one straight line then run the same way, so one's end is
    // the next one's start.
    if (end.x < start.x || (end.x == start.x && end.y < start.y)) {
        std::swap(from, to);
        std::swap(start, end);
    }
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    start.dx = end.dx = quantised((to.x - from.x) / length, kDirectionSteps);
    start.dy = end.dy = quantised((to.y - from.y) / length, kDirectionSteps);

    Run joined{from, to, start, end, ++m_added, true};
    if (const std::size_t before = findEnding(start); before != kNone) {
        joined.from = m_byEnd[before].from;
        joined.start = m_byEnd[before].start;
        m_byEnd[before].live = false;
    }
    if (const std::size_t after = findStarting(end); after != kNone) {
        joined.to = m_byEnd[after].to;
        joined.end = m_byEnd[after].end;
        m_byEnd[after].live = false;
    }
    place(joined);
}

std::size_t WallMerger::findEnding(const Key& key) const {
    const std::size_t home = slotOf(key);
    for (std::size_t probe = 0; probe < kProbes; ++probe) {
        const Run& run = m_byEnd[(home + probe) & m_mask];
        if (run.live && run.end == key) {
            return (home + probe) & m_mask;
        }
    }
    return kNone;
}

std::size_t WallMerger::findStarting(const Key& key) const {
    const std::size_t home = slotOf(key);
    for (std::size_t probe = 0; probe < kProbes; ++probe) {
        const std::size_t at = m_byStart[(home + probe) & m_mask];
        if (m_byEnd[at].live && m_byEnd[at].start == key) {
            return at;
        }
    }
    return kNone;
}

void WallMerger::place(const Run& run) {
    // The first free slot of a few from the home one, or else the one whose
    // run grew longest ago: in reading order, most likely a finished one.
    const std::size_t endHome = slotOf(run.end);
    std::size_t slot = endHome;
    for (std::size_t probe = 0; probe < kProbes; ++probe) {
        const std::size_t at = (endHome + probe) & m_mask;
        if (!m_byEnd[at].live) {
            slot = at;
            break;
        }
        if (m_byEnd[at].grown < m_byEnd[slot].grown) {
            slot = at;
        }
    }
    if (m_byEnd[slot].live) {
        emit(m_byEnd[slot]);
    }
    m_byEnd[slot] = run;
    // Likewise an entry that no longer names a run starting where it says.
    const std::size_t startHome = slotOf(run.start);
    std::size_t entry = startHome;
    for (std::size_t probe = 0; probe < kProbes; ++probe) {
        const std::size_t at = (startHome + probe) & m_mask;
        const std::size_t named = m_byStart[at];
        if (named == slot || !m_byEnd[named].live || slotOf(m_byEnd[named].start) != startHome) {
            entry = at;
            break;
        }
    }
    m_byStart[entry] = static_cast<std::uint32_t>(slot);
}

void WallMerger::emit(Run& run) {
    run.live = false;
    m_visit(Side{run.from, run.to, false, {}, kNoCell});
}

void WallMerger::finish() {
    for (Run& run : m_byEnd) {
        if (run.live) {
            emit(run);
        }
    }
}

void forEachWall(const ShapeMaze& maze, const WallMerger::Visit& visit, const EndMarks& marks) {
    withMazeView(maze, [&](const auto& view) {
        forEachWall(view, visit, marks, [](CellId) { return true; });
    });
}

}  // namespace nitka
