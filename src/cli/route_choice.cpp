#include "cli/route_choice.h"

#include "cli/tool_error.h"
#include "solver/grid_search.h"

namespace nitka {
namespace {

std::string cellText(GridCell cell) {
    return std::to_string(cell.x) + ',' + std::to_string(cell.y);
}

GridCell insideEnd(const WallGrid& grid, const std::optional<GridCell>& given, GridCell corner,
                   const char* option) {
    if (!given) {
        return corner;
    }
    if (!grid.contains(*given)) {
        throw ToolError(option, cellText(*given) + " lies outside the maze of " +
                                    std::to_string(grid.width()) + " x " +
                                    std::to_string(grid.height()) + " cells");
    }
    return *given;
}

}  // namespace

GridRoute chooseRoute(WallGrid& grid, const RouteEnds& ends, bool shortest,
                      const std::string& mazeName) {
    const GridCell from = insideEnd(grid, ends.from, {0, 0}, "--from");
    const GridCell to = insideEnd(grid, ends.to, {grid.width() - 1, grid.height() - 1}, "--to");
    std::optional<GridRoute> route =
        shortest ? findShortestRoute(grid, from, to) : findGridRoute(grid, from, to);
    if (!route) {
        throw ToolError(mazeName, "no route from " + cellText(from) + " to " + cellText(to));
    }
    return std::move(*route);
}

}  // namespace nitka
