#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "render/end_marks.h"
#include "render/wall_runs.h"
#include "shape/maze_view.h"
#include "shape/shape_maze.h"
#include "shape/topology.h"

namespace nitka {

// Whether cell draws side number `index` of its outline: the side is closed
// (on the maze's edge, beside a hole, or shut between two cells) and, when two
// cells share it, cell is the lower-numbered of them, so that every wall is
// drawn exactly once. Requires: side comes from cell's outline.
template <Layout L, typename Maze>
bool drawsSide(const ShapeView<L, Maze>& view, CellId cell, const Side& side, int /*index*/) {
    return side.across == kNoCell || (cell < side.across && !view.isOpen(cell, side.across));
}

// A grid also keeps the flags of the frame's top and left sides, which a
// hand-edited file may have opened; its bottom and right sides are walls.
template <typename Grid>
bool drawsSide(const GridView<Grid>& view, CellId cell, const Side& side, int index) {
    if (side.across != kNoCell) {
        return cell < side.across && !view.isOpen(cell, side.across);
    }
    const Grid& grid = view.grid();
    return index == 0 ? grid.top(cell) != Flag::Open : index != 3 || grid.left(cell) != Flag::Open;
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

// Calls visit(side) for every side of view's outlines that is drawn (see
// drawsSide), cell by cell in number order, leaving out the openings of marks
// and the cells that keep(cell) refuses. Holds one cell's outline.
template <typename View, typename Keep, typename Visit>
void forEachDrawnSide(const View& view, const EndMarks& marks, Keep&& keep, Visit&& visit) {
    const auto& layout = view.layout();
    std::vector<Side> outline;
    for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
        if (!layout.isCell(cell) || !keep(cell)) {
            continue;
        }
        layout.outline(cell, outline);
        for (int side = 0; side < static_cast<int>(outline.size()); ++side) {
            const Side& drawn = outline[static_cast<std::size_t>(side)];
            if (drawsSide(view, cell, drawn, side) && !marks.opens(cell, side)) {
                visit(drawn);
            }
        }
    }
}

// Calls visit once for every wall of view, straight walls merged (see
// WallMerger), leaving out the openings of marks and the cells keep refuses.
// Holds one cell's outline and the merger's fixed table.
template <typename View, typename Keep>
void forEachWall(const View& view, const WallMerger::Visit& visit, const EndMarks& marks,
                 Keep&& keep) {
    WallMerger merger(visit, WallMerger::slotsFor(view.layout().cellCount()));
    forEachDrawnSide(view, marks, keep, [&](const Side& side) { merger.add(side); });
    merger.finish();
}

// The plain rectangle's walls, its named fast path: the grid's own runs along
// rows and columns, the frame's bottom and right sides whole. Merging its
// cells' sides by hashing made a rectangle's PDF 20% slower to make and 15%
// larger. The same walls as forEachDrawnSide gives (GridDrawing's test); a
// grid is drawn whole, so keep is not asked.
template <typename Grid, typename Keep>
void forEachWall(const GridView<Grid>& view, const WallMerger::Visit& visit, const EndMarks& marks,
                 Keep&& /*keep*/) {
    const auto& grid = view.grid();
    const bool openings = marks.start.opening >= 0;
    const auto emit = [&](const WallRun& run) {
        const auto at = [&](int along) {
            const auto a = static_cast<double>(along);
            const auto line = static_cast<double>(run.line);
            return run.horizontal ? Point{a, line} : Point{line, a};
        };
        visit(Side{at(run.from), at(run.to), false, {}, kNoCell});
    };
    const auto trace = [&](const WallRun& run) {
        if (!openings) {
            emit(run);
            return;
        }
        visitAroundOpenings(run, grid.width(), grid.height(), emit);
    };
    forEachWallRun(grid, trace);
    trace(WallRun{true, grid.height(), 0, grid.width()});
    trace(WallRun{false, grid.width(), 0, grid.height()});
}

// The same for every cell of a maze of any shape.
void forEachWall(const ShapeMaze& maze, const WallMerger::Visit& visit, const EndMarks& marks = {});

}  // namespace nitka
