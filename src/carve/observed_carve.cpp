#include "carve/observed_carve.h"

#include <cassert>

#include "carve/carve_with.h"
#include "carve/shape_carve.h"
#include "shape/layout.h"

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
    carveWith(grid, options, random, observer);
}

void carveShapeMazeObserved(ShapeMaze& maze, const CarveOptions& options, SeededRandom& random,
                            CarveObserver& observer) {
    assert(carvesObserved(options.method) && carvesEveryShape(options.method));
    assert(!isPlainRectangle(maze.topology()));
    carveWith(maze, options, random, observer);
}

}  // namespace nitka
