#include "cli/route_choice.h"

#include "cli/tool_error.h"
#include "solver/grid_search.h"
#include "solver/shape_search.h"

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

std::string positionText(CellPosition position) {
    return std::to_string(position.x) + ',' + std::to_string(position.y);
}

CellId shapeEnd(const Topology& topology, const std::optional<GridCell>& given, CellId fallback,
                const char* option) {
    if (!given) {
        return fallback;
    }
    const CellId cell = topology.cellAt({given->x, given->y});
    if (cell == kNoCell) {
        throw ToolError(option, cellText(*given) + " is no cell of the " +
                                    std::string(shapeName(topology.kind())) + " maze");
    }
    return cell;
}

}  // namespace

ShapeRoute chooseRoute(ShapeMaze& maze, const RouteEnds& ends, bool shortest,
                       const std::string& mazeName) {
    const Topology& topology = maze.topology();
    const CellId from = shapeEnd(topology, ends.from, topology.start(), "--from");
    const CellId to = shapeEnd(topology, ends.to, topology.target(), "--to");
    std::optional<ShapeRoute> route =
        shortest ? findShortestShapeRoute(maze, from, to) : findShapeRoute(maze, from, to);
    if (!route) {
        throw ToolError(mazeName, "no route from " + positionText(topology.position(from)) +
                                      " to " + positionText(topology.position(to)));
    }
    return std::move(*route);
}

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
