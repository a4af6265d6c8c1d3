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
using growing_tree::kRetired;
using growing_tree::kVisited;

template <typename Index>
void carveGrowingTreeWith(WallGrid& grid, GrowingTreePick pick, double newestShare,
                          SeededRandom& random) {
    constexpr int kChanceScale = 1 << 30;
    const auto newestChance = static_cast<int>(std::lround(newestShare * kChanceScale));
    const auto unvisited = [&grid](GridCell cell) { return grid.scratch(grid.index(cell)) == 0; };
    GrowingCells<WallGrid, Index> growing(grid, grid.cellCount());
    const std::uint64_t first = drawBelow(random, grid.cellCount());
    grid.setScratch(first, kVisited);
    growing.add(first);
    while (!growing.empty()) {
        std::size_t place = 0;
        switch (pick) {
            case GrowingTreePick::Newest:
                place = growing.newest();
                break;
            case GrowingTreePick::Random:
                place = growing.anyLive(random);
                break;
            case GrowingTreePick::Oldest:
                place = growing.oldest();
                break;
            case GrowingTreePick::Mix:
                place = random.Random(kChanceScale) < newestChance ? growing.newest()
                                                                   : growing.anyLive(random);
                break;
        }
        const GridCell cell = cellAt(grid, growing.at(place));
        const StepChoice choice = stepsWhere(grid, cell, unvisited);
        if (choice.empty()) {
            growing.retire(place);
            continue;
        }
        const Step step = choice.draw(random);
        openWall(grid, cell, step);
        const std::size_t next = grid.index(neighbour(cell, step));
        grid.setScratch(next, kVisited);
        growing.add(next);
    }
    grid.clearScratch();
}

}  // namespace

void carveGrowingTree(WallGrid& grid, GrowingTreePick pick, double newestShare,
                      SeededRandom& random) {
    assert(newestShare >= 0 && newestShare <= 1);
    withCellIndex(grid.cellCount(), [&]<typename Index>() {
        carveGrowingTreeWith<Index>(grid, pick, newestShare, random);
    });
}

}  // namespace nitka
