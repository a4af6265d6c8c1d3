#include "carve/shape_carve.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstdio>

#include "carve/carve_with.h"
#include "carve/grid_shape_copy.h"
#include "grid/wall_grid.h"

namespace nitka {
namespace {

std::string everyShapeMethods() {
    std::string names;
    for (const auto& info : carveMethods()) {
        if (carvesEveryShape(info.method)) {
            names.append(names.empty() ? "" : ", ").append(info.name);
        }
    }
    return names;
}

}  // namespace

bool carvesEveryShape(CarveMethod method) {
    return carveMethodInfo(method).everyShape;
}

std::string shapeCarveRefusal(CarveMethod method, const Topology& topology) {
    const std::string name(carveMethodInfo(method).name);
    if (isPlainRectangle(topology)) {
        return carveRefusal(method, topology.width(), topology.height());
    }
    if (!carvesEveryShape(method)) {
        return name +
               ": works on a plain rectangle of squares only; on other shapes and masks use " +
               everyShapeMethods();
    }
    return walkRefusal(method, "a maze of " + std::to_string(topology.cellCount()) + " cells",
                       topology.cellCount(), std::max(topology.width(), topology.height()));
}

void carveShapeMaze(ShapeMaze& maze, const CarveOptions& options, SeededRandom& random) {
    assert(shapeCarveRefusal(options.method, maze.topology()).empty());
    if (isPlainRectangle(maze.topology())) {
        // The rectangle's own carvers keep the promise of a seed: the maze a
        // seed made on the grid before, flag for flag, and the fastest loops.
        WallGrid grid(maze.topology().width(), maze.topology().height());
        carveMaze(grid, options, random);
        copyGridToShape(grid, maze);
        return;
    }
    carveWith(maze, options, random);
}

}  // namespace nitka
