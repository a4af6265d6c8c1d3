#include "solver/grid_search.h"

#include <algorithm>
#include <cassert>
#include <new>
#include <utility>
#include <vector>

namespace nitka {
namespace {

constexpr Step stepOf(unsigned number) {
    return static_cast<Step>(number);
}

// Scratch of the depth-first search. A cell on the route holds kOnRoute plus
// the number of the first step it has yet to try, 4 once all are tried.
constexpr std::uint8_t kUnvisited = 0;
constexpr std::uint8_t kFailed = 1;
constexpr std::uint8_t kOnRoute = 2;

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

// A first-in first-out ring of cells that grows as needed up to a limit and
// then refuses a cell: most levels are far smaller than the limit.
class CellRing {
public:
    explicit CellRing(std::size_t limit) : m_limit(limit) {}

    std::size_t size() const { return m_size; }
    bool push(GridCell cell) {
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
    GridCell pop() {
        assert(m_size > 0);
        const GridCell cell = m_cells[m_head];
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
        // Where memory runs short the ring stops growing, as at its limit:
        // the search goes on by scanning, so it needs no memory of its own.
        std::vector<GridCell> cells;
        try {
            cells.resize(std::min(m_limit, std::max<std::size_t>(64, 2 * count)));
        } catch (const std::bad_alloc&) {
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            cells[i] = pop();
        }
        m_cells = std::move(cells);
        m_head = 0;
        m_size = count;
        return true;
    }

    std::size_t m_limit;
    std::vector<GridCell> m_cells;
    std::size_t m_head = 0;
    std::size_t m_size = 0;
};

}  // namespace

std::optional<GridRoute> findGridRoute(WallGrid& grid, GridCell from, GridCell to) {
    grid.clearScratch();
    if (!grid.contains(from) || !grid.contains(to)) {
        return std::nullopt;
    }
    // The route doubles as the stack: the way back from a cell is the opposite
    // of the route's last move.
    GridRoute route(from);
    GridCell cell = from;
    std::size_t at = grid.index(cell);
    const auto moveAt = indexMoves(grid);
    grid.setScratch(at, kOnRoute);
    while (cell != to) {
        const unsigned tried = grid.scratch(at) - kOnRoute;
        const unsigned next = firstStepInto(grid, cell, at, tried, kUnvisited);
        if (next == 4) {
            // Never entered again, by findRoute's argument for its failed mark;
            // that keeps a maze with loops to one entry per cell.
            grid.setScratch(at, kFailed);
            if (route.moves() == 0) {
                grid.clearScratch();
                return std::nullopt;
            }
            const Step back = opposite(route.move(route.moves() - 1));
            route.pop();
            cell = neighbour(cell, back);
            at += moveAt[static_cast<int>(back)];
        } else {
            grid.setScratch(at, static_cast<std::uint8_t>(kOnRoute + next + 1));
            route.push(stepOf(next));
            cell = neighbour(cell, stepOf(next));
            at += moveAt[next];
            grid.setScratch(at, kOnRoute);
        }
    }
    grid.clearScratch();
    return route;
}

std::optional<GridRoute> findShortestRoute(WallGrid& grid, GridCell from, GridCell to,
                                           std::size_t queueCells) {
    assert(queueCells >= 1);
    grid.clearScratch();
    if (!grid.contains(from) || !grid.contains(to)) {
        return std::nullopt;
    }
    // Searched from the target, so that the route reads forwards from the start.
    CellRing ring(queueCells);
    std::uint8_t mark = 1;
    grid.setScratch(grid.index(to), mark);
    ring.push(to);
    bool levelInRing = true;
    const std::size_t fromAt = grid.index(from);
    while (grid.scratch(fromAt) == kUnreached) {
        const std::uint8_t reachedMark = nextMark(mark);
        bool reachedAny = false;
        bool overflow = false;
        const auto expand = [&](GridCell cell, std::size_t at) {
            for (unsigned number = firstStepInto(grid, cell, at, 0, kUnreached); number < 4;
                 number = firstStepInto(grid, cell, at, number + 1, kUnreached)) {
                const GridCell next = neighbour(cell, stepOf(number));
                grid.setScratch(grid.index(next), reachedMark);
                reachedAny = true;
                overflow = !ring.push(next) || overflow;
            }
        };
        if (levelInRing) {
            for (std::size_t left = ring.size(); left > 0; --left) {
                const GridCell cell = ring.pop();
                expand(cell, grid.index(cell));
            }
        } else {
            // The level did not fit the ring: find it by its mark. Cells three,
            // six, ... levels nearer carry the same mark, but every neighbour of
            // theirs is reached already, so expanding them adds nothing.
            std::size_t at = 0;
            for (int y = 0; y < grid.height(); ++y) {
                for (int x = 0; x < grid.width(); ++x, ++at) {
                    if (grid.scratch(at) == mark) {
                        expand({x, y}, at);
                    }
                }
            }
        }
        if (!reachedAny) {
            grid.clearScratch();
            return std::nullopt;
        }
        if (overflow) {
            ring.clear();
        }
        levelInRing = !overflow;
        mark = reachedMark;
    }

    GridRoute route(from);
    for (GridCell cell = from; cell != to; cell = neighbour(cell, route.move(route.moves() - 1))) {
        const std::size_t at = grid.index(cell);
        const unsigned next = firstStepInto(grid, cell, at, 0, previousMark(grid.scratch(at)));
        assert(next < 4);
        route.push(stepOf(next));
    }
    grid.clearScratch();
    return route;
}

}  // namespace nitka
