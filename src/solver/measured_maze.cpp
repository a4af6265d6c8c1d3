#include "solver/measured_maze.h"

#include "solver/difficulty.h"
#include "solver/shape_stats.h"

namespace nitka {

MeasuredMaze measureWithDifficulty(WallGrid& grid) {
    const GridMeasures measures = measureMazeWithRoute(grid);
    if (!measures.shortest) {
        return {measures.stats, std::nullopt};
    }
    return {measures.stats, difficultyScore(gridDifficultyParts(grid, *measures.shortest,
                                                                measures.stats.reachable))};
}

MeasuredMaze measureWithDifficulty(ShapeMaze& maze) {
    const ShapeMeasures measures = measureShapeMazeWithRoute(maze);
    if (!measures.shortest) {
        return {measures.stats, std::nullopt};
    }
    return {measures.stats, difficultyScore(shapeDifficultyParts(maze, *measures.shortest,
                                                                 measures.stats.reachable))};
}

}  // namespace nitka
