#pragma once

#include <cassert>

#include "shape/row_layout.h"

namespace nitka {

// Squares in rows, the cells of a mask. Neighbours in the window's step order:
// right, up, left, down. A cell holds its top side (slot 0) and its left side
// (slot 1), as the window's file stores them. Cell (x, y) spans (x, y) ..
// (x + 1, y + 1) on the page.
class RectTopology final : public RowLayout {
public:
    explicit RectTopology(CellMask mask);

    ShapeKind kind() const override { return ShapeKind::Rect; }
    int neighbours(CellId cell, NeighbourList out) const override;
    HeldSide heldSide(CellId a, CellId b) const override;
    Point centre(CellId cell) const override;
    void outline(CellId cell, std::vector<Side>& out) const override;
    Point extent() const override;
};

inline int RectTopology::neighbours(CellId cell, NeighbourList out) const {
    assert(isCell(cell));
    const auto width = static_cast<CellId>(mask().width());
    const CellPosition at = position(cell);
    int count = 0;
    const auto add = [&](bool inside, CellId next) {
        if (inside && mask().isCell(next)) {
            out[static_cast<std::size_t>(count++)] = next;
        }
    };
    add(at.x + 1 < mask().width(), cell + 1);
    add(at.y > 0, cell - width);
    add(at.x > 0, cell - 1);
    add(at.y + 1 < mask().height(), cell + width);
    return count;
}

inline HeldSide RectTopology::heldSide(CellId a, CellId b) const {
    const CellId holder = a > b ? a : b;
    const CellId other = a > b ? b : a;
    const auto width = static_cast<CellId>(mask().width());
    assert(holder - other == 1 || holder - other == width);
    // The row test first: in a maze one cell wide the cell above is also one back.
    return {holder, holder - other == width ? 0 : 1};
}

}  // namespace nitka
