#include "carve/growing_tree.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <vector>

#include "carve/cell_index.h"
#include "carve/growing_cells.h"
#include "carve/wall_steps.h"
#include "carve/wide_draw.h"

namespace nitka {
namespace {

using growing_tree::GrowingCells;
using growing_tree::kChanceScale;
using growing_tree::kRetired;
using growing_tree::kVisited;

template <typename Index, typename Observer>
void carveGrowingTreeWith(WallGrid& grid, GrowingTreePick pick, double newestShare,
                          SeededRandom& random, Observer& observer) {
    const auto newestChance = static_cast<int>(std::lround(newestShare * kChanceScale));
    const auto unvisited = [&grid](GridCell cell) { return grid.scratch(grid.index(cell)) == 0; };
    GrowingCells<WallGrid, Index> growing(grid, grid.cellCount());
    const std::uint64_t first = drawBelow(random, grid.cellCount());
    grid.setScratch(first, kVisited);
    growing.add(first);
    observer.mark(first, CellRole::Frontier);
    observer.current(first);
    while (!growing.empty()) {
        const std::size_t place = growing.chosen(pick, newestChance, random);
        const std::uint64_t at = growing.at(place);
        const GridCell cell = cellAt(grid, at);
        const StepChoice choice = stepsWhere(grid, cell, unvisited);
        observer.current(at);
        if (choice.empty()) {
            growing.retire(place);
            observer.mark(at, CellRole::Done);
            continue;
        }
        const Step step = choice.draw(random);
        openWall(grid, cell, step);
        const std::size_t next = grid.index(neighbour(cell, step));
        grid.setScratch(next, kVisited);
        growing.add(next);
        observer.opened(at, next);
        observer.mark(next, CellRole::Frontier);
    }
    grid.clearScratch();
}

}  // namespace

void carveGrowingTree(WallGrid& grid, GrowingTreePick pick, double newestShare,
                      SeededRandom& random) {
    assert(newestShare >= 0 && newestShare <= 1);
    NoCarveObserver none;
    withCellIndex(grid.cellCount(), [&]<typename Index>() {
        carveGrowingTreeWith<Index>(grid, pick, newestShare, random, none);
    });
}

void carveGrowingTree(WallGrid& grid, GrowingTreePick pick, double newestShare,
                      SeededRandom& random, CarveObserver& observer) {
    assert(newestShare >= 0 && newestShare <= 1);
    withCellIndex(grid.cellCount(), [&]<typename Index>() {
        carveGrowingTreeWith<Index>(grid, pick, newestShare, random, observer);
    });
}

}  // namespace nitka
