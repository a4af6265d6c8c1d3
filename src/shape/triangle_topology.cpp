#include "shape/triangle_topology.h"

#include <cassert>
#include <cmath>
#include <utility>
#include "shape/layout_extent.h"

namespace nitka {
namespace {

const double kRowHeight = std::sqrt(3.0) / 2;

double rowTop(std::int64_t row) {
    return static_cast<double>(row) * kRowHeight;
}

}  // namespace

TriangleTopology::TriangleTopology(CellMask mask) : RowLayout(std::move(mask)) {}

Point TriangleTopology::centre(CellId cell) const {
    const CellPosition at = position(cell);
    // The centroid lies a third of the height from the base.
    const double fromTop = trianglePointsUp(at) ? 2.0 / 3.0 : 1.0 / 3.0;
    return {static_cast<double>(at.x) * 0.5 + 0.5, rowTop(at.y) + fromTop * kRowHeight};
}

void TriangleTopology::outline(CellId cell, std::vector<Side>& out) const {
    const CellPosition at = position(cell);
    const double left = static_cast<double>(at.x) * 0.5;
    const double middle = left + 0.5;
    const double right = left + 1;
    const double top = rowTop(at.y);
    const double bottom = rowTop(at.y + 1);
    const CellId toRight = cellAt({at.x + 1, at.y});
    const CellId toLeft = cellAt({at.x - 1, at.y});
    out.clear();
    if (trianglePointsUp(at)) {
        const Point apex{middle, top};
        const Point baseRight{right, bottom};
        const Point baseLeft{left, bottom};
        out.push_back({apex, baseRight, false, {}, toRight});
        out.push_back({baseRight, baseLeft, false, {}, cellAt({at.x, at.y + 1})});
        out.push_back({baseLeft, apex, false, {}, toLeft});
    } else {
        const Point topLeft{left, top};
        const Point topRight{right, top};
        const Point apex{middle, bottom};
        out.push_back({topLeft, topRight, false, {}, cellAt({at.x, at.y - 1})});
        out.push_back({topRight, apex, false, {}, toRight});
        out.push_back({apex, topLeft, false, {}, toLeft});
    }
}

Point TriangleTopology::extent() const {
    return layoutExtent(ShapeKind::Triangle, mask().width(), mask().height());
}

}  // namespace nitka
