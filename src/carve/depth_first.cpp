#include "carve/depth_first.h"

#include <cstddef>
#include <cstdint>

namespace nitka {
namespace {

// A cell's scratch while carving: bit 0 set once the carving has entered it,
// bits 1-2 the step that leads back to the cell it was entered from. The way
// back in every cell replaces the window's stack of positions.
constexpr std::uint8_t kVisited = 1;

std::uint8_t enteredFrom(Step back) {
    return static_cast<std::uint8_t>(kVisited | static_cast<unsigned>(back) << 1);
}

Step wayBack(std::uint8_t scratch) {
    return static_cast<Step>(scratch >> 1);
}

// The window draws its start on a grid of 2 * side + 1 positions whose odd
// ones are cells: a number below 2 * side - 1, drawn again until even.
int startCoordinate(SeededRandom& random, int side) {
    int r = random.Random(2 * side - 1);
    while (r % 2 != 0) {
        r = random.Random(2 * side - 1);
    }
    return r / 2;
}

}  // namespace

void carveDepthFirst(WallGrid& grid, SeededRandom& random) {
    const int width = grid.width();
    const int height = grid.height();
    const auto rowLength = static_cast<std::size_t>(width);

    const int startX = startCoordinate(random, width);
    const int startY = startCoordinate(random, height);
    const std::size_t start = grid.index({startX, startY});
    int x = startX;
    int y = startY;
    std::size_t here = start;
    grid.setScratch(here, kVisited);

    const auto fresh = [&grid](std::size_t cell) { return (grid.scratch(cell) & kVisited) == 0; };
    for (;;) {
        // The window tests up, right, down, left, draws a weight of 1 .. 5 for
        // each open one in that order and takes the first highest. Choosing as
        // the weights come makes the same choice from the same draws.
        Step best = Step::Right;
        int highest = 0;
        const auto weigh = [&](Step step) {
            const int weight = random.Random(5) + 1;
            if (weight > highest) {
                highest = weight;
                best = step;
            }
        };
        if (y > 0 && fresh(here - rowLength)) {
            weigh(Step::Up);
        }
        if (x + 1 < width && fresh(here + 1)) {
            weigh(Step::Right);
        }
        if (y + 1 < height && fresh(here + rowLength)) {
            weigh(Step::Down);
        }
        if (x > 0 && fresh(here - 1)) {
            weigh(Step::Left);
        }

        if (highest == 0) {
            if (here == start) {
                break;
            }
            const Step back = wayBack(grid.scratch(here));
            x += kStepDx[static_cast<int>(back)];
            y += kStepDy[static_cast<int>(back)];
            here = grid.index({x, y});
            continue;
        }
        // Each edge is held by the cell below or to the right of it.
        switch (best) {
            case Step::Up:
                grid.setTop(here, Flag::Open);
                here -= rowLength;
                --y;
                break;
            case Step::Right:
                ++here;
                ++x;
                grid.setLeft(here, Flag::Open);
                break;
            case Step::Down:
                here += rowLength;
                ++y;
                grid.setTop(here, Flag::Open);
                break;
            case Step::Left:
                grid.setLeft(here, Flag::Open);
                --here;
                --x;
                break;
        }
        grid.setScratch(here, enteredFrom(opposite(best)));
    }
    grid.clearScratch();
}

}  // namespace nitka
