#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <unordered_map>

#include "shape/shape_maze.h"
#include "shape/topology.h"

namespace nitka {

// Whether cell draws this side of its outline: the side is closed (on the
// maze's edge, beside a hole, or shut between two cells) and, when two cells
// share it, cell is the lower-numbered of them, so that every wall is drawn
// exactly once. Requires: side comes from cell's outline.
inline bool drawsSide(const ShapeMaze& maze, CellId cell, const Side& side) {
    return side.across == kNoCell || (cell < side.across && !maze.isOpen(cell, side.across));
}

// Joins straight walls that continue one another in the same direction into
// one, so that a picture of a big maze needs far fewer elements; arcs pass
// through unchanged. Holds at most `capacity` unfinished runs and hands the
// least recently grown one on when it needs room, so memory stays bounded
// whatever the maze's size: a run grows as long as fewer than `capacity` other
// runs are touched before its next piece comes, which in reading order holds
// for mazes up to about capacity / 2 cells wide.
class WallMerger {
public:
    using Visit = std::function<void(const Side&)>;
    static constexpr std::size_t kDefaultCapacity = 1 << 14;

    explicit WallMerger(Visit visit, std::size_t capacity = kDefaultCapacity);
    WallMerger(const WallMerger&) = delete;
    WallMerger& operator=(const WallMerger&) = delete;

    void add(const Side& side);
    // Hands on every run still held. Call once, after the last add.
    void finish();

private:
    // A point and a direction on a grid fine enough that whatever rounds
    // together lies within a thousandth of a pixel.
    struct Key {
        std::int64_t x = 0;
        std::int64_t y = 0;
        std::int64_t dx = 0;
        std::int64_t dy = 0;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    struct Run {
        Point from;
        Point to;
        Key start;
        Key end;
    };
    using RunList = std::list<Run>;
    using Index = std::unordered_map<Key, RunList::iterator, KeyHash>;

    void touch(RunList::iterator run);
    void drop(RunList::iterator run);
    static void unindex(Index& index, const Key& key, RunList::iterator run);

    Visit m_visit;
    std::size_t m_capacity;
    RunList m_runs;  // least recently grown first
    Index m_byStart;
    Index m_byEnd;
};

// Calls visit once for every wall of maze, cell by cell in number order,
// straight walls merged (see WallMerger). Holds one cell's outline and the
// merger's bounded runs.
void forEachWall(const ShapeMaze& maze, const WallMerger::Visit& visit);

}  // namespace nitka
