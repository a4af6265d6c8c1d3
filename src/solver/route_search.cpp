#include "solver/route_search.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "model/route_rule.h"

namespace nitka {

namespace {

struct Step {
    int dx;
    int dy;
};

// The order of this table decides which of several routes is found.
constexpr std::array<Step, 4> kSteps{{{1, 0}, {0, -1}, {-1, 0}, {0, 1}}};

// One search: PathPoints doubles as the stack of the depth-first walk, level n
// holding the cell entered at depth n, and m_nextStep says which step that
// level tries next. So ten thousand levels cost two arrays, not a call stack.
class RouteSearch {
public:
    RouteSearch(const Maze& walls, int width, int height, Position target)
        : PathPoints(cellCount(width, height) + 1),
          m_walls(walls),
          m_width(width),
          m_height(height),
          m_target(target),
          m_visited(cellCount(width, height)),
          m_failed(cellCount(width, height)),
          m_nextStep(cellCount(width, height)) {}

    // True when a route to the target has been completed through cell (x, y),
    // entered at the given level; PathPoints then holds it.
    bool ExploreCell(int x, int y, int level) {
        const int bottom = level;
        if (enter(x, y, level)) {
            return true;
        }
        while (true) {
            const Position cell = PathPoints[static_cast<std::size_t>(level)];
            std::uint8_t& next = m_nextStep[static_cast<std::size_t>(level)];
            if (next == kSteps.size()) {
                backOut(cell);
                if (level == bottom) {
                    return false;
                }
                --level;
                continue;
            }
            const Step step = kSteps[next++];
            const int nx = cell.x + step.dx;
            const int ny = cell.y + step.dy;
            if (inside(nx, ny) && EdgeOpen(m_walls, cell.x, cell.y, step.dx, step.dy) &&
                m_visited[index(nx, ny)] == 0 && m_failed[index(nx, ny)] == 0) {
                ++level;
                if (enter(nx, ny, level)) {
                    return true;
                }
            }
        }
    }

    std::vector<Position> PathPoints;

private:
    static std::size_t cellCount(int width, int height) {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    bool inside(int x, int y) const { return x >= 0 && x < m_width && y >= 0 && y < m_height; }
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(x) * static_cast<std::size_t>(m_height) +
               static_cast<std::size_t>(y);
    }

    // Marks and records the cell; true when it is the target.
    bool enter(int x, int y, int level) {
        const auto at = static_cast<std::size_t>(level);
        m_visited[index(x, y)] = 1;
        PathPoints[at] = {x, y};
        PathPoints[at + 1] = kEndMarker;
        m_nextStep[at] = 0;
        return x == m_target.x && y == m_target.y;
    }

    // The cell leaves the route. It is also marked failed: whatever route later
    // reaches it, a way on from it to the target would have to avoid the route
    // at that time, and its last cell on the abandoned branch would then have
    // found that way when it was searched. So such a cell never needs a second
    // visit, which keeps a maze with loops to one entry per cell.
    void backOut(Position cell) {
        m_visited[index(cell.x, cell.y)] = 0;
        m_failed[index(cell.x, cell.y)] = 1;
    }

    const Maze& m_walls;
    int m_width;
    int m_height;
    Position m_target;
    std::vector<std::uint8_t> m_visited;  // VisitedCells: on the route being explored
    std::vector<std::uint8_t> m_failed;   // a search from here has found nothing
    std::vector<std::uint8_t> m_nextStep;
};

}  // namespace

bool EdgeOpen(const Maze& walls, int x, int y, int dx, int dy) {
    if (dx > 0) {
        return flagLetsRoutePass(walls[x + 1][y].Left);
    }
    if (dx < 0) {
        return flagLetsRoutePass(walls[x][y].Left);
    }
    if (dy < 0) {
        return flagLetsRoutePass(walls[x][y].Top);
    }
    return flagLetsRoutePass(walls[x][y + 1].Top);
}

std::vector<Position> findRoute(const Maze& walls, int width, int height, Position start,
                                Position target) {
    const auto inside = [&](Position cell) {
        return cell.x >= 0 && cell.x < width && cell.y >= 0 && cell.y < height;
    };
    // A loaded maze may be empty, or a line wide, which puts the target at -1.
    if (!inside(start) || !inside(target)) {
        return {};
    }
    const bool wallsCoverMaze = walls.columns() > width && walls.rows() > height;
    assert(wallsCoverMaze);
    if (!wallsCoverMaze) {
        return {};
    }

    RouteSearch search(walls, width, height, target);
    if (!search.ExploreCell(start.x, start.y, 0)) {
        return {};
    }
    std::vector<Position> route = std::move(search.PathPoints);
    std::size_t end = 0;
    while (route[end] != kEndMarker) {
        ++end;
    }
    route.resize(end + 1);
    return route;
}

}  // namespace nitka
