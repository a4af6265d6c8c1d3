#pragma once

#include "shape/cell_mask.h"
#include "shape/topology.h"

namespace nitka {

// What the shapes laid out in rows of a mask (squares, hexagons, triangles)
// answer alike: cells numbered row by row, a cell's position its column and
// row, the first and last cells of the mask its start and target. Each shape
// adds how its cells touch and are drawn.
class RowLayout : public Topology {
public:
    int width() const final { return m_mask.width(); }
    int height() const final { return m_mask.height(); }
    CellId slotCount() const final { return m_mask.places(); }
    bool isCell(CellId id) const final {
        return id < slotCount() && (m_holeFree || m_mask.isCell(id));
    }
    CellId cellCount() const final { return m_mask.cellCount(); }
    CellPosition position(CellId cell) const final;
    CellId cellAt(CellPosition position) const final;
    CellId start() const final { return m_mask.first(); }
    CellId target() const final { return m_mask.last(); }

protected:
    explicit RowLayout(CellMask mask);

    const CellMask& mask() const { return m_mask; }

    // The cell dx, dy from cell (at its position), or kNoCell off the layout
    // or on a hole: a neighbour found without dividing again.
    CellId cellBeside(CellId cell, CellPosition at, int dx, int dy) const {
        const std::int64_t x = at.x + dx;
        const std::int64_t y = at.y + dy;
        if (x < 0 || y < 0 || x >= m_mask.width() || y >= m_mask.height()) {
            return kNoCell;
        }
        const CellId next = cell + static_cast<CellId>(std::int64_t{dy} * m_mask.width() + dx);
        return m_holeFree || m_mask.isCell(next) ? next : kNoCell;
    }

private:
    CellMask m_mask;
    // Most layouts have no holes: their neighbours need no look at the mask.
    bool m_holeFree;
};

// The column and row of a place of rows width places long. Searches ask this
// of every cell they reach; a division of 32 bits, where the place fits one,
// takes a fraction of the time of one of 64.
inline CellPosition rowPosition(CellId place, int width) {
    if (place <= 0xFFFFFFFFu) {
        const auto narrow = static_cast<std::uint32_t>(place);
        const auto across = static_cast<std::uint32_t>(width);
        return {narrow % across, narrow / across};
    }
    const auto across = static_cast<CellId>(width);
    return {static_cast<std::int64_t>(place % across), static_cast<std::int64_t>(place / across)};
}

inline CellPosition RowLayout::position(CellId cell) const {
    return rowPosition(cell, m_mask.width());
}

inline CellId RowLayout::cellAt(CellPosition at) const {
    if (at.x < 0 || at.y < 0 || at.x >= m_mask.width() || at.y >= m_mask.height()) {
        return kNoCell;
    }
    const auto id =
        static_cast<CellId>(at.y) * static_cast<CellId>(m_mask.width()) + static_cast<CellId>(at.x);
    return m_holeFree || m_mask.isCell(id) ? id : kNoCell;
}

}  // namespace nitka
