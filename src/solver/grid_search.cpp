#include "solver/grid_search.h"

#include "shape/maze_view.h"
#include "solver/view_search.h"

namespace nitka {
namespace {

// A GridRoute as the searches' trail: a move is the step between two cell
// numbers, and the way back is its opposite.
class GridTrail {
public:
    GridTrail(GridRoute& route, int width) : m_route(&route), m_width(static_cast<CellId>(width)) {}

    std::uint64_t moves() const { return m_route->moves(); }
    void push(CellId cell, int, CellId entered, const search::NeighbourArray&, int) {
        m_route->push(stepBetween(cell, entered));
    }
    CellId popFrom(CellId cell, const search::NeighbourArray&) {
        const Step last = m_route->move(moves() - 1);
        m_route->pop();
        return cell - moveOf(last);
    }

private:
    // The rows first: in a maze one cell wide the next row is also the next cell.
    Step stepBetween(CellId cell, CellId entered) const {
        if (entered == cell + m_width) {
            return Step::Down;
        }
        if (entered + m_width == cell) {
            return Step::Up;
        }
        return entered > cell ? Step::Right : Step::Left;
    }
    // How a step changes a cell number (wrapping around on the way back).
    CellId moveOf(Step step) const {
        switch (step) {
            case Step::Right:
                return 1;
            case Step::Up:
                return 0 - m_width;
            case Step::Left:
                return 0 - CellId{1};
            case Step::Down:
                break;
        }
        return m_width;
    }

    GridRoute* m_route;
    CellId m_width;
};

template <typename Search>
std::optional<GridRoute> gridRouteBy(WallGrid& grid, GridCell from, GridCell to, Search&& search) {
    if (!grid.contains(from) || !grid.contains(to)) {
        grid.clearScratch();
        return std::nullopt;
    }
    GridRoute route(from);
    GridTrail trail(route, grid.width());
    if (!search(GridView<WallGrid>(grid), grid.index(from), grid.index(to), trail)) {
        return std::nullopt;
    }
    return route;
}

}  // namespace

std::optional<GridRoute> findGridRoute(WallGrid& grid, GridCell from, GridCell to) {
    return gridRouteBy(grid, from, to, [](const auto& view, CellId start, CellId end, auto& trail) {
        return search::searchDepthFirst(view, start, end, trail);
    });
}

std::optional<GridRoute> findShortestRoute(WallGrid& grid, GridCell from, GridCell to,
                                           std::size_t queueCells) {
    return gridRouteBy(grid, from, to,
                       [queueCells](const auto& view, CellId start, CellId end, auto& trail) {
                           return search::searchShortest(view, start, end, trail, queueCells);
                       });
}

}  // namespace nitka
