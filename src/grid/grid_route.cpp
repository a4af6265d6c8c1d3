#include "grid/grid_route.h"

#include <cassert>
#include <utility>

namespace nitka {

void GridRoute::push(Step step) {
    if (m_moves % 4 == 0) {
        m_packed.push_back(0);
    }
    const auto shift = 2 * (m_moves % 4);
    m_packed.back() = static_cast<std::uint8_t>((m_packed.back() & ~(3u << shift)) |
                                                static_cast<unsigned>(step) << shift);
    ++m_moves;
}

void GridRoute::pop() {
    assert(m_moves > 0);
    --m_moves;
    if (m_moves % 4 == 0) {
        m_packed.pop_back();
    }
}

void GridRoute::reverse() {
    GridRoute reversed;
    GridCell end = m_start;
    for (std::uint64_t i = 0; i < m_moves; ++i) {
        end = neighbour(end, move(i));
    }
    reversed.m_start = end;
    reversed.m_packed.reserve(m_packed.size());
    for (std::uint64_t i = m_moves; i-- > 0;) {
        reversed.push(opposite(move(i)));
    }
    *this = std::move(reversed);
}

}  // namespace nitka
