#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

// What the searches on a WallGrid and on a maze of any shape share: the marks
// they keep in the scratch bits and the breadth-first search's queue.
namespace nitka::search {

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

// A first-in first-out ring of cells (a GridCell, a CellId) that grows as
// needed up to a limit and then refuses a cell: most levels are far smaller
// than the limit.
template <typename Cell>
class CellRing {
public:
    explicit CellRing(std::size_t limit) : m_limit(limit) {}

    std::size_t size() const { return m_size; }
    bool push(Cell cell) {
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
    Cell pop() {
        assert(m_size > 0);
        const Cell cell = m_cells[m_head];
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
        std::vector<Cell> cells;
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
    std::vector<Cell> m_cells;
    std::size_t m_head = 0;
    std::size_t m_size = 0;
};

}  // namespace nitka::search
