#include "carve/shape_carve.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstdio>

#include "carve/grid_shape_copy.h"
#include "carve/shape_aldous_broder.h"
#include "carve/shape_braid.h"
#include "carve/shape_depth_first.h"
#include "carve/shape_growing_tree.h"
#include "carve/shape_hunt_and_kill.h"
#include "carve/prim.h"
#include "carve/shape_kruskal.h"
#include "carve/shape_wilson.h"
#include "grid/wall_grid.h"

namespace nitka {
namespace {

// carveRefusal's budget and fit, by cell count: a walk costs about
// n ln(n)^2 / 2 steps to cover n cells (Aldous-Broder), n ln(n) / 2 for
// Wilson's walks, and about four times the layout's length squared to cross.
constexpr double kWalkStepBudget = 2e9;

double expectedWalkSteps(CarveMethod method, const Topology& topology) {
    const auto cells = static_cast<double>(topology.cellCount());
    const double length = std::max(topology.width(), topology.height());
    const double logCells = std::log(std::max(cells, 1.0));
    const double spread = method == CarveMethod::AldousBroder ? logCells * logCells : logCells;
    return cells * spread / 2 + 4 * length * length;
}

std::string everyShapeMethods() {
    std::string names;
    for (const auto& info : carveMethods()) {
        if (carvesEveryShape(info.method)) {
            names.append(names.empty() ? "" : ", ").append(info.name);
        }
    }
    return names;
}

void carveByTopology(ShapeMaze& maze, const CarveOptions& options, SeededRandom& random) {
    switch (options.method) {
        case CarveMethod::DepthFirst:
            carveShapeDepthFirst(maze, random);
            break;
        case CarveMethod::Prim:
            carvePrim(maze, random);
            break;
        case CarveMethod::Kruskal:
            carveShapeKruskal(maze, random);
            break;
        case CarveMethod::Wilson:
            carveShapeWilson(maze, random);
            break;
        case CarveMethod::AldousBroder:
            carveShapeAldousBroder(maze, random);
            break;
        case CarveMethod::HuntAndKill:
            carveShapeHuntAndKill(maze, random);
            break;
        case CarveMethod::GrowingTree:
            carveShapeGrowingTree(maze, options.pick, options.pickShare, random);
            break;
        case CarveMethod::Eller:
        case CarveMethod::BinaryTree:
        case CarveMethod::Sidewinder:
        case CarveMethod::RecursiveDivision:
            assert(false && "a rectangle's method on another layout");
            break;
    }
}

}  // namespace

bool carvesEveryShape(CarveMethod method) {
    switch (method) {
        case CarveMethod::Eller:
        case CarveMethod::BinaryTree:
        case CarveMethod::Sidewinder:
        case CarveMethod::RecursiveDivision:
            return false;
        default:
            return true;
    }
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
    if (method != CarveMethod::AldousBroder && method != CarveMethod::Wilson) {
        return {};
    }
    const double steps = expectedWalkSteps(method, topology);
    if (steps <= kWalkStepBudget) {
        return {};
    }
    std::array<char, 240> line{};
    std::snprintf(line.data(), line.size(),
                  "%s: a maze of %llu cells takes about %.1f billion random steps, too many; %s",
                  name.c_str(), static_cast<unsigned long long>(topology.cellCount()), steps / 1e9,
                  method == CarveMethod::AldousBroder
                      ? "wilson makes the same kind of maze faster"
                      : "a method that does not walk at random is fast at this size");
    return line.data();
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
    carveByTopology(maze, options, random);
    if (options.braid > 0) {
        braidShapeMaze(maze, options.braid, random);
    }
}

}  // namespace nitka
