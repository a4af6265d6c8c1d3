#pragma once

#include <cstdint>
#include <vector>

#include "shape/topology.h"

namespace nitka {

// A circular maze: a centre cell, a disc of radius 1, inside `rings` rings 1
// deep, ring y spanning radii y .. y + 1. Ring 1 has 6 cells; a ring doubles
// the cells of the ring inside it where they would otherwise be more than
// twice as wide (at the ring's middle) as they are deep, so every ring cell's
// width lies between half and twice its depth. Position 0 of every ring
// starts at the top (twelve o'clock) and positions run clockwise on the page.
// Neighbours in the order x + 1, inward, x - 1, then the outward cells in
// position order; the centre's are the first ring's cells. A ring cell holds
// its inward side (slot 0) and its side towards position x - 1 (slot 1), so
// position 0 holds the side it shares with the ring's last position.
class PolarTopology final : public Topology {
public:
    // Requires: rings >= 1.
    explicit PolarTopology(int rings);

    ShapeKind kind() const override { return ShapeKind::Polar; }
    int width() const override { return static_cast<int>(ringCells(m_rings)); }
    int height() const override { return m_rings; }
    CellId slotCount() const override { return m_cellCount; }
    bool isCell(CellId id) const override { return id < m_cellCount; }
    CellId cellCount() const override { return m_cellCount; }
    int neighbours(CellId cell, NeighbourList out) const override;
    HeldSide heldSide(CellId a, CellId b) const override;
    CellPosition position(CellId cell) const override;
    CellId cellAt(CellPosition position) const override;
    Point centre(CellId cell) const override;
    void outline(CellId cell, std::vector<Side>& out) const override;
    Point extent() const override;
    CellId start() const override { return 0; }
    CellId target() const override { return ringStart(m_rings); }

    // The cells of a ring (the centre, ring 0, has one) and the number of its
    // position 0. Requires: 0 <= ring <= height().
    std::int64_t ringCells(int ring) const { return bandOfRing(ring).cells; }
    CellId ringStart(int ring) const;

private:
    // Rings of equal cell counts, from the centre outward.
    struct Band {
        int firstRing;
        std::int64_t cells;
        CellId firstCell;
    };

    const Band& bandOfRing(int ring) const;
    const Band& bandOfCell(CellId cell) const;
    Point pointAt(double radius, std::int64_t position, std::int64_t positions) const;

    int m_rings;
    CellId m_cellCount;
    std::vector<Band> m_bands;
};

}  // namespace nitka
