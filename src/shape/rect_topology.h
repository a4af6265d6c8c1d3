#pragma once

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

}  // namespace nitka
