#include "animate/route_exploration.h"

#include <array>
#include <cstdint>
#include <vector>

namespace nitka {
namespace {

using WayList = std::array<CellId, kMaxNeighbours>;

constexpr std::uint8_t kUnvisited = 0;
constexpr std::uint8_t kFailed = 1;
// A cell on the way holds kOnWay plus the place of the next neighbour to try.
constexpr std::uint8_t kOnWay = 2;

// ways(cell, list) writes the neighbours the search may step to from cell,
// in its order, and returns how many.
template <typename Ways>
void explore(std::uint64_t slots, CellId from, CellId to, Ways&& ways, CarveObserver& observer) {
    std::vector<std::uint8_t> state(slots, kUnvisited);
    std::vector<CellId> way{from};
    state[from] = kOnWay;
    observer.mark(from, CellRole::Tried);
    observer.current(from);
    WayList list{};
    while (way.back() != to) {
        const CellId cell = way.back();
        const int count = ways(cell, list);
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

void exploreGridRoute(const WallGrid& grid, CarveObserver& observer) {
    const auto width = static_cast<CellId>(grid.width());
    const auto ways = [&](CellId cell, WayList& list) {
        const GridCell at{static_cast<int>(cell % width), static_cast<int>(cell / width)};
        int count = 0;
        for (int s = 0; s < 4; ++s) {
            const auto step = static_cast<Step>(s);
            if (grid.passable(at, step)) {
                list[static_cast<std::size_t>(count++)] = grid.index(neighbour(at, step));
            }
        }
        return count;
    };
    explore(grid.cellCount(), 0, grid.cellCount() - 1, ways, observer);
}

void exploreShapeRoute(const ShapeMaze& maze, CarveObserver& observer) {
    const Topology& topology = maze.topology();
    if (!topology.isCell(topology.start()) || !topology.isCell(topology.target())) {
        return;
    }
    const auto ways = [&](CellId cell, WayList& list) {
        WayList all{};
        const int count = topology.neighbours(cell, NeighbourList(all));
        int open = 0;
        for (int place = 0; place < count; ++place) {
            const CellId next = all[static_cast<std::size_t>(place)];
            if (maze.isOpen(cell, next)) {
                list[static_cast<std::size_t>(open++)] = next;
            }
        }
        return open;
    };
    explore(topology.slotCount(), topology.start(), topology.target(), ways, observer);
}

}  // namespace nitka
