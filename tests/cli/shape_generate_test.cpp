#include "cli/shape_generate.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "carve/shape_carve.h"
#include "model/seeded_random.h"
#include "shape/make_topology.h"
#include "solver/farthest_exits.h"

namespace nitka {
namespace {

// Every held side and both ends of two mazes on one layout.
void expectSameMaze(const ShapeMaze& made, const ShapeMaze& expected) {
    const Topology& layout = expected.topology();
    ASSERT_EQ(made.topology().slotCount(), layout.slotCount());
    EXPECT_EQ(made.topology().start(), layout.start());
    EXPECT_EQ(made.topology().target(), layout.target());
    for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
        ASSERT_EQ(made.heldBits(cell), expected.heldBits(cell)) << "cell " << cell;
    }
}

// The rectangle's own carver took over moved exits on a plain rectangle from
// the general one: where both carve, files written before must not change.
TEST(ShapeGenerateTest, ARectangleWithMovedExitsIsTheGeneralCarversMaze) {
    for (const CarveMethodInfo& info : carveMethods()) {
        if (!carvesEveryShape(info.method)) {
            continue;
        }
        for (const auto& [width, height] : {std::pair{1, 1}, {1, 7}, {9, 1}, {8, 6}, {13, 21}}) {
            for (const double braid : {0.0, 0.5}) {
                for (std::uint64_t seed = 1; seed <= 3; ++seed) {
                    GenerateRequest request;
                    request.width = width;
                    request.height = height;
                    request.carve.method = info.method;
                    request.carve.braid = braid;
                    request.farthestExits = true;
                    ShapeMaze general(makeTopology(ShapeKind::Rect, width, height));
                    SeededRandom random(seed);
                    carveShapeMaze(general, request.carve, random);
                    SCOPED_TRACE(std::string(info.name) + " " + std::to_string(width) + " x " +
                                 std::to_string(height) + " braid " + std::to_string(braid) +
                                 " seed " + std::to_string(seed));
                    expectSameMaze(carveShapeRequest(request, seed), withFarthestExits(general));
                }
            }
        }
    }
}

TEST(ShapeGenerateTest, EveryMethodMovesTheExitsOfARectangleToItsEdge) {
    for (const CarveMethodInfo& info : carveMethods()) {
        GenerateRequest request;
        request.width = 12;
        request.height = 9;
        request.carve.method = info.method;
        request.farthestExits = true;
        const ShapeMaze maze = carveShapeRequest(request, 5);
        EXPECT_TRUE(isEdgeCell(maze.topology(), maze.topology().start())) << info.name;
        EXPECT_TRUE(isEdgeCell(maze.topology(), maze.topology().target())) << info.name;
        EXPECT_NE(maze.topology().start(), maze.topology().target()) << info.name;
    }
}

}  // namespace
}  // namespace nitka
