#include "shape/cell_mask.h"

#include <bit>
#include <cassert>

namespace nitka {

CellMask::CellMask(int width, int height)
    : m_width(width), m_height(height), m_cells(places()), m_bits((places() + 63) / 64, ~0ull) {
    assert(width >= 1 && height >= 1);
    // The bits past the last place stay clear, so that whole words count.
    if (const auto spare = places() % 64; spare != 0) {
        m_bits.back() = (1ull << spare) - 1;
    }
}

void CellMask::set(std::uint64_t place, bool cell) {
    assert(place < places());
    if (cell == isCell(place)) {
        return;
    }
    m_bits[place >> 6] ^= 1ull << (place & 63);
    m_cells = cell ? m_cells + 1 : m_cells - 1;
}

std::uint64_t CellMask::first() const {
    for (std::uint64_t word = 0; word < m_bits.size(); ++word) {
        if (m_bits[word] != 0) {
            return word * 64 + static_cast<std::uint64_t>(std::countr_zero(m_bits[word]));
        }
    }
    assert(false && "a mask without cells has no first cell");
    return 0;
}

std::uint64_t CellMask::last() const {
    for (std::uint64_t word = m_bits.size(); word-- > 0;) {
        if (m_bits[word] != 0) {
            return word * 64 + 63 - static_cast<std::uint64_t>(std::countl_zero(m_bits[word]));
        }
    }
    assert(false && "a mask without cells has no last cell");
    return 0;
}

}  // namespace nitka
