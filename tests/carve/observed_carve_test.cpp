#include "carve/observed_carve.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "carve/grid_shape_copy.h"
#include "carve/shape_carve.h"
#include "support/shape_layouts.h"

namespace nitka {
namespace {

// Replays what it is told onto a maze of its own, and checks the story as it
// goes: sides open between neighbours, once each, no cell taken back onto a
// list once done, and none left on a list at the end.
class ReplayingObserver final : public CarveObserver {
public:
    ReplayingObserver(std::shared_ptr<const Topology> topology, bool openSpace)
        : m_maze(topology), m_roles(topology->slotCount(), CellRole::Untouched) {
        std::array<CellId, kMaxNeighbours> list{};
        for (CellId cell = 0; openSpace && cell < topology->slotCount(); ++cell) {
            const int count = topology->neighbours(cell, NeighbourList(list));
            for (int place = 0; place < count; ++place) {
                m_maze.setOpen(cell, list[static_cast<std::size_t>(place)], true);
            }
        }
    }

    void current(CellId cell) override { EXPECT_TRUE(m_maze.topology().isCell(cell)) << cell; }
    void mark(CellId cell, CellRole role) override {
        ASSERT_TRUE(m_maze.topology().isCell(cell)) << cell;
        EXPECT_TRUE(m_roles[cell] != CellRole::Done || role == CellRole::Done)
            << "cell " << cell << " back on a list after done";
        m_roles[cell] = role;
    }
    void opened(CellId a, CellId b) override {
        ASSERT_TRUE(m_maze.topology().isCell(a) && m_maze.topology().isCell(b));
        EXPECT_FALSE(m_maze.isOpen(a, b)) << "side " << a << "-" << b << " opened twice";
        m_maze.setOpen(a, b, true);
    }
    void closed(CellId a, CellId b) override {
        ASSERT_TRUE(m_maze.topology().isCell(a) && m_maze.topology().isCell(b));
        EXPECT_TRUE(m_maze.isOpen(a, b)) << "side " << a << "-" << b << " closed twice";
        m_maze.setOpen(a, b, false);
    }

    const ShapeMaze& maze() const { return m_maze; }
    bool noneOnAList() const {
        for (const CellRole role : m_roles) {
            if (role != CellRole::Done && role != CellRole::Untouched) {
                return false;
            }
        }
        return true;
    }

private:
    ShapeMaze m_maze;
    std::vector<CellRole> m_roles;
};

std::string heldText(const ShapeMaze& maze) {
    std::string text;
    for (CellId cell = 0; cell < maze.topology().slotCount(); ++cell) {
        text += static_cast<char>('a' + maze.heldBits(cell));
    }
    return text;
}

// The observed carving next to the plain one: the same maze from the same
// seed, on every layout, braided or not, and the sides the observer was told
// of make the maze before braiding.
TEST(ObservedCarveTest, MakesTheUnobservedMazeAndTellsEveryOpening) {
    for (const CarveMethodInfo& info : carveMethods()) {
        const CarveMethod method = info.method;
        if (!carvesObserved(method)) {
            continue;
        }
        for (const testing::Layout& layout : testing::carvingLayouts()) {
            if (!isPlainRectangle(*layout.topology) && !carvesEveryShape(method)) {
                continue;
            }
            for (const double braid : {0.0, 0.6}) {
                for (std::uint64_t seed = 1; seed <= 12; ++seed) {
                    SCOPED_TRACE(std::string(carveMethodInfo(method).name) + " on " + layout.label +
                                 " braid " + std::to_string(braid) + " seed " +
                                 std::to_string(seed));
                    CarveOptions options;
                    options.method = method;
                    options.braid = braid;
                    // Each pick of growing tree in turn.
                    options.pick = static_cast<GrowingTreePick>(seed % 4);
                    options.pickShare = 0.3;
                    ShapeMaze expected(layout.topology);
                    SeededRandom plainRandom(seed);
                    carveShapeMaze(expected, options, plainRandom);

                    ReplayingObserver observer(layout.topology, carvesFromOpenSpace(method));
                    ShapeMaze observed(layout.topology);
                    SeededRandom random(seed);
                    if (isPlainRectangle(*layout.topology)) {
                        WallGrid grid(layout.topology->width(), layout.topology->height());
                        carveMazeObserved(grid, options, random, observer);
                        copyGridToShape(grid, observed);
                    } else {
                        carveShapeMazeObserved(observed, options, random, observer);
                    }
                    EXPECT_EQ(heldText(observed), heldText(expected));
                    EXPECT_EQ(random.Random(1000), plainRandom.Random(1000)) << "draws differ";
                    EXPECT_TRUE(observer.noneOnAList());
                    if (braid == 0) {
                        EXPECT_EQ(heldText(observer.maze()), heldText(expected));
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace nitka
