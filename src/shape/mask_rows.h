#pragma once

#include <cstdint>
#include <vector>

#include "shape/cell_mask.h"

namespace nitka {

// A mask gathered a row at a time, its width unknown until the end: holds a
// bit a place read, so that a header that claims more than the input holds
// costs nothing. Rows shorter than the longest end in places that are no
// cells.
class MaskRows {
public:
    // Throws ShapeError, naming line (1-based), past the largest mask side.
    void add(bool cell, std::int64_t line);
    // Throws ShapeError past the largest mask side.
    void endRow();
    std::int64_t rowLength() const { return m_rowLength; }

    // The mask of the rows ended so far. Throws ShapeError when they hold no
    // cell or more places than a mask may have.
    CellMask finish() const;

private:
    std::vector<std::uint64_t> m_bits;
    std::uint64_t m_read = 0;
    std::vector<std::int64_t> m_rowEnds;
    std::int64_t m_rowLength = 0;
    std::int64_t m_width = 0;
    bool m_anyCell = false;
};

}  // namespace nitka
