#include "render/shape_walls.h"

#include <cmath>
#include <utility>
#include <vector>

namespace nitka {
namespace {

// Units of the drawing are pixels times the cell size, which stays below a
// few hundred, so a 4096th of a unit is well under a thousandth of a pixel.
constexpr double kPointSteps = 4096;
constexpr double kDirectionSteps = 1e6;

std::int64_t quantised(double value, double steps) {
    return std::llround(value * steps);
}

}  // namespace

std::size_t WallMerger::KeyHash::operator()(const Key& key) const {
    std::uint64_t hash = 0;
    for (const std::int64_t part : {key.x, key.y, key.dx, key.dy}) {
        hash = (hash ^ static_cast<std::uint64_t>(part)) * 0x100000001B3ull;
        hash ^= hash >> 29;
    }
    return static_cast<std::size_t>(hash);
}

WallMerger::WallMerger(Visit visit, std::size_t capacity)
    : m_visit(std::move(visit)), m_capacity(capacity) {}

void WallMerger::add(const Side& side) {
    Point from = side.from;
    Point to = side.to;
    const std::int64_t fromX = quantised(from.x, kPointSteps);
    const std::int64_t fromY = quantised(from.y, kPointSteps);
    const std::int64_t toX = quantised(to.x, kPointSteps);
    const std::int64_t toY = quantised(to.y, kPointSteps);
    if (side.arc || (fromX == toX && fromY == toY)) {
        m_visit(side);
        return;
    }
    // Both pieces of one straight line then run the same way, so one's end is
    // the next one's start.
    const bool backwards = toX < fromX || (toX == fromX && toY < fromY);
    if (backwards) {
        std::swap(from, to);
    }
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    const std::int64_t dx = quantised((to.x - from.x) / length, kDirectionSteps);
    const std::int64_t dy = quantised((to.y - from.y) / length, kDirectionSteps);
    const Key start = backwards ? Key{toX, toY, dx, dy} : Key{fromX, fromY, dx, dy};
    const Key end = backwards ? Key{fromX, fromY, dx, dy} : Key{toX, toY, dx, dy};

    const auto before = m_byEnd.find(start);
    const auto after = m_byStart.find(end);
    if (before != m_byEnd.end() && after != m_byStart.end() && before->second != after->second) {
        const RunList::iterator head = before->second;
        const RunList::iterator tail = after->second;
        unindex(m_byEnd, head->end, head);
        head->to = tail->to;
        head->end = tail->end;
        drop(tail);
        m_byEnd.insert_or_assign(head->end, head);
        touch(head);
    } else if (before != m_byEnd.end()) {
        const RunList::iterator head = before->second;
        unindex(m_byEnd, head->end, head);
        head->to = to;
        head->end = end;
        m_byEnd.insert_or_assign(end, head);
        touch(head);
    } else if (after != m_byStart.end()) {
        const RunList::iterator tail = after->second;
        unindex(m_byStart, tail->start, tail);
        tail->from = from;
        tail->start = start;
        m_byStart.insert_or_assign(start, tail);
        touch(tail);
    } else {
        m_runs.push_back({from, to, start, end});
        const RunList::iterator run = std::prev(m_runs.end());
        m_byStart.insert_or_assign(start, run);
        m_byEnd.insert_or_assign(end, run);
        if (m_runs.size() > m_capacity) {
            const RunList::iterator oldest = m_runs.begin();
            m_visit(Side{oldest->from, oldest->to, false, {}, kNoCell});
            drop(oldest);
        }
    }
}

void WallMerger::finish() {
    for (const Run& run : m_runs) {
        m_visit(Side{run.from, run.to, false, {}, kNoCell});
    }
    m_runs.clear();
    m_byStart.clear();
    m_byEnd.clear();
}

void WallMerger::touch(RunList::iterator run) {
    m_runs.splice(m_runs.end(), m_runs, run);
}

void WallMerger::drop(RunList::iterator run) {
    unindex(m_byStart, run->start, run);
    unindex(m_byEnd, run->end, run);
    m_runs.erase(run);
}

// Only the run's own entry goes: a topology that repeats a side may have
// indexed another run under the same key since.
void WallMerger::unindex(Index& index, const Key& key, RunList::iterator run) {
    if (const auto found = index.find(key); found != index.end() && found->second == run) {
        index.erase(found);
    }
}

void forEachWall(const ShapeMaze& maze, const WallMerger::Visit& visit) {
    const Topology& topology = maze.topology();
    WallMerger merger(visit);
    std::vector<Side> outline;
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (!topology.isCell(cell)) {
            continue;
        }
        topology.outline(cell, outline);
        for (const Side& side : outline) {
            if (drawsSide(maze, cell, side)) {
                merger.add(side);
            }
        }
    }
    merger.finish();
}

}  // namespace nitka
