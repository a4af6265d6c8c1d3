#include "carve/carver_instances.h"

#include <cstddef>

namespace nitka {

// Every cell but the first joins one neighbour earlier in row order, so the
// n - 1 openings can close no loop and reach the first cell from everywhere.
template <CarveListener Observer>
void carveBinaryTree(WallGrid& grid, SeededRandom& random, Observer&& observer) {
    std::size_t i = 0;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x, ++i) {
            const bool up = y > 0 && (x == 0 || random.Random(2) == 0);
            observer.current(i);
            if (up) {
                grid.setTop(i, Flag::Open);
                observer.opened(i - static_cast<std::size_t>(grid.width()), i);
            } else if (x > 0) {
                grid.setLeft(i, Flag::Open);
                observer.opened(i - 1, i);
            }
        }
    }
}

NITKA_GRID_CARVER(carveBinaryTree);

}  // namespace nitka
