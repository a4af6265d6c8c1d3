#pragma once

#include "shape/row_layout.h"

namespace nitka {

// Pointy-topped hexagons in offset rows, the cells of a mask: odd rows sit
// half a cell to the right. Neighbours in the order east, north-east,
// north-west, west, south-west, south-east. A cell holds the sides towards its
// neighbours of smaller number: west (slot 0), north-west (slot 1) and
// north-east (slot 2). Cells are 1 wide; rows lie sqrt(3)/2 apart.
class HexTopology final : public RowLayout {
public:
    explicit HexTopology(CellMask mask);

    ShapeKind kind() const override { return ShapeKind::Hex; }
    int neighbours(CellId cell, NeighbourList out) const override;
    HeldSide heldSide(CellId a, CellId b) const override;
    Point centre(CellId cell) const override;
    void outline(CellId cell, std::vector<Side>& out) const override;
    Point extent() const override;
};

}  // namespace nitka
