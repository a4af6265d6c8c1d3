// Feeds arbitrary bytes to the command-line tool's reading of a maze file into
// the compact grid, then to its searches and measures. Beyond the sanitizers'
// checks it requires that the only failure is an invalid number, that the
// grid holds what the window's reader reads from the same bytes, that what
// loads writes and loads back the same, that both routes walk only through
// passable edges from start to end with the shortest no longer, and that every
// search leaves the grid's scratch bits clear.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "fuzz_input.h"
#include "grid/wall_grid.h"
#include "model/maze_state.h"
#include "solver/grid_search.h"
#include "solver/maze_stats.h"
#include "solver/route_search.h"
#include "storage/file_error.h"
#include "storage/grid_reader.h"
#include "storage/grid_writer.h"
#include "storage/maze_reader.h"

namespace {

// Large enough for every branch of the readers and searches, small enough to
// keep the fuzzer fast.
constexpr std::int64_t kMaxCells = 1 << 14;

using nitka::fuzzing::ByteBuffer;
using nitka::fuzzing::require;

bool scratchClear(const nitka::WallGrid& grid) {
    for (std::size_t cell = 0; cell < grid.cellCount(); ++cell) {
        if (grid.scratch(cell) != 0) {
            return false;
        }
    }
    return true;
}

bool sameFlags(const nitka::WallGrid& a, const nitka::WallGrid& b) {
    if (a.width() != b.width() || a.height() != b.height()) {
        return false;
    }
    for (std::size_t cell = 0; cell < a.cellCount(); ++cell) {
        if (a.top(cell) != b.top(cell) || a.left(cell) != b.left(cell)) {
            return false;
        }
    }
    return true;
}

// The window's reader on the same bytes gives the same flags, by class.
void checkAgainstWindowReader(const std::uint8_t* data, std::size_t size,
                              const nitka::WallGrid& grid) {
    ByteBuffer bytes(data, size);
    nitka::MazeReader reader(bytes);
    nitka::readMazeHeader(reader);
    const nitka::Maze walls = nitka::readMazeCells(reader, grid.width(), grid.height());
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            const std::size_t cell = grid.index({x, y});
            require(nitka::flagOf(walls[x][y].Top) == grid.top(cell));
            require(nitka::flagOf(walls[x][y].Left) == grid.left(cell));
        }
    }
}

void checkRoundTrip(const nitka::WallGrid& grid) {
    std::stringbuf saved;
    nitka::writeGrid(saved, grid);
    nitka::MazeReader reader(saved);
    const nitka::MazeSize size = nitka::readMazeHeader(reader);
    require(size.width == grid.width() && size.height == grid.height());
    nitka::WallGrid again(size.width, size.height);
    nitka::readGridCells(reader, again);
    require(sameFlags(grid, again));
}

void checkRoute(const nitka::WallGrid& grid, const nitka::GridRoute& route, nitka::GridCell to) {
    nitka::GridCell cell = route.start();
    for (std::uint64_t i = 0; i < route.moves(); ++i) {
        require(grid.passable(cell, route.move(i)));
        cell = nitka::neighbour(cell, route.move(i));
    }
    require(cell == to);
}

void checkSearches(nitka::WallGrid& grid) {
    const nitka::GridCell corner{grid.width() - 1, grid.height() - 1};
    const auto route = nitka::findGridRoute(grid, {0, 0}, corner);
    require(scratchClear(grid));
    const auto shortest = nitka::findShortestRoute(grid, {0, 0}, corner);
    require(scratchClear(grid));
    require(route.has_value() == shortest.has_value());
    if (route) {
        checkRoute(grid, *route, corner);
        checkRoute(grid, *shortest, corner);
        require(shortest->moves() <= route->moves());
    }
    const nitka::MazeStats stats = nitka::measureMaze(grid);
    require(scratchClear(grid));
    require(stats.reachable >= 1 && stats.reachable <= stats.cells);
    require(stats.routeCells.has_value() == route.has_value());
    require(!stats.perfect || (stats.loops == 0 && stats.reachable == stats.cells));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteBuffer bytes(data, size);
    nitka::MazeReader reader(bytes);
    try {
        const nitka::MazeSize mazeSize = nitka::readMazeHeader(reader);
        if (mazeSize.width < 1 || mazeSize.height < 1 ||
            std::int64_t{mazeSize.width} * mazeSize.height > kMaxCells) {
            return 0;
        }
        nitka::WallGrid grid(mazeSize.width, mazeSize.height);
        nitka::readGridCells(reader, grid);
        if (mazeSize.width <= nitka::kMaxMazeSide && mazeSize.height <= nitka::kMaxMazeSide) {
            checkAgainstWindowReader(data, size, grid);
        }
        checkRoundTrip(grid);
        checkSearches(grid);
    } catch (const nitka::FileError& error) {
        require(error.code() == nitka::file_error_code::kInvalidNumber);
    }
    return 0;
}
