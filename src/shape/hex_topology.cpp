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

// The steps to the six neighbours in the fixed order, for even and odd rows.
struct Step {
    int dx;
    int dy;
};
constexpr std::array<Step, 6> kEvenRowSteps{{{1, 0}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}}};
constexpr std::array<Step, 6> kOddRowSteps{{{1, 0}, {1, -1}, {0, -1}, {-1, 0}, {0, 1}, {1, 1}}};

const std::array<Step, 6>& stepsOf(std::int64_t row) {
    return row % 2 == 0 ? kEvenRowSteps : kOddRowSteps;
}

}  // namespace

HexTopology::HexTopology(CellMask mask) : RowLayout(std::move(mask)) {}

int HexTopology::neighbours(CellId cell, NeighbourList out) const {
    assert(isCell(cell));
    const CellPosition at = position(cell);
    int count = 0;
    for (const Step step : stepsOf(at.y)) {
        const CellId next = cellAt({at.x + step.dx, at.y + step.dy});
        if (next != kNoCell) {
            out[static_cast<std::size_t>(count++)] = next;
        }
    }
    return count;
}

HeldSide HexTopology::heldSide(CellId a, CellId b) const {
    const CellId holder = a > b ? a : b;
    const CellPosition at = position(holder);
    const CellPosition other = position(a > b ? b : a);
    if (other.y == at.y) {
        assert(other.x + 1 == at.x);
        return {holder, 0};
    }
    assert(other.y + 1 == at.y);
    const std::int64_t northWest = at.y % 2 == 0 ? at.x - 1 : at.x;
    assert(other.x == northWest || other.x == northWest + 1);
    return {holder, other.x == northWest ? 1 : 2};
}

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
    const auto& steps = stepsOf(at.y);
    out.clear();
    for (std::size_t i = 0; i < 6; ++i) {
        const Step step = steps[static_cast<std::size_t>(kFacing[i])];
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
