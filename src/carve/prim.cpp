#include "carve/prim.h"

#include <cstdint>
#include <vector>

#include "carve/carve_observer.h"
#include "carve/cell_index.h"
#include "carve/wall_steps.h"
#include "carve/wide_draw.h"

namespace nitka {
namespace {

constexpr std::uint8_t kInMaze = 1;
constexpr std::uint8_t kInFrontier = 2;

template <typename Index, typename Observer>
void carvePrimWith(WallGrid& grid, SeededRandom& random, Observer& observer) {
    const std::uint64_t cells = grid.cellCount();
    std::vector<Index> frontier;
    // A cell joins the frontier at most once; pages the list never reaches are
    // never touched, so this costs the memory bound up front only on paper.
    frontier.reserve(cells);
    const auto reach = [&](GridCell cell) {
        for (int s = 0; s < 4; ++s) {
            const GridCell next = neighbour(cell, static_cast<Step>(s));
            if (grid.contains(next) && grid.scratch(grid.index(next)) == 0) {
                grid.setScratch(grid.index(next), kInFrontier);
                frontier.push_back(static_cast<Index>(grid.index(next)));
                observer.mark(grid.index(next), CellRole::Frontier);
            }
        }
    };
    const auto inMaze = [&grid](GridCell cell) {
        return grid.scratch(grid.index(cell)) == kInMaze;
    };
    const std::uint64_t first = drawBelow(random, cells);
    grid.setScratch(first, kInMaze);
    observer.mark(first, CellRole::Done);
    observer.current(first);
    reach(cellAt(grid, first));
    while (!frontier.empty()) {
        const std::uint64_t pick = drawBelow(random, frontier.size());
        const std::uint64_t i = frontier[pick];
        frontier[pick] = frontier.back();
        frontier.pop_back();
        const GridCell cell = cellAt(grid, i);
        const Step step = stepsWhere(grid, cell, inMaze).draw(random);
        openWall(grid, cell, step);
        grid.setScratch(i, kInMaze);
        observer.current(i);
        observer.opened(i, grid.index(neighbour(cell, step)));
        observer.mark(i, CellRole::Done);
        reach(cell);
    }
    grid.clearScratch();
}

}  // namespace

void carvePrim(WallGrid& grid, SeededRandom& random) {
    NoCarveObserver none;
    withCellIndex(grid.cellCount(),
                  [&]<typename Index>() { carvePrimWith<Index>(grid, random, none); });
}

void carvePrim(WallGrid& grid, SeededRandom& random, CarveObserver& observer) {
    withCellIndex(grid.cellCount(),
                  [&]<typename Index>() { carvePrimWith<Index>(grid, random, observer); });
}

}  // namespace nitka
