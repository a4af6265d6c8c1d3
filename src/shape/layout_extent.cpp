#include "shape/layout_extent.h"

#include <cmath>
#include <cstdint>

namespace nitka {
namespace {

// Must match the layouts' own geometry (hex_topology.cpp, triangle_topology.cpp):
// a hexagon a unit wide is 2 / sqrt(3) high and its rows step three quarters of that.
double hexHeight(int rows) {
    const double radius = 1.0 / std::sqrt(3.0);
    return static_cast<double>(3 * static_cast<std::int64_t>(rows) + 1) * (radius / 2);
}

}  // namespace

Point layoutExtent(ShapeKind kind, int width, int height) {
    switch (kind) {
        case ShapeKind::Rect:
            return {static_cast<double>(width), static_cast<double>(height)};
        case ShapeKind::Hex:
            return {static_cast<double>(width) + (height > 1 ? 0.5 : 0.0), hexHeight(height)};
        case ShapeKind::Triangle:
            return {static_cast<double>(width + 1) * 0.5,
                    static_cast<double>(height) * (std::sqrt(3.0) / 2)};
        case ShapeKind::Polar:
            return {2 * (height + 1.0), 2 * (height + 1.0)};
    }
    return {static_cast<double>(width), static_cast<double>(height)};
}

}  // namespace nitka
