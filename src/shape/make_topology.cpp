#include "shape/make_topology.h"

#include <cassert>
#include <utility>

#include "shape/hex_topology.h"
#include "shape/polar_topology.h"
#include "shape/rect_topology.h"
#include "shape/shape_error.h"
#include "shape/triangle_topology.h"

namespace nitka {

std::optional<ShapeKind> parseShapeName(std::string_view name) {
    for (const ShapeKind kind :
         {ShapeKind::Rect, ShapeKind::Hex, ShapeKind::Triangle, ShapeKind::Polar}) {
        if (shapeName(kind) == name) {
            return kind;
        }
    }
    return std::nullopt;
}

std::shared_ptr<const Topology> makeTopology(ShapeKind kind, int width, int height,
                                             std::optional<CellMask> mask) {
    assert(width >= 1 && height >= 1);
    if (kind == ShapeKind::Polar) {
        if (mask) {
            throw ShapeError("a polar maze takes no mask");
        }
        return std::make_shared<PolarTopology>(height);
    }
    CellMask cells = mask ? std::move(*mask) : CellMask(width, height);
    assert(cells.width() == width && cells.height() == height);
    switch (kind) {
        case ShapeKind::Hex:
            return std::make_shared<HexTopology>(std::move(cells));
        case ShapeKind::Triangle:
            return std::make_shared<TriangleTopology>(std::move(cells));
        case ShapeKind::Rect:
        case ShapeKind::Polar:
            break;
    }
    return std::make_shared<RectTopology>(std::move(cells));
}

}  // namespace nitka
