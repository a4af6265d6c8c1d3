#include "shape/rect_topology.h"

#include <cassert>
#include <utility>
#include "shape/layout_extent.h"

namespace nitka {

RectTopology::RectTopology(CellMask mask) : RowLayout(std::move(mask)) {}

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
