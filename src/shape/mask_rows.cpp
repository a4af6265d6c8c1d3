#include "shape/mask_rows.h"

#include <algorithm>
#include <string>

#include "grid/size_limits.h"
#include "shape/shape_error.h"

namespace nitka {

void MaskRows::add(bool cell, std::int64_t line) {
    if (m_rowLength == kMaxGridSide) {
        throw ShapeError("line " + std::to_string(line) + ": longer than " +
                         std::to_string(kMaxGridSide) + " places");
    }
    if (m_read % 64 == 0) {
        m_bits.push_back(0);
    }
    if (cell) {
        m_bits.back() |= std::uint64_t{1} << (m_read % 64);
        m_anyCell = true;
    }
    ++m_read;
    ++m_rowLength;
}

void MaskRows::endRow() {
    if (static_cast<std::int64_t>(m_rowEnds.size()) == kMaxGridSide) {
        throw ShapeError("more than " + std::to_string(kMaxGridSide) + " rows");
    }
    m_rowEnds.push_back(static_cast<std::int64_t>(m_read));
    m_width = std::max(m_width, m_rowLength);
    m_rowLength = 0;
}

CellMask MaskRows::finish() const {
    if (!m_anyCell) {
        throw ShapeError("no cells: every place is a hole");
    }
    const auto height = static_cast<std::int64_t>(m_rowEnds.size());
    if (static_cast<std::uint64_t>(m_width) * static_cast<std::uint64_t>(height) > kMaxGridCells) {
        throw ShapeError(std::to_string(m_width) + " x " + std::to_string(height) +
                         " places, more than the " + std::to_string(kMaxGridCells) +
                         " a mask may have");
    }
    CellMask mask(static_cast<int>(m_width), static_cast<int>(height));
    std::uint64_t rowFirst = 0;
    for (std::int64_t y = 0; y < height; ++y) {
        const auto place = static_cast<std::uint64_t>(y) * static_cast<std::uint64_t>(m_width);
        const auto end = static_cast<std::uint64_t>(m_rowEnds[static_cast<std::size_t>(y)]);
        for (std::uint64_t x = 0; x < static_cast<std::uint64_t>(m_width); ++x) {
            const std::uint64_t read = rowFirst + x;
            if (read >= end || (m_bits[read / 64] >> (read % 64) & 1u) == 0) {
                mask.set(place + x, false);
            }
        }
        rowFirst = end;
    }
    return mask;
}

}  // namespace nitka
