#include "carve/carvers.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "carve/carve_with.h"
#include "carve/grid_shape_copy.h"
#include "carve/observed_carve.h"
#include "carve/shape_carve.h"
#include "storage/shape_file.h"
#include "support/perfect_maze.h"
#include "support/shape_layouts.h"

namespace nitka {
namespace {

using testing::heldText;
using testing::maskOf;

struct Sample {
    std::string label;
    std::shared_ptr<const Topology> topology;
};

// The layouts, one type each: the store the carvers write into and the
// mazes to carve, small, odd and one cell wide where the layout allows.
struct PlainGrid {
    using Maze = WallGrid;
    static std::vector<Sample> samples() {
        std::vector<Sample> samples;
        for (const auto& [width, height] :
             {std::pair{1, 1}, std::pair{1, 200}, std::pair{200, 1}, std::pair{2, 2},
              std::pair{3, 3}, std::pair{2, 9}, std::pair{7, 5}, std::pair{47, 31},
              std::pair{101, 99}}) {
            samples.push_back({std::to_string(width) + " x " + std::to_string(height),
                               testing::plainRect(width, height)});
        }
        return samples;
    }
};

struct SquareMask {
    using Maze = ShapeMaze;
    static std::vector<Sample> samples() {
        return {{"ring", testing::maskedRect({"######", "#....#", "#....#", "######"})},
                {"comb", testing::maskedRect({"#.#.#.#", "#.#.#.#", "#######", "..#...#"})},
                {"lone cell", testing::maskedRect({"...", ".#.", "..."})},
                {"two pieces", testing::maskedRect({"###..", "###..", ".....", "..###"})}};
    }
};

struct Hexagons {
    using Maze = ShapeMaze;
    static std::vector<Sample> samples() {
        return {{"1 x 1", makeTopology(ShapeKind::Hex, 1, 1)},
                {"column", makeTopology(ShapeKind::Hex, 1, 6)},
                {"31 x 17", makeTopology(ShapeKind::Hex, 31, 17)},
                {"ring mask", makeTopology(ShapeKind::Hex, 6, 4,
                                           maskOf({"######", "#....#", "#....#", "######"}))}};
    }
};

struct Triangles {
    using Maze = ShapeMaze;
    static std::vector<Sample> samples() {
        return {{"1 x 2", makeTopology(ShapeKind::Triangle, 1, 2)},
                {"row", makeTopology(ShapeKind::Triangle, 7, 1)},
                {"29 x 13", makeTopology(ShapeKind::Triangle, 29, 13)},
                {"two pieces",
                 makeTopology(ShapeKind::Triangle, 6, 3, maskOf({"##..##", "##..##", "##..##"}))}};
    }
};

struct Rings {
    using Maze = ShapeMaze;
    static std::vector<Sample> samples() {
        return {{"1 ring", makeTopology(ShapeKind::Polar, 1, 1)},
                {"2 rings", makeTopology(ShapeKind::Polar, 1, 2)},
                {"12 rings", makeTopology(ShapeKind::Polar, 1, 12)}};
    }
};

// A fresh maze of the store, every side closed.
template <typename Maze>
Maze freshMaze(const Sample& sample) {
    if constexpr (std::same_as<Maze, WallGrid>) {
        return WallGrid(sample.topology->width(), sample.topology->height());
    } else {
        return ShapeMaze(sample.topology);
    }
}

// Both stores read as a maze of the sample's topology, to check one way.
ShapeMaze asShape(const WallGrid& grid, const Sample& sample) {
    ShapeMaze maze(sample.topology);
    copyGridToShape(grid, maze);
    return maze;
}

ShapeMaze asShape(const ShapeMaze& maze, const Sample&) {
    return maze;
}

// Every side between two cells open: the pieces of this are the islands,
// each of which gets a tree of its own.
ShapeMaze openSpace(const std::shared_ptr<const Topology>& topology) {
    ShapeMaze open(topology);
    std::array<CellId, kMaxNeighbours> list{};
    for (CellId cell = 0; cell < topology->slotCount(); ++cell) {
        const int count = topology->isCell(cell) ? topology->neighbours(cell, list) : 0;
        for (int i = 0; i < count; ++i) {
            open.setOpen(cell, list[static_cast<std::size_t>(i)], true);
        }
    }
    return open;
}

// Replays the sides it is told of onto a maze of its own.
class ReplayingObserver final : public CarveObserver {
public:
    explicit ReplayingObserver(ShapeMaze start) : m_maze(std::move(start)) {}

    void current(CellId) override {}
    void mark(CellId, CellRole) override {}
    void opened(CellId a, CellId b) override { m_maze.setOpen(a, b, true); }
    void closed(CellId a, CellId b) override { m_maze.setOpen(a, b, false); }

