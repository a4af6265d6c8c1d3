#include "solver/shape_search.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <utility>
#include <vector>

#include "shape/cell_fill.h"

namespace nitka {
namespace {

using NeighbourArray = std::array<CellId, kMaxNeighbours>;

// Scratch of the depth-first search. A cell on the route holds kOnRoute plus
// the place of the first neighbour it has yet to try.
constexpr std::uint8_t kUnvisited = 0;
constexpr std::uint8_t kFailed = 1;
constexpr std::uint8_t kOnRoute = 2;
static_assert(kOnRoute + kMaxNeighbours < 16);

// Scratch of the breadth-first search: 0 unreached, else the distance to the
// target mod 3, plus 1. Three values tell a neighbour one nearer from one as
// near or one farther, which is all the walk back along the route needs.
constexpr std::uint8_t kUnreached = 0;
constexpr std::uint8_t nextMark(std::uint8_t mark) {
    return static_cast<std::uint8_t>(mark % 3 + 1);
}
constexpr std::uint8_t previousMark(std::uint8_t mark) {
    return static_cast<std::uint8_t>((mark + 1) % 3 + 1);
}

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

// A first-in first-out ring of cells that grows as needed up to a limit and
// then refuses a cell: most levels are far smaller than the limit.
class CellRing {
public:
    explicit CellRing(std::size_t limit) : m_limit(limit) {}

    std::size_t size() const { return m_size; }
    bool push(CellId cell) {
        if (m_size == m_cells.size() && !grow()) {
            return false;
        }
        std::size_t slot = m_head + m_size;
        if (slot >= m_cells.size()) {
            slot -= m_cells.size();
        }
        m_cells[slot] = cell;
        ++m_size;
        return true;
    }
    CellId pop() {
        assert(m_size > 0);
        const CellId cell = m_cells[m_head];
        if (++m_head == m_cells.size()) {
            m_head = 0;
        }
        --m_size;
        return cell;
    }
    void clear() {
        m_head = 0;
        m_size = 0;
    }

private:
    bool grow() {
        if (m_cells.size() == m_limit) {
            return false;
        }
        const std::size_t count = m_size;
        std::vector<CellId> cells(std::min(m_limit, std::max<std::size_t>(64, 2 * count)));
        for (std::size_t i = 0; i < count; ++i) {
            cells[i] = pop();
        }
        m_cells = std::move(cells);
        m_head = 0;
        m_size = count;
        return true;
    }

    std::size_t m_limit;
    std::vector<CellId> m_cells;
    std::size_t m_head = 0;
    std::size_t m_size = 0;
};

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
    CellRing ring(queueCells);
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
