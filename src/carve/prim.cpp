#include "carve/carver_instances.h"

#include <cstdint>
#include <vector>

#include "carve/cell_index.h"
#include "carve/shape_steps.h"
#include "carve/wide_draw.h"
#include "shape/maze_view.h"

namespace nitka {
namespace {

constexpr std::uint8_t kInMaze = 1;
constexpr std::uint8_t kInFrontier = 2;

template <typename Index, typename View, typename Observer>
void carvePrimOn(const View& maze, SeededRandom& random, Observer& observer) {
    const auto& layout = maze.layout();
    std::vector<Index> frontier;
    // A cell joins the frontier at most once; pages the list never reaches are
    // never touched.
    frontier.reserve(layout.cellCount());
    LinkArray list{};
    const auto reach = [&](int count) {
        for (int place = 0; place < count; ++place) {
            const CellId next = neighbourAt(list, place);
            if (maze.scratch(next) == 0) {
                maze.setScratch(next, kInFrontier);
                frontier.push_back(static_cast<Index>(next));
                observer.mark(next, CellRole::Frontier);
            }
        }
    };
    const auto inMaze = [&maze](CellId next) { return maze.scratch(next) == kInMaze; };
    CellId seed = drawCell(layout, random);
    CellId scan = 0;
    while (seed < layout.slotCount()) {
        maze.setScratch(seed, kInMaze);
        observer.mark(seed, CellRole::Done);
        observer.current(seed);
        reach(layout.links(seed, list));
        while (!frontier.empty()) {
            const std::uint64_t pick = drawBelow(random, frontier.size());
            const CellId cell = frontier[pick];
            frontier[pick] = frontier.back();
            frontier.pop_back();
            const int count = layout.links(cell, list);
            const int place = placesWhere(list, count, inMaze).draw(random);
            maze.setOpen(list[static_cast<std::size_t>(place)].side, true);
            maze.setScratch(cell, kInMaze);
            observer.current(cell);
            observer.opened(cell, neighbourAt(list, place));
            observer.mark(cell, CellRole::Done);
            reach(count);
        }
        // An island of a mask that falls apart grows a tree of its own.
        seed = scan = nextUntouched(maze, scan);
    }
    maze.clearScratch();
}

}  // namespace

template <CarveListener Observer, CarvedMaze Maze>
void carvePrim(Maze& maze, SeededRandom& random, Observer&& observer) {
    withMazeView(maze, [&](const auto& view) {
        withCellIndex(view.layout().slotCount(),
                      [&]<typename Index>() { carvePrimOn<Index>(view, random, observer); });
    });
}

NITKA_GENERAL_CARVER(carvePrim);

}  // namespace nitka
