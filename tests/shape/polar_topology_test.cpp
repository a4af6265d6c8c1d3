#include "shape/polar_topology.h"

#include <gtest/gtest.h>

#include <numbers>

namespace nitka {
namespace {

// Every ring's cells, measured along the ring's middle, stay between half and
// twice as wide as the ring is deep, and each splits the ring inside evenly.
TEST(PolarTopology, KeepsEveryRingsCellsNearSquare) {
    constexpr int kRings = 3000;
    const PolarTopology topology(kRings);
    CellId cells = 1;
    for (int ring = 1; ring <= kRings; ++ring) {
        SCOPED_TRACE(::testing::Message() << "ring " << ring);
        const auto count = topology.ringCells(ring);
        const double width = 2 * std::numbers::pi * (ring + 0.5) / static_cast<double>(count);
        EXPECT_GE(width, 0.5);
        EXPECT_LE(width, 2.0);
        EXPECT_EQ(count % topology.ringCells(ring - 1), 0);
        EXPECT_EQ(topology.ringStart(ring), cells);
        cells += static_cast<CellId>(count);
    }
    EXPECT_EQ(topology.cellCount(), cells);
    EXPECT_EQ(topology.width(), topology.ringCells(kRings));
}

TEST(PolarTopology, NumbersPositionsClockwiseFromTheTop) {
    const PolarTopology topology(2);
    const Point middle = topology.centre(0);
    const Point first = topology.centre(topology.cellAt({0, 1}));
    const Point second = topology.centre(topology.cellAt({1, 1}));
    EXPECT_LT(first.y, middle.y);
    EXPECT_GT(first.x, middle.x);
    EXPECT_GT(second.x, first.x);
    EXPECT_GT(second.y, first.y);
}

}  // namespace
}  // namespace nitka
