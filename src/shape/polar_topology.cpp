#include "shape/polar_topology.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <numbers>
#include <numeric>
#include "shape/layout_extent.h"

namespace nitka {
PolarTopology::PolarTopology(int rings) : m_rings(rings) {
    assert(rings >= 1);
    m_bands.push_back({0, 1, 0});
    m_bands.push_back({1, kPolarFirstRingCells, 1});
    CellId next = 1 + kPolarFirstRingCells;
    for (int ring = 2; ring <= rings; ++ring) {
        const std::int64_t cells = m_bands.back().cells;
        // Width at the middle, 2 pi (ring + 1/2) / cells, past twice the depth
        // of 1: doubling brings it back to between 1 and 5/3, since a ring's
        // middle is at most 5/3 as long as the one inside it.
        if (std::numbers::pi * (ring + 0.5) > static_cast<double>(cells)) {
            m_bands.push_back({ring, cells * 2, next});
        }
        next += static_cast<CellId>(m_bands.back().cells);
    }
    m_cellCount = next;
}

Point PolarTopology::pointAt(double radius, std::int64_t position, std::int64_t positions) const {
    // The fraction of a turn in lowest terms, so that rings of different cell
    // counts give a shared corner bit for bit the same coordinates.
    // A whole turn is no turn, for the same reason.
    const std::int64_t wrapped = position % positions;
    const std::int64_t common = std::gcd(wrapped, positions);
    const double turn = static_cast<double>(wrapped / common) /
                        static_cast<double>(positions / common) * 2 * std::numbers::pi;
    const double middle = m_rings + 1.0;
    return {middle + radius * std::sin(turn), middle - radius * std::cos(turn)};
}

Point PolarTopology::centre(CellId cell) const {
    if (cell == 0) {
        return {m_rings + 1.0, m_rings + 1.0};
    }
    const CellPosition at = position(cell);
    return pointAt(static_cast<double>(at.y) + 0.5, 2 * at.x + 1,
                   2 * ringCells(static_cast<int>(at.y)));
}

void PolarTopology::outline(CellId cell, std::vector<Side>& out) const {
    const Point middle{m_rings + 1.0, m_rings + 1.0};
    const auto arc = [&](double radius, std::int64_t from, std::int64_t to, std::int64_t positions,
                         CellId across) {
        out.push_back({pointAt(radius, from, positions), pointAt(radius, to, positions), true,
                       middle, across});
    };
    out.clear();
    if (cell == 0) {
        for (std::int64_t x = 0; x < kPolarFirstRingCells; ++x) {
            arc(1, x, x + 1, kPolarFirstRingCells, 1 + static_cast<CellId>(x));
        }
        return;
    }
    std::array<CellId, kMaxNeighbours> near{};
    const int count = neighbours(cell, near);
    const CellPosition at = position(cell);
    const int ring = static_cast<int>(at.y);
    const std::int64_t cells = ringCells(ring);
    const auto inner = static_cast<double>(ring);
    const double outer = inner + 1;
    if (ring == m_rings) {
        arc(outer, at.x, at.x + 1, cells, kNoCell);
    } else {
        const std::int64_t split = count - 3;
        for (std::int64_t i = 0; i < split; ++i) {
            arc(outer, at.x * split + i, at.x * split + i + 1, cells * split,
                near[static_cast<std::size_t>(3 + i)]);
        }
    }
    out.push_back(
        {pointAt(outer, at.x + 1, cells), pointAt(inner, at.x + 1, cells), false, {}, near[0]});
    arc(inner, at.x + 1, at.x, cells, near[1]);
    out.push_back({pointAt(inner, at.x, cells), pointAt(outer, at.x, cells), false, {}, near[2]});
}

Point PolarTopology::extent() const {
    return layoutExtent(ShapeKind::Polar, 1, m_rings);
}

}  // namespace nitka
