#include "render/route_marks.h"

namespace nitka {

void markRoute(WallGrid& grid, const GridRoute& route) {
    // Whatever a search left in the scratch bits would read as route.
    grid.clearScratch();
    route.forEachCell([&grid](GridCell cell) { grid.setScratch(grid.index(cell), 1); });
}

}  // namespace nitka