    const ShapeMaze& maze() const { return m_maze; }

private:
    ShapeMaze m_maze;
};

struct Method {
    std::string label;
    CarveOptions options;
};

// The methods a store carves: all on the rectangle's grid, else those for
// every shape; growing tree with each pick.
template <typename Maze>
std::vector<Method> methodsFor() {
    std::vector<Method> methods;
    for (const auto& info : carveMethods()) {
        if (info.method != CarveMethod::GrowingTree &&
            (std::same_as<Maze, WallGrid> || info.everyShape)) {
            methods.push_back({std::string(info.name), {info.method}});
        }
    }
    for (const char* pick : {"newest", "random", "oldest", "mix:0.3"}) {
        CarveOptions options{CarveMethod::GrowingTree};
        EXPECT_EQ(parseGrowingTreePick(pick, options), "");
        methods.push_back({std::string("growing-tree ") + pick, options});
    }
    return methods;
}

template <typename L>
class EveryLayout : public ::testing::Test {};

using Layouts = ::testing::Types<PlainGrid, SquareMask, Hexagons, Triangles, Rings>;
TYPED_TEST_SUITE(EveryLayout, Layouts);

// A perfect maze on each island (a forest's number of open sides, every cell
// reached), the scratch clear, the seed's own maze every time, told step by
// step to an observer from the same draws, and the seed matters.
TYPED_TEST(EveryLayout, EveryMethodCarvesAPerfectMazeTheSeedNamesAndTheObserverSees) {
    using Maze = typename TypeParam::Maze;
    for (const Sample& sample : TypeParam::samples()) {
        const ShapeMaze open = openSpace(sample.topology);
        const std::uint64_t islands = testing::joinedPieces(open);
        const bool hasChoice = testing::openSides(open) + islands > sample.topology->cellCount();
        for (const Method& method : methodsFor<Maze>()) {
            std::vector<std::string> mazes;
            for (const std::uint64_t seed : {1u, 2u, 3u, 77u}) {
                SCOPED_TRACE(sample.label + ", " + method.label + ", seed " + std::to_string(seed));
                Maze maze = freshMaze<Maze>(sample);
                SeededRandom random(seed);
                carveWith(maze, method.options, random);
                EXPECT_TRUE(testing::scratchClear(maze));
                const ShapeMaze carved = asShape(maze, sample);
                ASSERT_TRUE(testing::isPerfectOnEachIsland(carved, islands));

                Maze told = freshMaze<Maze>(sample);
                SeededRandom toldRandom(seed);
                ReplayingObserver observer(
                    carvesFromOpenSpace(method.options.method) ? open : ShapeMaze(sample.topology));
                carveWith(told, method.options, toldRandom, observer);
                EXPECT_EQ(heldText(asShape(told, sample)), heldText(carved)) << "told";
                EXPECT_EQ(heldText(observer.maze()), heldText(carved)) << "observer";
                EXPECT_EQ(toldRandom.Random(1 << 30), random.Random(1 << 30)) << "draws";
                mazes.push_back(heldText(carved));
            }
            // Tiny layouts have too few mazes for four seeds to be sure to differ.
            if (hasChoice && sample.topology->cellCount() >= 16) {
                EXPECT_TRUE(mazes[0] != mazes[1] || mazes[0] != mazes[2] || mazes[0] != mazes[3])
                    << method.label;
            }
        }
    }
}

// Beyond the plain rectangle, the tool's entry point is the one dispatch, and
// the file written reads back to the same maze.
TYPED_TEST(EveryLayout, TheEntryPointAndTheFileKeepTheMaze) {
    using Maze = typename TypeParam::Maze;
    if constexpr (std::same_as<Maze, ShapeMaze>) {
        for (const Sample& sample : TypeParam::samples()) {
            for (const Method& method : methodsFor<Maze>()) {
                SCOPED_TRACE(sample.label + ", " + method.label);
                ShapeMaze maze(sample.topology);
                SeededRandom random(3);
                carveWith(maze, method.options, random);
                ShapeMaze entered(sample.topology);
                SeededRandom enteredRandom(3);
                carveShapeMaze(entered, method.options, enteredRandom);
                EXPECT_EQ(heldText(entered), heldText(maze));
                std::stringbuf file;
                writeShapeMaze(file, maze);
                EXPECT_EQ(heldText(readShapeMaze(file)), heldText(maze));
            }
        }
    }
}

// A rectangle's own method asked of a shape maze is the caller's fault: it is
// refused out loud, not left as a maze of walls that reads as success.
TEST(CarveWith, RefusesARectangleOnlyMethodOnAShapeMaze) {
    const auto hexagons = makeTopology(ShapeKind::Hex, 5, 4);
    for (const auto& info : carveMethods()) {
        if (info.everyShape) {
            continue;
        }
        SCOPED_TRACE(std::string(info.name));
        ShapeMaze maze(hexagons);
        SeededRandom random(1);
        ReplayingObserver observer{ShapeMaze(hexagons)};
        EXPECT_THROW(carveWith(maze, {info.method}, random), std::logic_error);
        EXPECT_THROW(carveWith(maze, {info.method}, random, observer), std::logic_error);
        EXPECT_EQ(testing::openSides(maze), 0u);
    }
}

}  // namespace
}  // namespace nitka
