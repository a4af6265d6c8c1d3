#include "solver/shape_search.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <utility>
#include <vector>

#include "shape/cell_fill.h"
#include "solver/search_parts.h"

namespace nitka {
namespace {

using search::CellRing;
using search::kFailed;
using search::kOnRoute;
using search::kUnreached;
using search::kUnvisited;
using search::nextMark;
using search::previousMark;

using NeighbourArray = std::array<CellId, kMaxNeighbours>;

static_assert(kOnRoute + kMaxNeighbours < 16);

// The first place from `first` on whose neighbour is open from cell and
// carries the wanted scratch; count when there is none.
int firstOpenInto(const ShapeMaze& maze, CellId cell, const NeighbourArray& list, int count,
                  int first, std::uint8_t wanted) {
    for (; first < count; ++first) {
        const CellId next = list[static_cast<std::size_t>(first)];
        if (maze.scratch(next) == wanted && maze.isOpen(cell, next)) {
            return first;
        }
    }
    return count;
}

bool bothCells(const Topology& topology, CellId from, CellId to) {
    return topology.isCell(from) && topology.isCell(to);
}

}  // namespace

std::optional<ShapeRoute> findShapeRoute(ShapeMaze& maze, CellId from, CellId to) {
    const Topology& topology = maze.topology();
    maze.clearScratch();
    if (!bothCells(topology, from, to)) {
        return std::nullopt;
    }
    // The route doubles as the stack: each move keeps its way back.
    ShapeRoute route(from);
    NeighbourArray list{};
    CellId cell = from;
    int count = topology.neighbours(cell, list);
    maze.setScratch(cell, kOnRoute);
    while (cell != to) {
        const int tried = maze.scratch(cell) - kOnRoute;
        const int next = firstOpenInto(maze, cell, list, count, tried, kUnvisited);
        if (next == count) {
            // A cell all of whose ways failed is never worth entering again:
            // everything beyond it was searched while it was on the route. That
            // keeps a maze with loops to one entry per cell.
            maze.setScratch(cell, kFailed);
            if (route.moves() == 0) {
                maze.clearScratch();
                return std::nullopt;
            }
            cell = list[static_cast<std::size_t>(route.moveBack(route.moves() - 1))];
            route.pop();
            count = topology.neighbours(cell, list);
        } else {
            maze.setScratch(cell, static_cast<std::uint8_t>(kOnRoute + next + 1));
            const CellId entered = list[static_cast<std::size_t>(next)];
            count = topology.neighbours(entered, list);
            route.push(next, placeIn(list, count, cell));
            cell = entered;
            maze.setScratch(cell, kOnRoute);
        }
    }
    maze.clearScratch();
    return route;
}

std::optional<ShapeRoute> findShortestShapeRoute(ShapeMaze& maze, CellId from, CellId to,
                                                 std::size_t queueCells) {
    assert(queueCells >= 1);
    const Topology& topology = maze.topology();
    maze.clearScratch();
    if (!bothCells(topology, from, to)) {
        return std::nullopt;
    }
    // Searched from the target, so that the route reads forwards from the start.
    CellRing<CellId> ring(queueCells);
    NeighbourArray list{};
    std::uint8_t mark = 1;
    maze.setScratch(to, mark);
    ring.push(to);
    bool levelInRing = true;
    while (maze.scratch(from) == kUnreached) {
        const std::uint8_t reachedMark = nextMark(mark);
        bool reachedAny = false;
        bool overflow = false;
        const auto expand = [&](CellId cell) {
            const int count = topology.neighbours(cell, list);
            for (int place = firstOpenInto(maze, cell, list, count, 0, kUnreached); place < count;
                 place = firstOpenInto(maze, cell, list, count, place + 1, kUnreached)) {
                const CellId next = list[static_cast<std::size_t>(place)];
                maze.setScratch(next, reachedMark);
                reachedAny = true;
                overflow = !ring.push(next) || overflow;
            }
        };
        if (levelInRing) {
            for (std::size_t left = ring.size(); left > 0; --left) {
                expand(ring.pop());
            }
        } else {
            // The level did not fit the ring: find it by its mark. Cells three,
            // six, ... levels nearer carry the same mark, but every neighbour of
            // theirs is reached already, so expanding them adds nothing.
            for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
                if (topology.isCell(cell) && maze.scratch(cell) == mark) {
                    expand(cell);
                }
            }
        }
        if (!reachedAny) {
            maze.clearScratch();
            return std::nullopt;
        }
        if (overflow) {
            ring.clear();
        }
        levelInRing = !overflow;
        mark = reachedMark;
    }

    ShapeRoute route(from);
    CellId cell = from;
    int count = topology.neighbours(cell, list);
    while (cell != to) {
        const int next =
            firstOpenInto(maze, cell, list, count, 0, previousMark(maze.scratch(cell)));
        assert(next < count);
        const CellId entered = list[static_cast<std::size_t>(next)];
        count = topology.neighbours(entered, list);
        route.push(next, placeIn(list, count, cell));
        cell = entered;
    }
    maze.clearScratch();
    return route;
}

}  // namespace nitka
