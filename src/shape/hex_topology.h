#pragma once

#include <cassert>

#include <array>
#include <cstdint>

#include "shape/row_layout.h"

namespace nitka {

// The steps to the six neighbours in the fixed order, for even and odd rows,
// and which of the two cells holds the side between: the one further on in
// reading order, in the slot that faces the other.
struct HexStep {
    int dx;
    int dy;
    bool nextHolds;
    int slot;
};
inline constexpr std::array<HexStep, 6> kHexEvenRowSteps{{{1, 0, true, 0},
                                                          {0, -1, false, 2},
                                                          {-1, -1, false, 1},
                                                          {-1, 0, false, 0},
                                                          {-1, 1, true, 2},
                                                          {0, 1, true, 1}}};
inline constexpr std::array<HexStep, 6> kHexOddRowSteps{{{1, 0, true, 0},
                                                         {1, -1, false, 2},
                                                         {0, -1, false, 1},
                                                         {-1, 0, false, 0},
                                                         {0, 1, true, 2},
                                                         {1, 1, true, 1}}};

inline const std::array<HexStep, 6>& hexStepsOf(std::int64_t row) {
    return row % 2 == 0 ? kHexEvenRowSteps : kHexOddRowSteps;
}

// Pointy-topped hexagons in offset rows, the cells of a mask: odd rows sit
// half a cell to the right. Neighbours in the order east, north-east,
// north-west, west, south-west, south-east. A cell holds the sides towards its
// neighbours of smaller number: west (slot 0), north-west (slot 1) and
// north-east (slot 2). Cells are 1 wide; rows lie sqrt(3)/2 apart.
class HexTopology final : public RowLayout {
public:
    explicit HexTopology(CellMask mask);

    ShapeKind kind() const override { return ShapeKind::Hex; }
    int neighbours(CellId cell, NeighbourList out) const override {
        return cellsOfLinks(*this, cell, out);
    }
    int links(CellId cell, LinkArray& out) const;
    HeldSide heldSide(CellId a, CellId b) const override;
    Point centre(CellId cell) const override;
    void outline(CellId cell, std::vector<Side>& out) const override;
    Point extent() const override;
};

inline int HexTopology::links(CellId cell, LinkArray& out) const {
    assert(isCell(cell));
    const CellPosition at = position(cell);
    int count = 0;
    for (const HexStep step : hexStepsOf(at.y)) {
        const CellId next = cellBeside(cell, at, step.dx, step.dy);
        if (next != kNoCell) {
            out[static_cast<std::size_t>(count++)] = {next,
                                                      {step.nextHolds ? next : cell, step.slot}};
        }
    }
    return count;
}

inline HeldSide HexTopology::heldSide(CellId a, CellId b) const {
    const CellId holder = a > b ? a : b;
    const CellId other = a > b ? b : a;
    const CellPosition at = position(holder);
    const CellId rowStart = holder - static_cast<CellId>(at.x);
    if (other >= rowStart) {
        assert(other + 1 == holder);
        return {holder, 0};
    }
    // The other lies in the row above, at column otherX.
    const auto otherX =
        static_cast<std::int64_t>(other - (rowStart - static_cast<CellId>(mask().width())));
    const std::int64_t northWest = at.y % 2 == 0 ? at.x - 1 : at.x;
    assert(otherX == northWest || otherX == northWest + 1);
    return {holder, otherX == northWest ? 1 : 2};
}

}  // namespace nitka
