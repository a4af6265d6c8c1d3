#pragma once

#include <utility>
#include <vector>

#include "model/maze_state.h"
#include "solver/maze_pictures.h"

namespace nitka::testing {

// The route search as first written, the reference for the program's: recursive,
// and on the way back it only clears the visited flag, so on loops it may enter a
// cell again along every other route and take exponential time.
struct LiteralSearch {
    bool ExploreCell(int x, int y) {
        ++entries;
        VisitedCells[x][y] = true;
        PathPoints.push_back({x, y});
        if (PathPoints.back() == target) {
            PathPoints.push_back({-1, -1});
            return true;
        }
        for (const auto& [dx, dy] : {std::pair{1, 0}, {0, -1}, {-1, 0}, {0, 1}}) {
            const WallPair& edge = maze.walls[x + (dx > 0 ? 1 : 0)][y + (dy > 0 ? 1 : 0)];
            if ((dx != 0 ? edge.Left : edge.Top) != 1 && inside(x + dx, y + dy) &&
                !VisitedCells[x + dx][y + dy] && ExploreCell(x + dx, y + dy)) {
                return true;
            }
        }
        VisitedCells[x][y] = false;
        PathPoints.pop_back();
        return false;
    }
    bool inside(int x, int y) const {
        return x >= 0 && x < maze.width && y >= 0 && y < maze.height;
    }

    const SizedMaze& maze;
    Position target;
    std::vector<std::vector<bool>> VisitedCells;
    std::vector<Position> PathPoints;
    long long entries = 0;  // cells entered, for the benchmark's comparison
};

}  // namespace nitka::testing
