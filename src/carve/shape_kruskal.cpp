#include "carve/shape_kruskal.h"

#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

#include "carve/cell_index.h"
#include "carve/cell_sets.h"
#include "carve/shape_steps.h"

namespace nitka {
namespace {

// Calls side(cell, place) for every inner side once, from its later cell, the
// places taken from the last to the first: on squares that is the left side
// before the top one, the rectangle's own order.
template <typename Side>
void eachInnerSide(const Topology& topology, Side&& side) {
    NeighbourArray list{};
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (!topology.isCell(cell)) {
            continue;
        }
        for (int place = topology.neighbours(cell, list); place-- > 0;) {
            if (neighbourAt(list, place) < cell) {
                side(cell, place);
            }
        }
    }
}

template <typename Index, typename Observer>
void carveShapeKruskalWith(ShapeMaze& maze, SeededRandom& random, Observer& observer) {
    const Topology& topology = maze.topology();
    std::uint64_t sides = 0;
    eachInnerSide(topology, [&](CellId, int) { ++sides; });
    // Side number kMaxNeighbours * cell + place. Listed straight into a
    // shuffled order: each new side swaps with a random earlier place, the
    // inside-out form of the Fisher-Yates shuffle.
    std::vector<Index> order(sides);
    std::uint64_t listed = 0;
    eachInnerSide(topology, [&](CellId cell, int place) {
        const std::uint64_t j = drawBelow(random, listed + 1);
        order[listed] = order[j];
        order[j] = static_cast<Index>(cell * kMaxNeighbours + static_cast<CellId>(place));
        ++listed;
    });
    CellSets<ShapeMaze, Index> joined(maze, topology.slotCount());
    NeighbourArray list{};
    std::uint64_t joins = 0;
    for (std::uint64_t i = 0; i < sides && joins + 1 < topology.cellCount(); ++i) {
        const CellId cell = order[i] / kMaxNeighbours;
        topology.neighbours(cell, list);
        const CellId other = neighbourAt(list, static_cast<int>(order[i] % kMaxNeighbours));
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

void carveShapeKruskal(ShapeMaze& maze, SeededRandom& random) {
    // Side numbers reach kMaxNeighbours a place: the narrow entries while those fit.
    constexpr CellId kPerPlace = (kMaxNeighbours + 1) / 2;
    NoCarveObserver none;
    withCellIndex(maze.topology().slotCount() * kPerPlace,
                  [&]<typename Index>() { carveShapeKruskalWith<Index>(maze, random, none); });
}

void carveShapeKruskal(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer) {
    constexpr CellId kPerPlace = (kMaxNeighbours + 1) / 2;
    withCellIndex(maze.topology().slotCount() * kPerPlace,
                  [&]<typename Index>() { carveShapeKruskalWith<Index>(maze, random, observer); });
}

}  // namespace nitka
