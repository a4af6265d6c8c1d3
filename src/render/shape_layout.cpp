#include "render/shape_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "render/picture_layout.h"

namespace nitka {
namespace {

int checkedSide(double units, int cell, const char* what) {
    const double side = std::ceil(units * cell) + 2 * ShapeLayout::kMargin + 1;
    if (!(side <= ShapeLayout::kMaxSide)) {
        throw RenderError("the picture would be " + std::to_string(std::llround(side)) +
                          " pixels " + what + ", more than " +
                          std::to_string(ShapeLayout::kMaxSide) +
                          (cell > 2 ? ": choose a smaller cell size" : ""));
    }
    return static_cast<int>(side);
}

// A side of the drawing in whole units, as large as the int the rectangle's
// sizes take.
int wholeUnits(double units) {
    return static_cast<int>(
        std::clamp(std::ceil(units), 1.0, static_cast<double>(std::numeric_limits<int>::max())));
}

}  // namespace

ShapeLayout::ShapeLayout(const Topology& topology, int cell) : m_cell(cell) {
    if (cell < 2) {
        throw RenderError("a cell must be at least 2 pixels, not " + std::to_string(cell));
    }
    const Point extent = topology.extent();
    m_width = checkedSide(extent.x, cell, "wide");
    m_height = checkedSide(extent.y, cell, "high");
    // The rectangle's dot, whose size depends only on the cell size; the
    // PictureLayout that knows it is cheap for a 1 x 1 maze.
    m_dotRadius = PictureLayout(1, 1, cell).dot().size / 2.0;
}

int shapeCellSize(const RenderOptions& options, const Topology& topology) {
    if (options.cell != 0) {
        return options.cell;
    }
    const Point extent = topology.extent();
    return defaultCellSize(wholeUnits(extent.x), wholeUnits(extent.y));
}

}  // namespace nitka
