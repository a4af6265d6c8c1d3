#include "carve/observed_carve.h"

#include <cassert>

#include "carve/aldous_broder.h"
#include "carve/binary_tree.h"
#include "carve/braid.h"
#include "carve/depth_first.h"
#include "carve/eller.h"
#include "carve/grid_shape_copy.h"
#include "carve/growing_tree.h"
#include "carve/hunt_and_kill.h"
#include "carve/kruskal.h"
#include "carve/prim.h"
#include "carve/recursive_division.h"
#include "carve/shape_aldous_broder.h"
#include "carve/shape_braid.h"
#include "carve/shape_carve.h"
#include "carve/shape_depth_first.h"
#include "carve/shape_growing_tree.h"
#include "carve/shape_hunt_and_kill.h"
#include "carve/shape_kruskal.h"
#include "carve/shape_wilson.h"
#include "carve/sidewinder.h"
#include "carve/wilson.h"

namespace nitka {

bool carvesObserved(CarveMethod) {
    return true;
}

bool carvesFromOpenSpace(CarveMethod method) {
    return method == CarveMethod::RecursiveDivision;
}

void carveMazeObserved(WallGrid& grid, const CarveOptions& options, SeededRandom& random,
                       CarveObserver& observer) {
    assert(carvesObserved(options.method));
    switch (options.method) {
        case CarveMethod::DepthFirst:
            carveDepthFirst(grid, random, observer);
            break;
        case CarveMethod::Prim:
            carvePrim(grid, random, observer);
            break;
        case CarveMethod::Kruskal:
            carveKruskal(grid, random, observer);
            break;
        case CarveMethod::Wilson:
            carveWilson(grid, random, observer);
            break;
        case CarveMethod::AldousBroder:
            carveAldousBroder(grid, random, observer);
            break;
        case CarveMethod::HuntAndKill:
            carveHuntAndKill(grid, random, observer);
            break;
        case CarveMethod::GrowingTree:
            carveGrowingTree(grid, options.pick, options.pickShare, random, observer);
            break;
        case CarveMethod::Eller:
            carveEller(grid, random, observer);
            break;
        case CarveMethod::BinaryTree:
            carveBinaryTree(grid, random, observer);
            break;
        case CarveMethod::Sidewinder:
            carveSidewinder(grid, random, observer);
            break;
        case CarveMethod::RecursiveDivision:
            carveRecursiveDivision(grid, random, observer);
            break;
    }
    if (options.braid > 0) {
        braid(grid, options.braid, random);
    }
}

void carveShapeMazeObserved(ShapeMaze& maze, const CarveOptions& options, SeededRandom& random,
                            CarveObserver& observer) {
    assert(carvesObserved(options.method) && carvesEveryShape(options.method));
    assert(!isPlainRectangle(maze.topology()));
    switch (options.method) {
        case CarveMethod::DepthFirst:
            carveShapeDepthFirst(maze, random, observer);
            break;
        case CarveMethod::Prim:
            carvePrim(maze, random, observer);
            break;
        case CarveMethod::Kruskal:
            carveShapeKruskal(maze, random, observer);
            break;
        case CarveMethod::Wilson:
            carveShapeWilson(maze, random, observer);
            break;
        case CarveMethod::AldousBroder:
            carveShapeAldousBroder(maze, random, observer);
            break;
        case CarveMethod::HuntAndKill:
            carveShapeHuntAndKill(maze, random, observer);
            break;
        case CarveMethod::GrowingTree:
            carveShapeGrowingTree(maze, options.pick, options.pickShare, random, observer);
            break;
        case CarveMethod::Eller:
        case CarveMethod::BinaryTree:
        case CarveMethod::Sidewinder:
        case CarveMethod::RecursiveDivision:
            break;
    }
    if (options.braid > 0) {
        braidShapeMaze(maze, options.braid, random);
    }
}

}  // namespace nitka
