#include "solver/view_measures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "carve/carve_method.h"
#include "carve/shape_carve.h"
#include "shape/make_topology.h"
#include "solver/difficulty.h"
#include "solver/measured_maze.h"
#include "solver/view_route.h"
#include "support/shape_layouts.h"

// The searches and measures are written once over a maze view; these
// properties hold them to one standard on every kind of layout, the
// window's rectangle held as a WallGrid among them.
namespace nitka {
namespace {

struct PlainGrid {
    static WallGrid carved(const CarveOptions& options, SeededRandom& random) {
        WallGrid grid(13, 9);
        carveMaze(grid, options, random);
        return grid;
    }
};

template <ShapeKind kKind, int kWidth, int kHeight>
struct Shape {
    static ShapeMaze carved(const CarveOptions& options, SeededRandom& random) {
        ShapeMaze maze(makeTopology(kKind, kWidth, kHeight));
        carveShapeMaze(maze, options, random);
        return maze;
    }
};

struct MaskedRect {
    static ShapeMaze carved(const CarveOptions& options, SeededRandom& random) {
        ShapeMaze maze(
            testing::maskedRect({"#######", "#..#..#", "#######", "##...##", "#######"}));
        carveShapeMaze(maze, options, random);
        return maze;
    }
};

using Hex = Shape<ShapeKind::Hex, 9, 7>;
using Triangle = Shape<ShapeKind::Triangle, 11, 6>;
using Polar = Shape<ShapeKind::Polar, 16, 5>;

template <typename Kind>
class OnEveryLayout : public ::testing::Test {};

using Layouts = ::testing::Types<PlainGrid, MaskedRect, Hex, Triangle, Polar>;
TYPED_TEST_SUITE(OnEveryLayout, Layouts);

// The cells of the layout and the sides of each a route may cross.
template <typename View>
std::vector<CellId> passableNeighbours(const View& maze, CellId cell) {
    search::NeighbourArray list{};
    const int count = maze.layout().neighbours(cell, list);
    std::vector<CellId> open;
    for (int i = 0; i < count; ++i) {
        if (maze.passable(cell, list[static_cast<std::size_t>(i)])) {
            open.push_back(list[static_cast<std::size_t>(i)]);
        }
    }
    return open;
}

template <typename View>
std::vector<CellId> cellsOf(const View& maze) {
    std::vector<CellId> cells;
    for (CellId cell = 0; cell < maze.layout().slotCount(); ++cell) {
        if (maze.layout().isCell(cell)) {
            cells.push_back(cell);
        }
    }
    return cells;
}

// Steps from every cell to target, by a plain search with its own memory.
template <typename View>
std::vector<std::optional<std::uint64_t>> stepsTo(const View& maze, CellId target) {
    std::vector<std::optional<std::uint64_t>> steps(maze.layout().slotCount());
    steps[target] = 0;
    std::vector<CellId> level{target};
    for (std::uint64_t distance = 1; !level.empty(); ++distance) {
        std::vector<CellId> next;
        for (const CellId cell : level) {
            for (const CellId n : passableNeighbours(maze, cell)) {
                if (!steps[n]) {
                    steps[n] = distance;
                    next.push_back(n);
                }
            }
        }
        level = std::move(next);
    }
    return steps;
}

template <typename View, typename Route>
::testing::AssertionResult joinsThroughOpenSides(const View& maze, const Route& route, CellId from,
                                                 CellId to) {
    std::vector<CellId> cells;
    forEachRouteCell(maze, route, [&](CellId cell) { cells.push_back(cell); });
    if (cells.front() != from || cells.back() != to) {
        return ::testing::AssertionFailure() << "the route does not join its ends";
    }
    for (std::size_t i = 1; i < cells.size(); ++i) {
        const auto open = passableNeighbours(maze, cells[i - 1]);
        if (std::find(open.begin(), open.end(), cells[i]) == open.end()) {
            return ::testing::AssertionFailure() << "a step through a wall at " << i;
        }
    }
    return ::testing::AssertionSuccess();
}

template <typename View>
bool scratchClear(const View& maze) {
    for (const CellId cell : cellsOf(maze)) {
        if (maze.scratch(cell) != 0) {
            return false;
        }
    }
    return true;
}

const double kBraids[] = {0.0, 0.6};

// Both routes walk open sides from one end to the other, the shortest is as
// short as a plain search says, also when its queue overflows into scans,
// and without loops the window's route is that one too.
TYPED_TEST(OnEveryLayout, RoutesJoinTheirEndsAndTheShortestIsShortest) {
    for (const double braid : kBraids) {
        SeededRandom random(7);
        auto held =
            TypeParam::carved({CarveMethod::GrowingTree, GrowingTreePick::Mix, 0.5, braid}, random);
        withMazeView(held, [&](const auto& maze) {
            const std::vector<CellId> cells = cellsOf(maze);
            for (std::size_t pair = 0; pair < 12; ++pair) {
                const CellId from = cells[(pair * 7) % cells.size()];
                const CellId to = cells[(pair * 13 + 5) % cells.size()];
                SCOPED_TRACE("braid " + std::to_string(braid) + " from " + std::to_string(from) +
                             " to " + std::to_string(to));
                const auto steps = stepsTo(maze, to)[from];
                ASSERT_TRUE(steps);
                const auto route = windowRoute(maze, from, to);
                ASSERT_TRUE(route);
                EXPECT_TRUE(joinsThroughOpenSides(maze, *route, from, to));
                EXPECT_GE(route->moves(), *steps);
                if (braid == 0) {
                    EXPECT_EQ(route->moves(), *steps);
                }
                for (const std::size_t queue : {kShortestQueueCells, std::size_t{2}}) {
                    const auto shortest = shortestRoute(maze, from, to, queue);
                    ASSERT_TRUE(shortest);
                    EXPECT_TRUE(joinsThroughOpenSides(maze, *shortest, from, to));
                    EXPECT_EQ(shortest->moves(), *steps);
                }
                EXPECT_TRUE(scratchClear(maze));
            }
            EXPECT_FALSE(windowRoute(maze, 0, kNoCell));
            EXPECT_FALSE(shortestRoute(maze, kNoCell, 0));
        });
    }
}

// Corridors walked the slow way: from each cell that is not two-way along
// two-way cells to the next such cell. Each is walked once from either end.
struct Walked {
    std::uint64_t corridors = 0;
    std::uint64_t passages = 0;
};

template <typename View>
Walked walkCorridors(const View& maze) {
    Walked walked;
    for (const CellId end : cellsOf(maze)) {
        if (passableNeighbours(maze, end).size() == 2) {
            continue;
        }
        for (const CellId first : passableNeighbours(maze, end)) {
            CellId previous = end;
            CellId cell = first;
            std::uint64_t length = 1;
            while (passableNeighbours(maze, cell).size() == 2) {
                const auto open = passableNeighbours(maze, cell);
                const CellId next = open[0] == previous ? open[1] : open[0];
                previous = cell;
                cell = next;
                ++length;
            }
            ++walked.corridors;
            walked.passages += length;
        }
    }
    return {walked.corridors / 2, walked.passages / 2};
}

// Every figure of `info` against a count of its own on a carved maze, with
// and without loops, and the difficulty's decisions counted along the
// shortest route: cells, the target excepted, with a way off the route.
TYPED_TEST(OnEveryLayout, MeasuresAgreeWithCountsOfTheirOwn) {
    for (const double braid : kBraids) {
        SCOPED_TRACE("braid " + std::to_string(braid));
        SeededRandom random(5);
        auto held =
            TypeParam::carved({CarveMethod::Wilson, GrowingTreePick::Mix, 0.5, braid}, random);
        const MazeStats stats = measureMaze(held);
        const MeasuredMaze measured = measureWithDifficulty(held);
        EXPECT_EQ(measured.stats, stats);
        const measure::Ends ends = measure::endsOf(held);
        withMazeView(held, [&](const auto& maze) {
            const std::vector<CellId> cells = cellsOf(maze);
            std::uint64_t openings = 0;
            std::uint64_t deadEnds = 0;
            for (const CellId cell : cells) {
                openings += passableNeighbours(maze, cell).size();
                deadEnds += passableNeighbours(maze, cell).size() == 1 ? 1 : 0;
            }
            EXPECT_EQ(stats.cells, cells.size());
            EXPECT_EQ(stats.reachable, cells.size());
            EXPECT_EQ(stats.passages, openings / 2);
            EXPECT_EQ(stats.deadEnds, deadEnds);
            EXPECT_EQ(stats.passages + 1, stats.cells + stats.loops);
            EXPECT_EQ(stats.perfect, stats.loops == 0);
            EXPECT_EQ(stats.loops == 0, braid == 0);
            const Walked walked = walkCorridors(maze);
            EXPECT_EQ(stats.corridors, walked.corridors);
            EXPECT_EQ(stats.passages, walked.passages);

            const auto route = windowRoute(maze, ends.start, ends.target);
            const auto shortest = shortestRoute(maze, ends.start, ends.target);
            ASSERT_TRUE(route && shortest);
            EXPECT_EQ(stats.routeCells, route->moves() + 1);
            EXPECT_EQ(stats.shortestCells, shortest->moves() + 1);

            std::vector<CellId> path;
            forEachRouteCell(maze, *shortest, [&](CellId cell) { path.push_back(cell); });
            DifficultyParts expected{path.size(), cells.size(), 0};
            for (std::size_t i = 0; i + 1 < path.size(); ++i) {
                const std::size_t taken = i == 0 ? 1 : 2;
                expected.decisions += passableNeighbours(maze, path[i]).size() > taken ? 1 : 0;
            }
            // The plain rectangle's fast path, by overload, and the general walk.
            using View = std::remove_cvref_t<decltype(maze)>;
            for (const DifficultyParts& parts :
                 {difficultyParts(maze, *shortest, stats.reachable),
                  difficultyParts<View>(maze, *shortest, stats.reachable)}) {
                EXPECT_EQ(parts.routeCells, expected.routeCells);
                EXPECT_EQ(parts.reachable, expected.reachable);
                EXPECT_EQ(parts.decisions, expected.decisions);
            }
            EXPECT_EQ(measured.difficulty, difficultyScore(expected));
            EXPECT_TRUE(scratchClear(maze));
        });
    }
}

}  // namespace
}  // namespace nitka
