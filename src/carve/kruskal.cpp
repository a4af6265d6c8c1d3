#include "carve/kruskal.h"

#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

#include "carve/cell_index.h"
#include "carve/cell_sets.h"
#include "carve/wide_draw.h"

namespace nitka {
namespace {

template <typename Index, typename Observer>
void carveKruskalWith(WallGrid& grid, SeededRandom& random, Observer& observer) {
    const auto width = static_cast<std::uint64_t>(grid.width());
    const auto height = static_cast<std::uint64_t>(grid.height());
    const std::uint64_t cells = grid.cellCount();
    // Edge 2i is the left wall of cell i, edge 2i + 1 its top wall. Listed
    // straight into a shuffled order: each new edge swaps with a random earlier
    // place, the inside-out form of the Fisher-Yates shuffle.
    std::vector<Index> edges((width - 1) * height + width * (height - 1));
    std::uint64_t listed = 0;
    for (std::uint64_t i = 0; i < cells; ++i) {
        for (std::uint64_t top = 0; top < 2; ++top) {
            if (top == 1 ? i < width : i % width == 0) {
                continue;
            }
            const std::uint64_t j = drawBelow(random, listed + 1);
            edges[listed] = edges[j];
            edges[j] = static_cast<Index>(2 * i + top);
            ++listed;
        }
    }
    CellSets<WallGrid, Index> sets(grid, cells);
    std::uint64_t joins = 0;
    for (std::uint64_t e = 0; e < edges.size() && joins + 1 < cells; ++e) {
        const Index edge = edges[e];
        const Index cell = edge / 2;
        const bool top = edge % 2 == 1;
        const Index a = sets.find(cell);
        const Index b = sets.find(static_cast<Index>(top ? cell - width : cell - 1));
        if (a != b) {
            sets.join(a, b);
            if (top) {
                grid.setTop(cell, Flag::Open);
            } else {
                grid.setLeft(cell, Flag::Open);
            }
            ++joins;
            observer.current(cell);
            observer.opened(top ? cell - width : cell - 1, cell);
        }
    }
    grid.clearScratch();
}

}  // namespace

void carveKruskal(WallGrid& grid, SeededRandom& random) {
    NoCarveObserver none;
    withCellIndex(grid.cellCount(),
                  [&]<typename Index>() { carveKruskalWith<Index>(grid, random, none); });
}

void carveKruskal(WallGrid& grid, SeededRandom& random, CarveObserver& observer) {
    withCellIndex(grid.cellCount(),
                  [&]<typename Index>() { carveKruskalWith<Index>(grid, random, observer); });
}

}  // namespace nitka
