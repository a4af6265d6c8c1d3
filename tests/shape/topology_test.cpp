#include "shape/topology.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "shape/layout.h"
#include "shape/layouts.h"
#include "shape/make_topology.h"
#include "shape/moved_ends.h"
#include "shape/polar_topology.h"

namespace nitka {
namespace {

constexpr double kClose = 1e-9;

bool samePoint(Point a, Point b) {
    return std::abs(a.x - b.x) < kClose && std::abs(a.y - b.y) < kClose;
}

std::vector<CellId> neighboursOf(const Topology& topology, CellId cell) {
    std::array<CellId, kMaxNeighbours> out{};
    const int count = topology.neighbours(cell, out);
    return {out.begin(), out.begin() + count};
}

bool inside(Point p, Point extent) {
    return p.x > -kClose && p.y > -kClose && p.x < extent.x + kClose && p.y < extent.y + kClose;
}

class EveryLayout : public ::testing::TestWithParam<testing::Layout> {};

TEST_P(EveryLayout, AnswersConsistently) {
    const Topology& topology = *GetParam().topology;
    const Point extent = topology.extent();
    std::map<std::pair<CellId, int>, std::pair<CellId, CellId>> heldBy;
    CellId cells = 0;
    CellId first = kNoCell;
    CellId last = kNoCell;
    std::vector<Side> outline;
    std::vector<Side> across;
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (!topology.isCell(cell)) {
            continue;
        }
        SCOPED_TRACE(::testing::Message() << "cell " << cell);
        ++cells;
        first = std::min(first, cell);
        last = cell;
        const CellPosition at = topology.position(cell);
        EXPECT_EQ(topology.cellAt(at), cell);
        EXPECT_TRUE(inside(topology.centre(cell), extent));

        const std::vector<CellId> near = neighboursOf(topology, cell);
        std::vector<CellId> sorted = near;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "repeated";
        for (const CellId other : near) {
            EXPECT_NE(other, cell);
            ASSERT_TRUE(topology.isCell(other));
            const std::vector<CellId> back = neighboursOf(topology, other);
            EXPECT_NE(std::find(back.begin(), back.end(), cell), back.end()) << "to " << other;
            const HeldSide side = topology.heldSide(cell, other);
            EXPECT_EQ(side, topology.heldSide(other, cell));
            EXPECT_TRUE(side.holder == cell || side.holder == other);
            EXPECT_GE(side.slot, 0);
            EXPECT_LT(side.slot, kMaxHeldSides);
            const std::pair<CellId, CellId> pair{std::min(cell, other), std::max(cell, other)};
            const auto [place, fresh] = heldBy.emplace(std::pair{side.holder, side.slot}, pair);
            EXPECT_TRUE(fresh || place->second == pair)
                << "slot " << side.slot << " of " << side.holder << " holds two sides";
        }

        topology.outline(cell, outline);
        ASSERT_GE(outline.size(), 2u);
        double area = 0;
        std::vector<CellId> faced;
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const Side& side = outline[i];
            EXPECT_TRUE(samePoint(side.to, outline[(i + 1) % outline.size()].from))
                << "open at " << i;
            EXPECT_TRUE(inside(side.from, extent));
            if (side.arc) {
                EXPECT_NEAR(std::hypot(side.from.x - side.centre.x, side.from.y - side.centre.y),
                            std::hypot(side.to.x - side.centre.x, side.to.y - side.centre.y),
                            kClose);
            }
            area += side.from.x * side.to.y - side.to.x * side.from.y;
            if (side.across == kNoCell) {
                continue;
            }
            faced.push_back(side.across);
            topology.outline(side.across, across);
            const auto match = std::count_if(across.begin(), across.end(), [&](const Side& s) {
                return s.across == cell && samePoint(s.from, side.to) && samePoint(s.to, side.from);
            });
            EXPECT_EQ(match, 1) << "side to " << side.across;
        }
        // y runs down the page, so a clockwise outline has a positive sum.
        EXPECT_GT(area, 0) << "not clockwise";
        std::sort(faced.begin(), faced.end());
        EXPECT_EQ(faced, sorted) << "outline and neighbours disagree";
    }
    EXPECT_EQ(cells, topology.cellCount());
    EXPECT_EQ(heldBy.size() * 2, [&] {
        std::size_t ends = 0;
        for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
            ends += topology.isCell(cell) ? neighboursOf(topology, cell).size() : 0;
        }
        return ends;
    }()) << "every shared side held once";

    for (const CellPosition outside :
         {CellPosition{-1, 0}, CellPosition{0, -1}, CellPosition{topology.width(), 0},
          CellPosition{0, topology.height() + 1}}) {
        EXPECT_EQ(topology.cellAt(outside), kNoCell);
    }
    if (topology.kind() == ShapeKind::Polar) {
        EXPECT_EQ(topology.start(), 0u);
        EXPECT_EQ(topology.target(), topology.cellAt({0, topology.height()}));
        EXPECT_EQ(topology.position(topology.target()), (CellPosition{0, topology.height()}));
    } else {
        EXPECT_EQ(topology.start(), first);
        EXPECT_EQ(topology.target(), last);
    }
}

// The concrete layout the engine is bound to answers as the topology does,
// also under a maze whose exits moved (a wrapper of another type), and its
// links name the sides heldSide names.
TEST_P(EveryLayout, BindsTheEngineToALayoutThatAnswersAlike) {
    const auto& topology = GetParam().topology;
    const auto moved = withEnds(topology, topology->target(), topology->start());
    for (const Topology* asked : {topology.get(), moved.get()}) {
        visitLayout(*asked, [&](const auto& layout) {
            ASSERT_EQ(layout.slotCount(), topology->slotCount());
            ASSERT_EQ(layout.cellCount(), topology->cellCount());
            std::array<CellId, kMaxNeighbours> out{};
            for (CellId cell = 0; cell < topology->slotCount(); ++cell) {
                ASSERT_EQ(layout.isCell(cell), topology->isCell(cell));
                if (!topology->isCell(cell)) {
                    continue;
                }
                ASSERT_EQ(layout.position(cell), topology->position(cell));
                const int count = layout.neighbours(cell, out);
                ASSERT_EQ(std::vector<CellId>(out.begin(), out.begin() + count),
                          neighboursOf(*topology, cell));
                // A link carries the side that heldSide, asked afresh, names.
                LinkArray links;
                ASSERT_EQ(layout.links(cell, links), count);
                for (int place = 0; place < count; ++place) {
                    const CellId next = out[static_cast<std::size_t>(place)];
                    const Link& link = links[static_cast<std::size_t>(place)];
                    ASSERT_EQ(link.next, next);
                    ASSERT_EQ(link.side, topology->heldSide(cell, next));
                    ASSERT_EQ(layout.heldSide(cell, next), link.side);
                }
            }
        });
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, EveryLayout, ::testing::ValuesIn(testing::everyLayout()),
                         [](const auto& row) { return row.param.label; });

TEST(ShapeNames, ReadBackEveryShapeAndNothingElse) {
    for (const ShapeKind kind :
         {ShapeKind::Rect, ShapeKind::Hex, ShapeKind::Triangle, ShapeKind::Polar}) {
        EXPECT_EQ(parseShapeName(shapeName(kind)), kind);
    }
    for (const char* name : {"", "Hex", "hexagon", "rect ", "square"}) {
        EXPECT_EQ(parseShapeName(name), std::nullopt) << name;
    }
}

}  // namespace
}  // namespace nitka
