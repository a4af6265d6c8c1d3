#include "shape/row_layout.h"

#include <utility>

namespace nitka {

RowLayout::RowLayout(CellMask mask) : m_mask(std::move(mask)) {}

CellPosition RowLayout::position(CellId cell) const {
    const auto width = static_cast<CellId>(m_mask.width());
    return {static_cast<std::int64_t>(cell % width), static_cast<std::int64_t>(cell / width)};
}

CellId RowLayout::cellAt(CellPosition at) const {
    if (at.x < 0 || at.y < 0 || at.x >= m_mask.width() || at.y >= m_mask.height()) {
        return kNoCell;
    }
    const auto id =
        static_cast<CellId>(at.y) * static_cast<CellId>(m_mask.width()) + static_cast<CellId>(at.x);
    return m_mask.isCell(id) ? id : kNoCell;
}

}  // namespace nitka
