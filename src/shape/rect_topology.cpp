#include "shape/rect_topology.h"

#include <cassert>
#include <utility>
#include "shape/layout_extent.h"

namespace nitka {

RectTopology::RectTopology(CellMask mask) : RowLayout(std::move(mask)) {}

int RectTopology::neighbours(CellId cell, NeighbourList out) const {
    assert(isCell(cell));
    const auto width = static_cast<CellId>(mask().width());
    const CellPosition at = position(cell);
    int count = 0;
    const auto add = [&](bool inside, CellId next) {
        if (inside && mask().isCell(next)) {
            out[static_cast<std::size_t>(count++)] = next;
        }
    };
    add(at.x + 1 < mask().width(), cell + 1);
    add(at.y > 0, cell - width);
    add(at.x > 0, cell - 1);
    add(at.y + 1 < mask().height(), cell + width);
    return count;
}

HeldSide RectTopology::heldSide(CellId a, CellId b) const {
    const CellId holder = a > b ? a : b;
    const CellId other = a > b ? b : a;
    const auto width = static_cast<CellId>(mask().width());
    assert(holder - other == 1 || holder - other == width);
    // The row test first: in a maze one cell wide the cell above is also one back.
    return {holder, holder - other == width ? 0 : 1};
}

Point RectTopology::centre(CellId cell) const {
    const CellPosition at = position(cell);
    return {static_cast<double>(at.x) + 0.5, static_cast<double>(at.y) + 0.5};
}

void RectTopology::outline(CellId cell, std::vector<Side>& out) const {
    const CellPosition at = position(cell);
    const auto x = static_cast<double>(at.x);
    const auto y = static_cast<double>(at.y);
    const auto width = static_cast<CellId>(mask().width());
    const auto across = [&](bool inside, CellId next) {
        return inside && mask().isCell(next) ? next : kNoCell;
    };
    out.clear();
    out.push_back({{x, y}, {x + 1, y}, false, {}, across(at.y > 0, cell - width)});
    out.push_back(
        {{x + 1, y}, {x + 1, y + 1}, false, {}, across(at.x + 1 < mask().width(), cell + 1)});
    out.push_back(
        {{x + 1, y + 1}, {x, y + 1}, false, {}, across(at.y + 1 < mask().height(), cell + width)});
    out.push_back({{x, y + 1}, {x, y}, false, {}, across(at.x > 0, cell - 1)});
}

Point RectTopology::extent() const {
    return layoutExtent(ShapeKind::Rect, mask().width(), mask().height());
}

}  // namespace nitka
