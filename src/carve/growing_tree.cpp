#include "carve/carver_instances.h"

#include <cassert>
#include <cmath>
#include <cstdint>

#include "carve/cell_index.h"
#include "carve/growing_cells.h"
#include "carve/shape_steps.h"
#include "shape/maze_view.h"

namespace nitka {
namespace {

using growing_tree::GrowingCells;
using growing_tree::kChanceScale;
using growing_tree::kVisited;

template <typename Index, typename View, typename Observer>
void carveGrowingTreeOn(const View& maze, GrowingTreePick pick, double newestShare,
                        SeededRandom& random, Observer& observer) {
    const auto newestChance = static_cast<int>(std::lround(newestShare * kChanceScale));
    const auto& layout = maze.layout();
    const auto unvisited = [&maze](CellId next) { return maze.scratch(next) == 0; };
    GrowingCells<const View, Index> growing(maze, layout.cellCount());
    LinkArray list{};
    CellId seed = drawCell(layout, random);
    CellId scan = 0;
    while (seed < layout.slotCount()) {
        maze.setScratch(seed, kVisited);
        growing.add(seed);
        observer.mark(seed, CellRole::Frontier);
        observer.current(seed);
        while (!growing.empty()) {
            const std::size_t place = growing.chosen(pick, newestChance, random);
            const CellId cell = growing.at(place);
            const NeighbourChoice choice = placesWhere(list, layout.links(cell, list), unvisited);
            observer.current(cell);
            if (choice.empty()) {
                growing.retire(place);
                observer.mark(cell, CellRole::Done);
                continue;
            }
            const CellId next = openDrawn(maze, cell, list, choice, random, observer);
            maze.setScratch(next, kVisited);
            growing.add(next);
            observer.mark(next, CellRole::Frontier);
        }
        // An island of a mask that falls apart grows a tree of its own.
        seed = scan = nextUntouched(maze, scan);
    }
    maze.clearScratch();
}

}  // namespace

template <CarveListener Observer, CarvedMaze Maze>
void carveGrowingTree(Maze& maze, GrowingTreePick pick, double newestShare, SeededRandom& random,
                      Observer&& observer) {
    assert(newestShare >= 0 && newestShare <= 1);
    withMazeView(maze, [&](const auto& view) {
        withCellIndex(view.layout().slotCount(), [&]<typename Index>() {
            carveGrowingTreeOn<Index>(view, pick, newestShare, random, observer);
        });
    });
}

NITKA_GENERAL_CARVER(carveGrowingTree, GrowingTreePick, double);

}  // namespace nitka
