#include "solver/difficulty.h"

#include <cmath>

#include "solver/measured_maze.h"

namespace nitka {

double expectedExploredCells(const DifficultyParts& parts) {
    const auto route = static_cast<double>(parts.routeCells);
    return route + (static_cast<double>(parts.reachable) - route) / 2;
}

double difficultyScore(const DifficultyParts& parts) {
    const double score = expectedExploredCells(parts) / 10 + static_cast<double>(parts.decisions);
    return std::round(score * 10) / 10;
}

DifficultyParts difficultyParts(const GridView<WallGrid>& maze, const GridRoute& shortest,
                                std::uint64_t reachable) {
    const WallGrid& grid = maze.grid();
    DifficultyParts parts{shortest.moves() + 1, reachable, 0};
    // The route enters and leaves a cell through passable sides: the cell
    // offers a choice when it opens more than those, one at the start.
    GridCell cell = shortest.start();
    int taken = 1;
    for (std::uint64_t i = 0; i < shortest.moves(); ++i) {
        parts.decisions += stepCount(passableSteps(grid, cell)) > taken ? 1 : 0;
        cell = neighbour(cell, shortest.move(i));
        taken = 2;
    }
    return parts;
}

std::optional<double> shapeDifficulty(ShapeMaze& maze) {
    return measureWithDifficulty(maze).difficulty;
}

}  // namespace nitka
