#include "carve/binary_tree.h"

#include <cstddef>

namespace nitka {

// Every cell but the first joins one neighbour earlier in row order, so the
// n - 1 openings can close no loop and reach the first cell from everywhere.
void carveBinaryTree(WallGrid& grid, SeededRandom& random) {
    std::size_t i = 0;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x, ++i) {
            const bool up = y > 0 && (x == 0 || random.Random(2) == 0);
            if (up) {
                grid.setTop(i, Flag::Open);
            } else if (x > 0) {
                grid.setLeft(i, Flag::Open);
            }
        }
    }
}

}  // namespace nitka
