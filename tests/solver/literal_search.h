#pragma once

#include <cstdint>
#include <vector>

#include "model/maze_state.h"

namespace nitka::testing {

// The route search as first written: recursive, and on the way back it only
// clears the visited flag, so on a maze with loops it may enter a cell again
// along every other route and take exponential time. Kept as the reference the
// program's search must agree with. Like it, it takes no step out of the maze.
class LiteralSearch {
public:
    LiteralSearch(const Maze& walls, int width, int height, Position target)
        : PathPoints(static_cast<std::size_t>(width * height) + 1),
          VisitedCells(static_cast<std::size_t>(width),
                       std::vector<bool>(static_cast<std::size_t>(height))),
          m_walls(walls),
          m_width(width),
          m_height(height),
          m_target(target) {}

    bool ExploreCell(int x, int y, int level) {
        ++entries;
        VisitedCells[ux(x)][ux(y)] = true;
        PathPoints[ux(level)] = {x, y};
        PathPoints[ux(level) + 1] = {-1, -1};
        if (x == m_target.x && y == m_target.y) {
            return true;
        }
        static constexpr int kStepX[4] = {1, 0, -1, 0};
        static constexpr int kStepY[4] = {0, -1, 0, 1};
        for (int d = 0; d < 4; ++d) {
            const int nx = x + kStepX[d];
            const int ny = y + kStepY[d];
            if (EdgeOpen(x, y, kStepX[d], kStepY[d]) && inside(nx, ny) &&
                !VisitedCells[ux(nx)][ux(ny)] && ExploreCell(nx, ny, level + 1)) {
                return true;
            }
        }
        VisitedCells[ux(x)][ux(y)] = false;
        return false;
    }

    bool EdgeOpen(int x, int y, int dx, int dy) const {
        std::uint8_t flag = 0;
        if (dx == 1) {
            flag = m_walls[x + 1][y].Left;
        } else if (dy == -1) {
            flag = m_walls[x][y].Top;
        } else if (dx == -1) {
            flag = m_walls[x][y].Left;
        } else {
            flag = m_walls[x][y + 1].Top;
        }
        return flag != 1;
    }

    std::vector<Position> PathPoints;
    std::vector<std::vector<bool>> VisitedCells;
    long long entries = 0;

private:
    static std::size_t ux(int value) { return static_cast<std::size_t>(value); }
    bool inside(int x, int y) const { return x >= 0 && x < m_width && y >= 0 && y < m_height; }

    const Maze& m_walls;
    int m_width;
    int m_height;
    Position m_target;
};

// The reference route with the contract of findRoute: the cells up to and
// including the end marker, empty without a route. Only the start is guarded;
// a target outside the maze is searched for like any other.
inline std::vector<Position> literalRoute(const Maze& walls, int width, int height, Position start,
                                          Position target, long long* entries = nullptr) {
    if (start.x < 0 || start.x >= width || start.y < 0 || start.y >= height) {
        return {};
    }
    LiteralSearch search(walls, width, height, target);
    const bool found = search.ExploreCell(start.x, start.y, 0);
    if (entries != nullptr) {
        *entries = search.entries;
    }
    if (!found) {
        return {};
    }
    std::vector<Position> route;
    for (const Position& point : search.PathPoints) {
        route.push_back(point);
        if (point == Position{-1, -1}) {
            break;
        }
    }
    return route;
}

}  // namespace nitka::testing
