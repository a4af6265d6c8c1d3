// Feeds arbitrary bytes to the reader of the maze shape file, then to the
// searches and measures the tool runs on what it reads. Beyond the
// sanitizers' checks it requires that the only failure is a malformed or cut
// file (running out of memory is a fault too: the reader must hold no more than
// the input does), that the maze read agrees with its topology (neighbours
// that are cells and name each other, a side held once, no open side to the
// edge or a hole), that what reads writes and reads back to the same held
// bits, that both routes walk only through open sides from start to target
// with the shortest no longer, whatever the size of its queue, and that every
// search leaves the scratch bits clear.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>

#include "fuzz_input.h"
#include "shape/shape_maze.h"
#include "solver/maze_stats.h"
#include "solver/shape_route.h"
#include "solver/shape_search.h"
#include "storage/file_error.h"
#include "storage/shape_file.h"

namespace {

using nitka::CellId;
using nitka::fuzzing::ByteBuffer;
using nitka::fuzzing::require;

using Neighbours = std::array<CellId, nitka::kMaxNeighbours>;

bool scratchClear(const nitka::ShapeMaze& maze) {
    for (CellId place = 0; place < maze.topology().slotCount(); ++place) {
        if (maze.topology().isCell(place) && maze.scratch(place) != 0) {
            return false;
        }
    }
    return true;
}

bool listed(const Neighbours& list, int count, CellId cell) {
    for (int i = 0; i < count; ++i) {
        if (list[static_cast<std::size_t>(i)] == cell) {
            return true;
        }
    }
    return false;
}

void checkTopology(const nitka::ShapeMaze& maze) {
    const nitka::Topology& topology = maze.topology();
    CellId cells = 0;
    Neighbours near{};
    Neighbours back{};
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (!topology.isCell(cell)) {
            continue;
        }
        ++cells;
        require(topology.cellAt(topology.position(cell)) == cell);
        const int count = topology.neighbours(cell, near);
        require(count >= 0 && count <= nitka::kMaxNeighbours);
        std::uint8_t held = 0;
        for (int i = 0; i < count; ++i) {
            const CellId other = near[static_cast<std::size_t>(i)];
            require(other < topology.slotCount() && topology.isCell(other) && other != cell);
            require(listed(back, topology.neighbours(other, back), cell));
            const nitka::HeldSide side = topology.heldSide(cell, other);
            require(side == topology.heldSide(other, cell));
            require(side.holder == cell || side.holder == other);
            require(side.slot >= 0 && side.slot < nitka::kMaxHeldSides);
            if (side.holder == cell) {
                require((held >> side.slot & 1u) == 0);
                held = static_cast<std::uint8_t>(held | 1u << side.slot);
            }
        }
        // A bit that no neighbour's side owns is a side open to nowhere.
        require((maze.heldBits(cell) & ~held) == 0);
    }
    require(cells == topology.cellCount() && cells >= 1);
    require(topology.isCell(topology.start()) && topology.isCell(topology.target()));
}

void checkRoundTrip(const nitka::ShapeMaze& maze) {
    std::stringbuf saved;
    nitka::writeShapeMaze(saved, maze);
    const nitka::ShapeMaze again = nitka::readShapeMaze(saved);
    const nitka::Topology& was = maze.topology();
    const nitka::Topology& is = again.topology();
    require(is.kind() == was.kind() && is.width() == was.width() && is.height() == was.height());
    require(is.slotCount() == was.slotCount() && is.cellCount() == was.cellCount());
    for (CellId place = 0; place < was.slotCount(); ++place) {
        require(is.isCell(place) == was.isCell(place));
        require(!was.isCell(place) || again.heldBits(place) == maze.heldBits(place));
    }
}

void checkRoute(const nitka::ShapeMaze& maze, const nitka::ShapeRoute& route, CellId from,
                CellId to) {
    const nitka::Topology& topology = maze.topology();
    require(route.start() == from);
    Neighbours near{};
    Neighbours back{};
    CellId cell = from;
    for (std::uint64_t i = 0; i < route.moves(); ++i) {
        const int count = topology.neighbours(cell, near);
        require(route.move(i) < count);
        const CellId next = near[static_cast<std::size_t>(route.move(i))];
        require(maze.isOpen(cell, next));
        const int backCount = topology.neighbours(next, back);
        require(route.moveBack(i) < backCount);
        require(back[static_cast<std::size_t>(route.moveBack(i))] == cell);
        cell = next;
    }
    require(cell == to);
}

bool sameMoves(const nitka::ShapeRoute& a, const nitka::ShapeRoute& b) {
    if (a.start() != b.start() || a.moves() != b.moves()) {
        return false;
    }
    for (std::uint64_t i = 0; i < a.moves(); ++i) {
        if (a.move(i) != b.move(i) || a.moveBack(i) != b.moveBack(i)) {
            return false;
        }
    }
    return true;
}

void checkSearches(nitka::ShapeMaze& maze) {
    const CellId from = maze.topology().start();
    const CellId to = maze.topology().target();
    const auto route = nitka::findShapeRoute(maze, from, to);
    require(scratchClear(maze));
    const auto shortest = nitka::findShortestShapeRoute(maze, from, to);
    require(scratchClear(maze));
    // A queue of two cells makes almost every level overflow into a scan.
    const auto scanned = nitka::findShortestShapeRoute(maze, from, to, 2);
    require(scratchClear(maze));
    require(route.has_value() == shortest.has_value());
    require(shortest.has_value() == scanned.has_value());
    if (route) {
        checkRoute(maze, *route, from, to);
        checkRoute(maze, *shortest, from, to);
        require(shortest->moves() <= route->moves());
        require(sameMoves(*shortest, *scanned));
    }
    const nitka::MazeStats stats = nitka::measureMaze(maze);
    require(scratchClear(maze));
    require(stats.cells == maze.topology().cellCount());
    require(stats.reachable >= 1 && stats.reachable <= stats.cells);
    require(stats.routeCells.has_value() == route.has_value());
    require(stats.shortestCells.has_value() == route.has_value());
    if (route) {
        require(*stats.routeCells == route->moves() + 1);
        require(*stats.shortestCells == shortest->moves() + 1);
    }
    require(!stats.perfect || (stats.loops == 0 && stats.reachable == stats.cells));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteBuffer bytes(data, size);
    std::optional<nitka::ShapeMaze> maze;
    try {
        maze.emplace(nitka::readShapeMaze(bytes));
    } catch (const nitka::FileError& error) {
        require(error.code() == nitka::file_error_code::kInvalidNumber ||
                error.code() == nitka::file_error_code::kReadBeyondEnd);
        return 0;
    }
    checkTopology(*maze);
    checkRoundTrip(*maze);
    checkSearches(*maze);
    return 0;
}
