#include "carve/carver_instances.h"

#include <cstdint>
#include <vector>

#include "carve/cell_index.h"
#include "carve/cell_sets.h"
#include "carve/shape_steps.h"
#include "carve/wide_draw.h"
#include "shape/maze_view.h"

namespace nitka {
namespace {

// The most inner sides a cell shares with cells before it in reading order:
// the left and top one on the rectangle.
template <typename L>
constexpr CellId kEarlierSides = kGridLayout<L> ? 2 : kMaxNeighbours;

// Calls side(cell, other, k) for every inner side once, from its later cell,
// other the k-th neighbour before cell taken from the end of cell's list: on
// squares the left side before the top one, the rectangle's own order. The
// rectangle numbers its sides by arithmetic alone (k 0 the left side, 1 the
// top one): a neighbour list a side costs it a third of its time.
template <typename L, typename Side>
void eachInnerSide(const L& layout, Side&& side) {
    if constexpr (kGridLayout<L>) {
        const auto width = static_cast<CellId>(layout.width());
        for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
            if (cell % width != 0) {
                side(cell, cell - 1, 0);
            }
            if (cell >= width) {
                side(cell, cell - width, 1);
            }
        }
    } else {
        NeighbourArray list{};
        for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
            if (!layout.isCell(cell)) {
                continue;
            }
            CellId k = 0;
            for (int place = layout.neighbours(cell, list); place-- > 0;) {
                if (const CellId other = neighbourAt(list, place); other < cell) {
                    side(cell, other, k++);
                }
            }
        }
    }
}

// The cell eachInnerSide called the k-th earlier neighbour of cell.
template <typename L>
CellId earlierNeighbour(const L& layout, CellId cell, CellId k) {
    if constexpr (kGridLayout<L>) {
        return k == 0 ? cell - 1 : cell - static_cast<CellId>(layout.width());
    } else {
        NeighbourArray list{};
        for (int place = layout.neighbours(cell, list); place-- > 0;) {
            if (neighbourAt(list, place) < cell && k-- == 0) {
                return neighbourAt(list, place);
            }
        }
        return kNoCell;
    }
}

template <typename Index, typename View, typename Observer>
void carveKruskalOn(const View& maze, SeededRandom& random, Observer& observer) {
    const auto& layout = maze.layout();
    constexpr CellId kSides = kEarlierSides<std::remove_cvref_t<decltype(layout)>>;
    std::uint64_t sides = 0;
    eachInnerSide(layout, [&](CellId, CellId, CellId) { ++sides; });
    // Side number kSides * cell + k. Listed straight into a shuffled order:
    // each new side swaps with a random earlier place, the inside-out form of
    // the Fisher-Yates shuffle.
    std::vector<Index> order(sides);
    std::uint64_t listed = 0;
    eachInnerSide(layout, [&](CellId cell, CellId, CellId k) {
        const std::uint64_t j = drawBelow(random, listed + 1);
        order[listed] = order[j];
        order[j] = static_cast<Index>(cell * kSides + k);
        ++listed;
    });
    CellSets<const View, Index> joined(maze, layout.slotCount());
    std::uint64_t joins = 0;
    for (std::uint64_t i = 0; i < sides && joins + 1 < layout.cellCount(); ++i) {
        const CellId cell = order[i] / kSides;
        const CellId other = earlierNeighbour(layout, cell, order[i] % kSides);
        const Index a = joined.find(static_cast<Index>(cell));
        const Index b = joined.find(static_cast<Index>(other));
        if (a != b) {
            joined.join(a, b);
            maze.setOpen(cell, other, true);
            ++joins;
            observer.current(cell);
            observer.opened(cell, other);
        }
    }
    maze.clearScratch();
}

}  // namespace

template <CarveListener Observer, CarvedMaze Maze>
void carveKruskal(Maze& maze, SeededRandom& random, Observer&& observer) {
    withMazeView(maze, [&](const auto& view) {
        const auto& layout = view.layout();
        // Side numbers reach kSides a cell: the narrow entries while those fit.
        constexpr CellId kSides = kEarlierSides<std::remove_cvref_t<decltype(layout)>>;
        withCellIndex(layout.slotCount() * ((kSides + 1) / 2),
                      [&]<typename Index>() { carveKruskalOn<Index>(view, random, observer); });
    });
}

NITKA_GENERAL_CARVER(carveKruskal);

}  // namespace nitka
