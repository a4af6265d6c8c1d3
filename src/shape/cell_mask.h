#pragma once

#include <cstdint>
#include <vector>

namespace nitka {

// Which places of a width x height layout are cells, one bit each, in reading
// order. A layout without a mask is a mask of all cells.
class CellMask {
public:
    // Every place a cell. Requires: width >= 1, height >= 1.
    CellMask(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::uint64_t places() const { return static_cast<std::uint64_t>(m_width) * m_height; }
    bool full() const { return m_cells == places(); }
    std::uint64_t cellCount() const { return m_cells; }

    bool isCell(std::uint64_t place) const {
        return (m_bits[place >> 6] >> (place & 63) & 1u) != 0;
    }
    void set(std::uint64_t place, bool cell);

    // The first and last cells in reading order. Requires: cellCount() > 0.
    std::uint64_t first() const;
    std::uint64_t last() const;

private:
    int m_width;
    int m_height;
    std::uint64_t m_cells;
    std::vector<std::uint64_t> m_bits;
};

}  // namespace nitka
