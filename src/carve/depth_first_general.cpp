#include "carve/depth_first_general.h"
#include "carve/depth_first.h"
#include "shape/maze_view.h"

namespace nitka {

void carveDepthFirst(ShapeMaze& maze, SeededRandom& random) {
    NoCarveObserver none;
    withMazeView(maze, [&](const auto& view) { carveDepthFirstOn(view, random, none); });
}

void carveDepthFirst(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer) {
    withMazeView(maze, [&](const auto& view) { carveDepthFirstOn(view, random, observer); });
}

}  // namespace nitka
