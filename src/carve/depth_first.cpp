#include "carve/carver_instances.h"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "carve/depth_first_general.h"
#include "shape/maze_view.h"

namespace nitka {
namespace {

// A cell's byte as the grid lays it out: the classes of its top and left
// flags, and the scratch, which here holds a visited bit and the step that
// leads back to the cell the carving entered it from. The way back in every
// cell replaces the window's stack of positions.
constexpr std::uint8_t kTopBits = 0x03;
constexpr std::uint8_t kLeftBits = 0x0C;
constexpr std::uint8_t kVisited = 0x10;
constexpr int kWayBackShift = 5;
static_assert(static_cast<int>(Flag::Open) == 0, "opening a flag clears its bits");
static_assert(((kVisited | 3u << kWayBackShift) & ~WallGrid::kScratchMask) == 0);

constexpr std::uint8_t enteredFrom(Step back) {
    return static_cast<std::uint8_t>(kVisited | static_cast<unsigned>(back) << kWayBackShift);
}

constexpr Step wayBack(std::uint8_t cell) {
    return static_cast<Step>((cell >> kWayBackShift) & 3u);
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

// The neighbour a step forward came from, known at compile time. It is
// visited, so only the other three are looked at: a test of a neighbour known
// to be visited is a branch the processor guesses wrong more often than not.
template <Step Back>
inline constexpr std::integral_constant<int, static_cast<int>(Back)> kCameFrom{};
inline constexpr std::integral_constant<int, -1> kCameFromNowhere{};

// Asks for the memory line at cell + offset ahead of use. A hint only: the
// address may lie off the grid, where a prefetch never faults, so it is
// formed as an integer rather than by pointer arithmetic.
void prefetch(const std::uint8_t* cell, std::ptrdiff_t offset) {
    __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(cell) +
                                                     static_cast<std::uintptr_t>(offset)));
}

// The window's carving on the grid, told to observer as it goes; NoCarveObserver
// leaves the window-exact loop as it was.
template <typename Observer>
void carveTuned(WallGrid& grid, SeededRandom& source, Observer& observer) {
    // A copy whose state can stay in registers: the grid's byte stores might
    // alias the caller's. It goes back to the caller at the end.
    SeededRandom random = source;
    const int width = grid.width();
    const int height = grid.height();
    const auto rowLength = static_cast<std::ptrdiff_t>(width);
    const std::ptrdiff_t stepOffset[4] = {1, -rowLength, -1, rowLength};

    const int startX = startCoordinate(random, width);
    const int startY = startCoordinate(random, height);
    std::uint8_t* const start = grid.data() + grid.index({startX, startY});
    std::uint8_t* here = start;
    int x = startX;
    int y = startY;
    *here |= kVisited;
    std::uint8_t* const base = grid.data();
    const auto at = [base](const std::uint8_t* cell) { return static_cast<CellId>(cell - base); };
    observer.mark(at(here), CellRole::Stack);
    observer.current(at(here));

    // The window tests up, right, down, left, draws a weight of 1 .. 5 for
    // each open one in that order and takes the first highest. Choosing as
    // the weights come makes the same choice from the same draws.
    Step best = Step::Right;
    int highest = 0;
    const auto weigh = [&](Step step) {
        const int weight = random.Random(5) + 1;
        // Selected without a branch: which weight wins is a coin toss.
        const bool higher = weight > highest;
        best = higher ? step : best;
        highest = higher ? weight : highest;
    };
    const auto weighNeighbours = [&]<int Back>(std::integral_constant<int, Back>) {
        best = Step::Right;
        highest = 0;
        constexpr auto lookUp = Back != static_cast<int>(Step::Up);
        constexpr auto lookRight = Back != static_cast<int>(Step::Right);
        constexpr auto lookDown = Back != static_cast<int>(Step::Down);
        constexpr auto lookLeft = Back != static_cast<int>(Step::Left);
        if (lookUp && y > 0 && (here[-rowLength] & kVisited) == 0) {
            weigh(Step::Up);
        }
        if (lookRight && x + 1 < width && (here[1] & kVisited) == 0) {
            weigh(Step::Right);
        }
        if (lookDown && y + 1 < height && (here[rowLength] & kVisited) == 0) {
            weigh(Step::Down);
        }
        if (lookLeft && x > 0 && (here[-1] & kVisited) == 0) {
            weigh(Step::Left);
        }
    };

    // Forward steps run into cells nobody has touched since the grid was
    // made; on a grid larger than the caches their lines come from memory.
    // Asking early for the lines a few rows ahead, where the walk is heading,
    // hides much of that wait. Measured best at four rows and one line aside.
    constexpr std::ptrdiff_t kLine = 64;
    const std::ptrdiff_t rowsAhead = 4 * rowLength;

    weighNeighbours(kCameFromNowhere);
    for (;;) {
        while (highest > 0) {
            const CellId from = at(here);
            // Each edge is held by the cell below or to the right of it.
            switch (best) {
                case Step::Up:
                    *here &= ~kTopBits;
                    here -= rowLength;
                    --y;
                    *here |= enteredFrom(Step::Down);
                    prefetch(here, -rowsAhead - kLine);
                    prefetch(here, -rowsAhead);
                    prefetch(here, -rowsAhead + kLine);
                    weighNeighbours(kCameFrom<Step::Down>);
                    break;
                case Step::Right:
                    ++here;
                    ++x;
                    *here =
                        static_cast<std::uint8_t>((*here & ~kLeftBits) | enteredFrom(Step::Left));
                    prefetch(here, kLine - rowsAhead);
                    prefetch(here, kLine + rowsAhead);
                    weighNeighbours(kCameFrom<Step::Left>);
                    break;
                case Step::Down:
                    here += rowLength;
                    ++y;
                    *here = static_cast<std::uint8_t>((*here & ~kTopBits) | enteredFrom(Step::Up));
                    prefetch(here, rowsAhead - kLine);
                    prefetch(here, rowsAhead);
                    prefetch(here, rowsAhead + kLine);
                    weighNeighbours(kCameFrom<Step::Up>);
                    break;
                case Step::Left:
                    *here &= ~kLeftBits;
                    --here;
                    --x;
                    *here |= enteredFrom(Step::Right);
                    prefetch(here, -kLine - rowsAhead);
                    prefetch(here, -kLine + rowsAhead);
                    weighNeighbours(kCameFrom<Step::Right>);
                    break;
            }
            observer.opened(from, at(here));
            observer.mark(at(here), CellRole::Stack);
            observer.current(at(here));
        }
        observer.mark(at(here), CellRole::Done);
        if (here == start) {
            break;
        }
        const auto back = static_cast<int>(wayBack(*here));
        here += stepOffset[back];
        x += kStepDx[back];
        y += kStepDy[back];
        observer.current(at(here));
        weighNeighbours(kCameFromNowhere);
    }
    grid.clearScratch();
    source = random;
}

}  // namespace

template <CarveListener Observer, CarvedMaze Maze>
void carveDepthFirst(Maze& maze, SeededRandom& random, Observer&& observer) {
    if constexpr (std::same_as<Maze, WallGrid>) {
        carveTuned(maze, random, observer);
    } else {
        withMazeView(maze, [&](const auto& view) { carveDepthFirstOn(view, random, observer); });
    }
}

NITKA_GENERAL_CARVER(carveDepthFirst);

}  // namespace nitka
