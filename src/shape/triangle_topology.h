#pragma once

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
    int neighbours(CellId cell, NeighbourList out) const override;
    HeldSide heldSide(CellId a, CellId b) const override;
    Point centre(CellId cell) const override;
    void outline(CellId cell, std::vector<Side>& out) const override;
    Point extent() const override;
};

}  // namespace nitka
