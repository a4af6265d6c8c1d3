#pragma once

#include <cassert>

#include "shape/row_layout.h"

namespace nitka {

// Equilateral triangles of side 1 in rows, the cells of a mask: cell (x, y)
// points up when x + y is even, down otherwise, and spans x / 2 .. x / 2 + 1
// across its row. Neighbours in the rectangle's order, as present: right, up
// (the cell above a down-pointing one), left, down (the cell below an
// up-pointing one). A cell holds its side to the left (slot 0) and, pointing
// down, its side to the cell above (slot 1).
class TriangleTopology final : public RowLayout {
public:
    explicit TriangleTopology(CellMask mask);

    ShapeKind kind() const override { return ShapeKind::Triangle; }
    int neighbours(CellId cell, NeighbourList out) const override {
        return cellsOfLinks(*this, cell, out);
    }
    int links(CellId cell, LinkArray& out) const;
    HeldSide heldSide(CellId a, CellId b) const override;
    Point centre(CellId cell) const override;
    void outline(CellId cell, std::vector<Side>& out) const override;
    Point extent() const override;
};

// Whether cell (x, y) points up.
inline constexpr bool trianglePointsUp(CellPosition at) {
    return (at.x + at.y) % 2 == 0;
}

inline int TriangleTopology::links(CellId cell, LinkArray& out) const {
    assert(isCell(cell));
    const CellPosition at = position(cell);
    const bool up = trianglePointsUp(at);
    int count = 0;
    // The cell to the right, or the down-pointing one below, holds the side.
    const auto add = [&](bool across, int dx, int dy, bool nextHolds, int slot) {
        const CellId next = across ? cellBeside(cell, at, dx, dy) : kNoCell;
        if (next != kNoCell) {
            out[static_cast<std::size_t>(count++)] = {next, {nextHolds ? next : cell, slot}};
        }
    };
    add(true, 1, 0, true, 0);
    add(!up, 0, -1, false, 1);
    add(true, -1, 0, false, 0);
    add(up, 0, 1, true, 1);
    return count;
}

inline HeldSide TriangleTopology::heldSide(CellId a, CellId b) const {
    const CellId holder = a > b ? a : b;
    const CellId other = a > b ? b : a;
    // The row test first: in a maze one cell wide the cell above is also one back.
    if (holder - other == static_cast<CellId>(mask().width())) {
        assert(!trianglePointsUp(position(holder)));
        return {holder, 1};
    }
    assert(other + 1 == holder);
    return {holder, 0};
}

}  // namespace nitka
