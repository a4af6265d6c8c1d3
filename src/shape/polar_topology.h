#pragma once

#include <cassert>

#include <algorithm>

#include <cstdint>
#include <vector>

#include "shape/row_layout.h"
#include "shape/topology.h"

namespace nitka {

// The cells of a polar maze's first ring around its centre.
inline constexpr std::int64_t kPolarFirstRingCells = 6;

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
    int neighbours(CellId cell, NeighbourList out) const override {
        return cellsOfLinks(*this, cell, out);
    }
    int links(CellId cell, LinkArray& out) const;
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

inline const PolarTopology::Band& PolarTopology::bandOfRing(int ring) const {
    assert(ring >= 0 && ring <= m_rings);
    const auto after = std::upper_bound(m_bands.begin(), m_bands.end(), ring,
                                        [](int r, const Band& band) { return r < band.firstRing; });
    return *(after - 1);
}

inline const PolarTopology::Band& PolarTopology::bandOfCell(CellId cell) const {
    assert(cell < m_cellCount);
    const auto after =
        std::upper_bound(m_bands.begin(), m_bands.end(), cell,
                         [](CellId c, const Band& band) { return c < band.firstCell; });
    return *(after - 1);
}

inline CellId PolarTopology::ringStart(int ring) const {
    const Band& band = bandOfRing(ring);
    return band.firstCell +
           static_cast<CellId>(ring - band.firstRing) * static_cast<CellId>(band.cells);
}

inline CellPosition PolarTopology::position(CellId cell) const {
    const Band& band = bandOfCell(cell);
    const auto cells = static_cast<CellId>(band.cells);
    const CellId into = cell - band.firstCell;
    return {static_cast<std::int64_t>(into % cells),
            band.firstRing + static_cast<std::int64_t>(into / cells)};
}

inline CellId PolarTopology::cellAt(CellPosition at) const {
    if (at.y < 0 || at.y > m_rings || at.x < 0) {
        return kNoCell;
    }
    const int ring = static_cast<int>(at.y);
    return at.x < ringCells(ring) ? ringStart(ring) + static_cast<CellId>(at.x) : kNoCell;
}

inline int PolarTopology::links(CellId cell, LinkArray& out) const {
    assert(isCell(cell));
    // Every ring cell holds its inward side and its side towards x - 1.
    if (cell == 0) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(kPolarFirstRingCells); ++i) {
            out[i] = {1 + i, {1 + i, 0}};
        }
        return static_cast<int>(kPolarFirstRingCells);
    }
    // The rings on either side lie in this band or the next one to it, so one
    // search finds all three.
    const auto band = std::upper_bound(m_bands.begin(), m_bands.end(), cell,
                                       [](CellId c, const Band& b) { return c < b.firstCell; }) -
                      1;
    const std::int64_t cells = band->cells;
    const CellPosition into = rowPosition(cell - band->firstCell, static_cast<int>(cells));
    const std::int64_t x = into.x;
    const int ring = band->firstRing + static_cast<int>(into.y);
    const CellId first = cell - static_cast<CellId>(x);
    int count = 0;
    const auto add = [&](CellId next, bool nextHolds, int slot) {
        out[static_cast<std::size_t>(count++)] = {next, {nextHolds ? next : cell, slot}};
    };
    add(first + static_cast<CellId>(x + 1 == cells ? 0 : x + 1), true, 1);
    const std::int64_t inwardCells = ring == band->firstRing ? (band - 1)->cells : cells;
    add(first - static_cast<CellId>(inwardCells) +
            static_cast<CellId>(inwardCells == cells ? x : x / (cells / inwardCells)),
        false, 0);
    add(first + static_cast<CellId>(x == 0 ? cells - 1 : x - 1), false, 1);
    if (ring < m_rings) {
        const auto next = band + 1;
        const bool doubles = next != m_bands.end() && next->firstRing == ring + 1;
        const CellId outward =
            first + static_cast<CellId>(cells) + static_cast<CellId>(doubles ? 2 * x : x);
        add(outward, true, 0);
        if (doubles) {
            add(outward + 1, true, 0);
        }
    }
    return count;
}

inline HeldSide PolarTopology::heldSide(CellId a, CellId b) const {
    const CellPosition atA = position(a);
    const CellPosition atB = position(b);
    if (atA.y != atB.y) {
        assert(atA.y + 1 == atB.y || atB.y + 1 == atA.y);
        return {atA.y > atB.y ? a : b, 0};
    }
    const std::int64_t cells = ringCells(static_cast<int>(atA.y));
    const bool bBeforeA = (atA.x + cells - 1) % cells == atB.x;
    assert(bBeforeA || (atB.x + cells - 1) % cells == atA.x);
    return {bBeforeA ? a : b, 1};
}

}  // namespace nitka
