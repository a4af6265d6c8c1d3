#include "animate/route_exploration.h"

#include <array>
#include <cstdint>
#include <vector>

#include "render/route_marks.h"
#include "shape/maze_view.h"
#include "solver/grid_search.h"
#include "solver/shape_search.h"

namespace nitka {
namespace {

using WayList = std::array<CellId, kMaxNeighbours>;

constexpr std::uint8_t kUnvisited = 0;
constexpr std::uint8_t kFailed = 1;
// A cell on the way holds kOnWay plus the place of the next neighbour to try.
constexpr std::uint8_t kOnWay = 2;

// The neighbours of cell a route may step to, in the layout's order; how many.
template <typename View>
int waysFrom(const View& view, CellId cell, WayList& list) {
    WayList all{};
    const int count = view.layout().neighbours(cell, all);
    int open = 0;
    for (int place = 0; place < count; ++place) {
        const CellId next = all[static_cast<std::size_t>(place)];
        if (view.passable(cell, next)) {
            list[static_cast<std::size_t>(open++)] = next;
        }
    }
    return open;
}

template <typename View>
void explore(const View& view, RouteEnds ends, CarveObserver& observer) {
    const auto& layout = view.layout();
    if (!layout.isCell(ends.from) || !layout.isCell(ends.to)) {
        return;
    }
    std::vector<std::uint8_t> state(layout.slotCount(), kUnvisited);
    std::vector<CellId> way{ends.from};
    state[ends.from] = kOnWay;
    observer.mark(ends.from, CellRole::Tried);
    observer.current(ends.from);
    WayList list{};
    while (way.back() != ends.to) {
        const CellId cell = way.back();
        const int count = waysFrom(view, cell, list);
        int place = state[cell] - kOnWay;
        while (place < count && state[list[static_cast<std::size_t>(place)]] != kUnvisited) {
            ++place;
        }
        if (place == count) {
            state[cell] = kFailed;
            observer.mark(cell, CellRole::GivenUp);
            way.pop_back();
            if (way.empty()) {
                return;
            }
            observer.current(way.back());
            continue;
        }
        state[cell] = static_cast<std::uint8_t>(kOnWay + place + 1);
        const CellId next = list[static_cast<std::size_t>(place)];
        state[next] = kOnWay;
        way.push_back(next);
        observer.mark(next, CellRole::Tried);
        observer.current(next);
    }
}

}  // namespace

RouteEnds routeEnds(const WallGrid& grid) {
    return {0, grid.cellCount() - 1};
}

RouteEnds routeEnds(const ShapeMaze& maze) {
    return {maze.topology().start(), maze.topology().target()};
}

template <typename Maze>
void exploreRoute(const Maze& maze, CarveObserver& observer) {
    withMazeView(maze, [&](const auto& view) { explore(view, routeEnds(maze), observer); });
}

bool markWindowRoute(WallGrid& grid) {
    const auto route = findGridRoute(grid, {0, 0}, {grid.width() - 1, grid.height() - 1});
    if (route) {
        markRoute(grid, *route);
    }
    return route.has_value();
}

bool markWindowRoute(ShapeMaze& maze) {
    const RouteEnds ends = routeEnds(maze);
    const auto route = findShapeRoute(maze, ends.from, ends.to);
    if (route) {
        markRoute(maze, *route);
    }
    return route.has_value();
}

template void exploreRoute(const WallGrid&, CarveObserver&);
template void exploreRoute(const ShapeMaze&, CarveObserver&);

}  // namespace nitka
