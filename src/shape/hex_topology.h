#pragma once

#include "shape/cell_mask.h"
#include "shape/topology.h"

namespace nitka {

// Pointy-topped hexagons in offset rows, the cells of a mask: odd rows sit
// half a cell to the right. Neighbours in the order east, north-east,
// north-west, west, south-west, south-east. A cell holds the sides towards its
// neighbours of smaller number: west (slot 0), north-west (slot 1) and
// north-east (slot 2). Cells are 1 wide; rows lie sqrt(3)/2 apart.
class HexTopology final : public Topology {
public:
    explicit HexTopology(CellMask mask);

    ShapeKind kind() const override { return ShapeKind::Hex; }
    int width() const override { return m_mask.width(); }
    int height() const override { return m_mask.height(); }
    CellId slotCount() const override { return m_mask.places(); }
    bool isCell(CellId id) const override { return id < slotCount() && m_mask.isCell(id); }
    CellId cellCount() const override { return m_mask.cellCount(); }
    int neighbours(CellId cell, NeighbourList out) const override;
    HeldSide heldSide(CellId a, CellId b) const override;
    CellPosition position(CellId cell) const override;
    CellId cellAt(CellPosition position) const override;
    Point centre(CellId cell) const override;
    void outline(CellId cell, std::vector<Side>& out) const override;
    Point extent() const override;
    CellId start() const override { return m_mask.first(); }
    CellId target() const override { return m_mask.last(); }

private:
    CellMask m_mask;
};

}  // namespace nitka
