#include "carve/observed_carve.h"

#include <cassert>

#include "carve/braid.h"
#include "carve/depth_first.h"
#include "carve/grid_shape_copy.h"
#include "carve/shape_braid.h"
#include "carve/shape_carve.h"
#include "carve/shape_depth_first.h"
#include "carve/shape_wilson.h"
#include "carve/wilson.h"

namespace nitka {

bool carvesObserved(CarveMethod method) {
    return method == CarveMethod::DepthFirst || method == CarveMethod::Wilson;
}

void carveMazeObserved(WallGrid& grid, const CarveOptions& options, SeededRandom& random,
                       CarveObserver& observer) {
    assert(carvesObserved(options.method));
    switch (options.method) {
        case CarveMethod::DepthFirst:
            carveDepthFirst(grid, random, observer);
            break;
        case CarveMethod::Wilson:
            carveWilson(grid, random, observer);
            break;
        default:
            break;
    }
    if (options.braid > 0) {
        braid(grid, options.braid, random);
    }
}

void carveShapeMazeObserved(ShapeMaze& maze, const CarveOptions& options, SeededRandom& random,
                            CarveObserver& observer) {
    assert(carvesObserved(options.method));
    assert(!isPlainRectangle(maze.topology()));
    switch (options.method) {
        case CarveMethod::DepthFirst:
            carveShapeDepthFirst(maze, random, observer);
            break;
        case CarveMethod::Wilson:
            carveShapeWilson(maze, random, observer);
            break;
        default:
            break;
    }
    if (options.braid > 0) {
        braidShapeMaze(maze, options.braid, random);
    }
}

}  // namespace nitka
