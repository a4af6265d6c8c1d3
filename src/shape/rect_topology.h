#pragma once

#include "shape/cell_mask.h"
#include "shape/topology.h"

namespace nitka {

// Squares in rows, the cells of a mask. Neighbours in the window's step order:
// right, up, left, down. A cell holds its top side (slot 0) and its left side
// (slot 1), as the window's file stores them. Cell (x, y) spans (x, y) ..
// (x + 1, y + 1) on the page.
class RectTopology final : public Topology {
public:
    explicit RectTopology(CellMask mask);

    ShapeKind kind() const override { return ShapeKind::Rect; }
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
