#include "shape/topology.h"

namespace nitka {

std::string_view shapeName(ShapeKind kind) {
    switch (kind) {
        case ShapeKind::Rect:
            return "rect";
        case ShapeKind::Hex:
            return "hex";
        case ShapeKind::Triangle:
            return "triangle";
        case ShapeKind::Polar:
            return "polar";
    }
    return "rect";
}

}  // namespace nitka
