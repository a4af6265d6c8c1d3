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

std::optional<double> shapeDifficulty(ShapeMaze& maze) {
    return measureWithDifficulty(maze).difficulty;
}

}  // namespace nitka
