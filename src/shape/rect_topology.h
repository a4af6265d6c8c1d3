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
    int neighbours(CellId cell, NeighbourList out) const override {
        return cellsOfLinks(*this, cell, out);
    }
    int links(CellId cell, LinkArray& out) const;
    HeldSide heldSide(CellId a, CellId b) const override;
    Point centre(CellId cell) const override;
    void outline(CellId cell, std::vector<Side>& out) const override;
    Point extent() const override;
};

// The links of square cell at `at` in rows width wide and height high, those
// into cells isCell accepts: the right and lower neighbours hold the sides
// towards cell, cell those above and to its left. In a maze one cell wide the
// cell above is also one back, so which neighbour a step reaches is told by
// the step, not by the difference of the numbers.
template <typename IsCell>
int squareLinks(CellId cell, CellPosition at, int width, int height, IsCell&& isCell,
                LinkArray& out) {
    const auto across = static_cast<CellId>(width);
    int count = 0;
    const auto add = [&](bool inside, CellId next, CellId holder, int slot) {
        if (inside && isCell(next)) {
            out[static_cast<std::size_t>(count++)] = {next, {holder, slot}};
        }
    };
    add(at.x + 1 < width, cell + 1, cell + 1, 1);
    add(at.y > 0, cell - across, cell, 0);
    add(at.x > 0, cell - 1, cell, 1);
    add(at.y + 1 < height, cell + across, cell + across, 0);
    return count;
}

inline int RectTopology::links(CellId cell, LinkArray& out) const {
    assert(isCell(cell));
    return squareLinks(
        cell, position(cell), mask().width(), mask().height(),
        [&](CellId next) { return mask().isCell(next); }, out);
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
