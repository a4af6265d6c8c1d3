#pragma once

#include "carve/carve_method.h"
#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Whether the method tells an observer its steps; the others can only carve
// unobserved.
bool carvesObserved(CarveMethod method);

// Whether the method first opens every inner side, untold, and then closes
// sides: an observer's picture of it starts from open space.
bool carvesFromOpenSpace(CarveMethod method);

// carveMaze's maze from the same draws, flag for flag, the carving told to
// observer as it happens. The openings of options.braid, made afterwards, are
// not told: they are the sides open in the grid that the observer did not see
// open. Requires: carvesObserved(options.method) and carveMaze's own.
void carveMazeObserved(WallGrid& grid, const CarveOptions& options, SeededRandom& random,
                       CarveObserver& observer);

// carveShapeMaze's maze on any layout but a plain rectangle (where the
// rectangle's carvers and carveMazeObserved serve), told in the same way.
// Requires: carvesObserved(options.method), !isPlainRectangle(maze.topology())
// and carveShapeMaze's own.
void carveShapeMazeObserved(ShapeMaze& maze, const CarveOptions& options, SeededRandom& random,
                            CarveObserver& observer);

}  // namespace nitka
