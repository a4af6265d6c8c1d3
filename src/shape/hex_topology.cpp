#include "shape/hex_topology.h"

#include <array>
#include <cassert>
#include <cmath>
#include <utility>
#include "shape/layout_extent.h"

namespace nitka {
namespace {

// A hexagon's circumradius when its width is 1.
const double kRadius = 1.0 / std::sqrt(3.0);

// Corners and centres lie on levels a quarter of a hexagon's height apart;
// every point is computed from its level number alone, so that two cells
// sharing a corner give it bit for bit the same coordinates.
double level(std::int64_t step) {
    return static_cast<double>(step) * (kRadius / 2);
}

}  // namespace

HexTopology::HexTopology(CellMask mask) : RowLayout(std::move(mask)) {}

Point HexTopology::centre(CellId cell) const {
    const CellPosition at = position(cell);
    const double shift = at.y % 2 == 0 ? 0.5 : 1.0;
    return {static_cast<double>(at.x) + shift, level(3 * at.y + 2)};
}

void HexTopology::outline(CellId cell, std::vector<Side>& out) const {
    const CellPosition at = position(cell);
    const double middle = static_cast<double>(at.x) + (at.y % 2 == 0 ? 0.5 : 1.0);
    const double left = middle - 0.5;
    const double right = middle + 0.5;
    const std::int64_t top = 3 * at.y;
    const Point corners[6] = {{middle, level(top)},    {right, level(top + 1)},
                              {right, level(top + 3)}, {middle, level(top + 4)},
                              {left, level(top + 3)},  {left, level(top + 1)}};
    // The side after each corner, clockwise from the top, faces these steps:
    // north-east, east, south-east, south-west, west, north-west.
    constexpr std::array<int, 6> kFacing{1, 0, 5, 4, 3, 2};
    const auto& steps = hexStepsOf(at.y);
    out.clear();
    for (std::size_t i = 0; i < 6; ++i) {
        const HexStep step = steps[static_cast<std::size_t>(kFacing[i])];
        out.push_back({corners[i],
                       corners[(i + 1) % 6],
                       false,
                       {},
                       cellAt({at.x + step.dx, at.y + step.dy})});
    }
}

Point HexTopology::extent() const {
    return layoutExtent(ShapeKind::Hex, mask().width(), mask().height());
}

}  // namespace nitka
