#include "tool/route_choice.h"

#include "shape/maze_view.h"
#include "solver/view_route.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

std::string positionText(CellPosition position) {
    return std::to_string(position.x) + ',' + std::to_string(position.y);
}

// The cell given for option, found by layout, else fallback; refusal says,
// after the given position, why it names no cell.
template <typename Cells>
CellId endCell(const Cells& layout, const std::optional<GridCell>& given, CellId fallback,
               const char* option, const std::string& refusal) {
    if (!given) {
        return fallback;
    }
    const CellId cell = layout.cellAt({given->x, given->y});
    if (cell == kNoCell) {
        throw ToolError(option, positionText({given->x, given->y}) + refusal);
    }
    return cell;
}

// The route between two cells of the view's maze; ToolError naming mazeName
// when there is none.
template <typename View>
auto routeBetween(const View& maze, CellId from, CellId to, bool shortest,
                  const std::string& mazeName) {
    auto route = shortest ? shortestRoute(maze, from, to) : windowRoute(maze, from, to);
    if (!route) {
        const auto& layout = maze.layout();
        throw ToolError(mazeName, "no route from " + positionText(layout.position(from)) + " to " +
                                      positionText(layout.position(to)));
    }
    return std::move(*route);
}

}  // namespace

ShapeRoute chooseRoute(ShapeMaze& maze, const RouteEnds& ends, bool shortest,
                       const std::string& mazeName) {
    const Topology& topology = maze.topology();
    const std::string refusal =
        " is no cell of the " + std::string(shapeName(topology.kind())) + " maze";
    const CellId from = endCell(topology, ends.from, topology.start(), "--from", refusal);
    const CellId to = endCell(topology, ends.to, topology.target(), "--to", refusal);
    return withMazeView(
        maze, [&](const auto& view) { return routeBetween(view, from, to, shortest, mazeName); });
}

GridRoute chooseRoute(WallGrid& grid, const RouteEnds& ends, bool shortest,
                      const std::string& mazeName) {
    const GridView<WallGrid> view(grid);
    const GridLayout& layout = view.layout();
    const std::string refusal = " lies outside the maze of " + std::to_string(grid.width()) +
                                " x " + std::to_string(grid.height()) + " cells";
    const CellId from = endCell(layout, ends.from, 0, "--from", refusal);
    const CellId to = endCell(layout, ends.to, layout.cellCount() - 1, "--to", refusal);
    return routeBetween(view, from, to, shortest, mazeName);
}

}  // namespace nitka
