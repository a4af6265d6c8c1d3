#include "model/generator.h"

#include <array>
#include <cassert>

namespace nitka {
namespace {

struct Direction {
    int dx;
    int dy;
};

// Numbered 1 up, 2 right, 3 down, 4 left: the order of testing and of the tie-break.
constexpr std::array<Direction, 4> kDirections{{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}};

// An odd grid index drawn uniformly from 1 .. limit - 1 (limit even).
int randomOddIndex(RandomSource& random, int limit) {
    int r = random.Random(limit - 1);
    while (r % 2 != 0) {
        r = random.Random(limit - 1);
    }
    return r + 1;
}

}  // namespace

void Initialise(MazeState& maze) {
    const int maxX = maze.GridMaxX;
    const int maxY = maze.GridMaxY;
    auto& grid = maze.CellGrid;
    for (int x = 0; x <= maxX; ++x) {
        grid[x][0] = CellBorder;
        grid[x][maxY] = CellBorder;
    }
    for (int y = 0; y <= maxY; ++y) {
        grid[0][y] = CellBorder;
        grid[maxX][y] = CellBorder;
    }
    for (int y = 1; y < maxY; ++y) {
        for (int x = 1; x < maxX; ++x) {
            grid[x][y] = (x % 2 == 1 && y % 2 == 1) ? CellFresh : CellWall;
        }
    }
}

void startCarving(MazeState& maze, RandomSource& random) {
    const int x = randomOddIndex(random, maze.GridMaxX);
    const int y = randomOddIndex(random, maze.GridMaxY);
    maze.CarveCount = 1;
    maze.CarveStack.assign(1, Position{x, y});
    maze.CellGrid[x][y] = CellOpen;
    maze.CurrentCell = Position{x, y};
}

void CelluleSuite(MazeState& maze, RandomSource& random) {
    assert(maze.CarveCount > 0);
    auto& grid = maze.CellGrid;
    const Position here = maze.CurrentCell;

    // The border holds 255, never 9, so no test looks past it.
    for (std::size_t d = 0; d < kDirections.size(); ++d) {
        const auto [dx, dy] = kDirections[d];
        const bool open = grid[here.x + dx][here.y + dy] == CellWall &&
                          grid[here.x + 2 * dx][here.y + 2 * dy] == CellFresh;
        maze.Candidates[d] = open ? 1 : 0;
    }
    for (auto& weight : maze.Candidates) {
        if (weight != 0) {
            weight = static_cast<std::uint8_t>(random.Random(5) + 1);
        }
    }
    // Strictly greater: on a tie the lower-numbered direction keeps the lead.
    int best = 0;
    int highest = 0;
    for (std::size_t d = 0; d < maze.Candidates.size(); ++d) {
        if (maze.Candidates[d] > highest) {
            best = static_cast<int>(d) + 1;
            highest = maze.Candidates[d];
        }
    }

    if (best == 0) {
        // Backing up only lowers the count; the storage keeps its length.
        --maze.CarveCount;
        if (maze.CarveCount > 0) {
            maze.CurrentCell = maze.CarveStack[maze.CarveCount - 1];
        }
        return;
    }
    const auto [dx, dy] = kDirections[best - 1];
    const Position next{here.x + 2 * dx, here.y + 2 * dy};
    grid[here.x + dx][here.y + dy] = CellOpen;
    grid[next.x][next.y] = CellOpen;
    ++maze.CarveCount;
    maze.CarveStack.resize(maze.CarveCount);
    maze.CarveStack[maze.CarveCount - 1] = next;
    maze.CurrentCell = next;
}

}  // namespace nitka
