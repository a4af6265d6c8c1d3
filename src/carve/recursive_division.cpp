#include "carve/carver_instances.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace nitka {
namespace {

struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::int64_t cells() const { return std::int64_t{width} * height; }
};

void openInnerWalls(WallGrid& grid) {
    std::size_t i = 0;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x, ++i) {
            grid.setLeft(i, x > 0 ? Flag::Open : Flag::Wall);
            grid.setTop(i, y > 0 ? Flag::Open : Flag::Wall);
        }
    }
}

}  // namespace

// An area one cell wide or high is a corridor, a tree; a wall line with one gap
// joins the trees of its two halves into one, so the whole stays a tree.
template <CarveListener Observer>
void carveRecursiveDivision(WallGrid& grid, SeededRandom& random, Observer&& observer) {
    openInnerWalls(grid);
    const auto columns = static_cast<std::size_t>(grid.width());
    std::vector<Area> stack{{0, 0, grid.width(), grid.height()}};
    while (!stack.empty()) {
        const Area area = stack.back();
        stack.pop_back();
        if (area.width < 2 || area.height < 2) {
            continue;
        }
        const bool across =
            area.height > area.width || (area.height == area.width && random.Random(2) == 0);
        Area first = area;
        Area second = area;
        if (across) {
            const int cut = 1 + random.Random(area.height - 1);
            const int gap = area.x + random.Random(area.width);
            const std::size_t row = static_cast<std::size_t>(area.y + cut) * columns;
            for (int x = area.x; x < area.x + area.width; ++x) {
                if (x != gap) {
                    const std::size_t cell = row + static_cast<std::size_t>(x);
                    grid.setTop(cell, Flag::Wall);
                    observer.current(cell);
                    observer.closed(cell - columns, cell);
                }
            }
            first.height = cut;
            second.y += cut;
            second.height -= cut;
        } else {
            const int cut = 1 + random.Random(area.width - 1);
            const int gap = area.y + random.Random(area.height);
            for (int y = area.y; y < area.y + area.height; ++y) {
                if (y != gap) {
                    const std::size_t row = static_cast<std::size_t>(y) * columns;
                    const std::size_t cell = row + static_cast<std::size_t>(area.x + cut);
                    grid.setLeft(cell, Flag::Wall);
                    observer.current(cell);
                    observer.closed(cell - 1, cell);
                }
            }
            first.width = cut;
            second.x += cut;
            second.width -= cut;
        }
        // The smaller half goes on top and is divided first, as in quicksort:
        // the stack grows only while the area being divided at least halves,
        // so it holds at most log2 of the cell count plus two areas.
        if (first.cells() < second.cells()) {
            std::swap(first, second);
        }
        stack.push_back(first);
        stack.push_back(second);
    }
}

NITKA_GRID_CARVER(carveRecursiveDivision);

}  // namespace nitka
