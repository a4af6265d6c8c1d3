#include "animate/route_exploration.h"

#include <array>
#include <cstdint>
#include <vector>

#include "shape/maze_view.h"
#include "solver/view_search.h"

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

// The route as the cells it visits, for search::searchDepthFirst.
class CellTrail {
public:
    explicit CellTrail(CellId from) : m_cells{from} {}

    void push(CellId, int, CellId entered, const search::NeighbourArray&, int) {
        m_cells.push_back(entered);
    }
    CellId popFrom(CellId, search::NeighbourArray&) {
        m_cells.pop_back();
        return m_cells.back();
    }
    std::uint64_t moves() const { return m_cells.size() - 1; }
    const std::vector<CellId>& cells() const { return m_cells; }

private:
    std::vector<CellId> m_cells;
};

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

template <typename Maze>
bool markWindowRoute(Maze& maze) {
    const RouteEnds ends = routeEnds(maze);
    return withMazeView(maze, [&](const auto& view) {
        CellTrail trail(ends.from);
        if (!search::searchDepthFirst(view, ends.from, ends.to, trail)) {
            return false;
        }
        for (const CellId cell : trail.cells()) {
            view.setScratch(cell, 1);
        }
        return true;
    });
}

template void exploreRoute(const WallGrid&, CarveObserver&);
template void exploreRoute(const ShapeMaze&, CarveObserver&);
template bool markWindowRoute(WallGrid&);
template bool markWindowRoute(ShapeMaze&);

}  // namespace nitka
