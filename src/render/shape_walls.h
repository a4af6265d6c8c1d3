#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "render/end_marks.h"
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
// through unchanged. Unfinished runs sit in a fixed table, each in one of a
// few slots from the one its end hashes to; a run whose slots are all taken
// hands on the one of them that grew least recently, as it stands. So memory
// stays bounded (116 bytes a slot, under 4 MB in all) whatever the maze's
// size, and a run grows for as long as no other run takes its slot: in
// reading order nearly all do in mazes up to some thousands of cells wide.
class WallMerger {
public:
    using Visit = std::function<void(const Side&)>;
    static constexpr std::size_t kMostSlots = std::size_t{1} << 15;

    // Requires: slots a power of two.
    explicit WallMerger(Visit visit, std::size_t slots = kMostSlots);
    WallMerger(const WallMerger&) = delete;
    WallMerger& operator=(const WallMerger&) = delete;

    // Slots enough for a maze of this many cells, up to kMostSlots.
    static std::size_t slotsFor(std::uint64_t cells);

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
    struct Run {
        Point from;
        Point to;
        Key start;
        Key end;
        std::uint64_t grown = 0;  // when it last grew, in pieces added
        bool live = false;
    };

    static constexpr std::size_t kProbes = 4;
    static constexpr std::size_t kNone = ~std::size_t{0};

    std::size_t slotOf(const Key& key) const;
    // The slot of the run that ends, or starts, at key; kNone if none does.
    std::size_t findEnding(const Key& key) const;
    std::size_t findStarting(const Key& key) const;
    void place(const Run& run);
    void emit(Run& run);

    Visit m_visit;
    std::size_t m_mask;
    std::vector<Run> m_byEnd;
    // Where in m_byEnd the run that starts at a key sits, among a few slots
    // from the one the key hashes to; checked on use, as a later run may have
    // taken that place.
    std::vector<std::uint32_t> m_byStart;
    std::uint64_t m_added = 0;
};

// Calls visit once for every wall of maze, cell by cell in number order,
// straight walls merged (see WallMerger), leaving out the openings of marks.
// Holds one cell's outline and the merger's fixed table.
void forEachWall(const ShapeMaze& maze, const WallMerger::Visit& visit, const EndMarks& marks = {});

}  // namespace nitka
