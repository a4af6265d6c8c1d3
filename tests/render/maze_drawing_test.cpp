// The one drawing of walls over every concrete layout, and the window's
// rectangle drawn by it where its own drawing put walls.

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <set>
#include <tuple>
#include <vector>

#include "model/seeded_random.h"
#include "render/pdf_document.h"
#include "render/shape_cairo.h"
#include "render/shape_fixture.h"
#include "render/shape_walls.h"
#include "render/wall_runs.h"

namespace nitka {
namespace {

// A grid with every kind of flag, the frame's top and left included.
WallGrid mixedGrid(int width, int height, std::uint64_t seed) {
    SeededRandom random(seed);
    WallGrid grid(width, height);
    constexpr std::array<Flag, 3> kFlags = {Flag::Open, Flag::Wall, Flag::Other};
    for (std::size_t cell = 0; cell < grid.cellCount(); ++cell) {
        grid.setTop(cell, kFlags[static_cast<std::size_t>(random.Random(3))]);
        grid.setLeft(cell, kFlags[static_cast<std::size_t>(random.Random(3))]);
    }
    return grid;
}

// Each layout as the engine sees it: its view over a small carved maze.
struct GridCase {
    template <typename Run>
    static void withView(unsigned seed, Run&& run) {
        const WallGrid grid = mixedGrid(9, 7, seed);
        run(GridView<const WallGrid>(grid));
    }
};

template <typename L>
struct ShapeCase {
    template <typename Run>
    static void withView(unsigned seed, Run&& run) {
        const ShapeMaze maze = testing::carvedMaze(make(), seed);
        run(ShapeView<L, const ShapeMaze>(static_cast<const L&>(maze.topology()), maze));
    }
    static std::shared_ptr<const Topology> make() {
        const CellMask holes = testing::maskFromPicture({
            "........",
            "..#.....",
            "......#.",
            "#.......",
            "........",
        });
        if constexpr (std::is_same_v<L, PolarTopology>) {
            return std::make_shared<PolarTopology>(4);
        } else {
            return std::make_shared<L>(holes);
        }
    }
};

template <typename Case>
class MazeDrawing : public ::testing::Test {};

using Cases = ::testing::Types<GridCase, ShapeCase<RectTopology>, ShapeCase<HexTopology>,
                               ShapeCase<TriangleTopology>, ShapeCase<PolarTopology>>;
TYPED_TEST_SUITE(MazeDrawing, Cases);

double lengthOf(const Side& side) {
    const double chord = std::hypot(side.to.x - side.from.x, side.to.y - side.from.y);
    if (!side.arc) {
        return chord;
    }
    const double radius = std::hypot(side.from.x - side.centre.x, side.from.y - side.centre.y);
    return 2 * radius * std::asin(std::min(1.0, chord / (2 * radius)));
}

// A side's ends, rounded and in order, so that both cells' copies compare equal.
std::tuple<long, long, long, long> endsOf(const Side& side) {
    const auto at = [](double value) { return std::lround(value * 1024); };
    auto a = std::pair(at(side.from.x), at(side.from.y));
    auto b = std::pair(at(side.to.x), at(side.to.y));
    if (b < a) {
        std::swap(a, b);
    }
    return {a.first, a.second, b.first, b.second};
}

// Every closed side drawn once: the edge (outline sides less the shared ones,
// each counted from both cells) and the shut sides between neighbours, and
// the merged walls as long as the sides together.
TYPED_TEST(MazeDrawing, DrawsEachClosedSideExactlyOnce) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        TypeParam::withView(seed, [&](const auto& view) {
            const auto& layout = view.layout();
            std::uint64_t outlineSides = 0;
            std::uint64_t neighbourSides = 0;
            std::uint64_t shut = 0;
            std::uint64_t frameOpen = 0;
            std::vector<Side> outline;
            std::array<CellId, kMaxNeighbours> around{};
            for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
                if (!layout.isCell(cell)) {
                    continue;
                }
                layout.outline(cell, outline);
                outlineSides += outline.size();
                const int count = layout.neighbours(cell, NeighbourList(around));
                neighbourSides += static_cast<std::uint64_t>(count);
                for (int k = 0; k < count; ++k) {
                    const CellId next = around[static_cast<std::size_t>(k)];
                    shut += cell < next && !view.isOpen(cell, next) ? 1 : 0;
                }
                for (int side = 0; side < static_cast<int>(outline.size()); ++side) {
                    frameOpen +=
                        outline[static_cast<std::size_t>(side)].across == kNoCell &&
                        !drawsSide(view, cell, outline[static_cast<std::size_t>(side)], side);
                }
            }
            const std::uint64_t closed = outlineSides - neighbourSides + shut - frameOpen;

            std::uint64_t drawn = 0;
            double drawnLength = 0;
            std::set<std::tuple<long, long, long, long>> seen;
            forEachDrawnSide(
                view, EndMarks{}, [](CellId) { return true; },
                [&](const Side& side) {
                    ++drawn;
                    drawnLength += lengthOf(side);
                    EXPECT_TRUE(seen.insert(endsOf(side)).second) << "a side drawn twice";
                });
            EXPECT_EQ(drawn, closed) << "seed " << seed;

            double wallLength = 0;
            forEachWall(
                view, [&](const Side& wall) { wallLength += lengthOf(wall); }, EndMarks{},
                [](CellId) { return true; });
            EXPECT_NEAR(wallLength, drawnLength, 1e-6) << "seed " << seed;
        });
    }
}

// A unit of wall on the grid's lines: horizontal or not, line, from.
using Unit = std::tuple<bool, long, long>;

std::set<Unit> unitsOf(const Side& wall) {
    std::set<Unit> units;
    const bool across = wall.from.y == wall.to.y;
    const long line = std::lround(across ? wall.from.y : wall.from.x);
    const long a = std::lround(across ? wall.from.x : wall.from.y);
    const long b = std::lround(across ? wall.to.x : wall.to.y);
    for (long at = std::min(a, b); at < std::max(a, b); ++at) {
        units.insert({across, line, at});
    }
    return units;
}

// The rectangle's fast path, the grid's runs, puts its walls where the one
// drawing of every layout does: every flag but an open one, the frame's top
// and left as the grid holds them, its bottom and right always, and the
// openings of its ends left out.
TEST(GridDrawing, PutsWallsWhereTheGeneralDrawingDoes) {
    for (const auto& [width, height] :
         {std::pair(1, 1), std::pair(7, 1), std::pair(1, 6), std::pair(13, 9), std::pair(40, 3)}) {
        for (const Marks kind : {Marks::None, Marks::Openings}) {
            for (std::uint64_t seed = 1; seed <= 3; ++seed) {
                SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
                const WallGrid grid = mixedGrid(width, height, seed);
                const GridView<const WallGrid> view(grid);
                const EndMarks marks = gridEndMarks(width, height, kind);
                std::set<Unit> general;
                forEachDrawnSide(
                    view, marks, [](CellId) { return true; },
                    [&](const Side& side) { general.merge(unitsOf(side)); });
                std::set<Unit> fast;
                forEachWall(
                    view,
                    [&](const Side& wall) {
                        for (const Unit& unit : unitsOf(wall)) {
                            EXPECT_TRUE(fast.insert(unit).second) << "a unit drawn twice";
                        }
                    },
                    marks, [](CellId) { return true; });
                EXPECT_EQ(fast, general);
            }
        }
    }
}

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

// The page of a grid and of the same maze as a shape, at print scale, as
// pixels: the window's rectangle is drawn exactly as any rectangle is.
TEST(GridDrawing, InksThePixelsOfTheSameMazeAsAShape) {
    constexpr double kScale = 12;
    WallGrid grid = mixedGrid(11, 8, 4);
    // A shape holds no frame flags: close the frame's top and left.
    for (int x = 0; x < grid.width(); ++x) {
        grid.setTop(grid.index({x, 0}), Flag::Wall);
    }
    for (int y = 0; y < grid.height(); ++y) {
        grid.setLeft(grid.index({0, y}), Flag::Wall);
    }
    ShapeMaze maze(std::make_shared<RectTopology>(CellMask(grid.width(), grid.height())));
    const GridView<const WallGrid> gridView(grid);
    withMazeView(maze, [&](const auto& view) {
        std::array<CellId, kMaxNeighbours> around{};
        for (CellId cell = 0; cell < grid.cellCount(); ++cell) {
            const int count = gridView.layout().neighbours(cell, NeighbourList(around));
            for (int k = 0; k < count; ++k) {
                const CellId next = around[static_cast<std::size_t>(k)];
                view.setOpen(cell, next, gridView.isOpen(cell, next));
            }
            if (cell % 3 == 0) {
                grid.setScratch(cell, 1);
                view.setScratch(cell, 1);
            }
        }
    });
    for (const Marks kind : {Marks::Openings, Marks::Letters, Marks::None}) {
        const auto draw = [&](auto&& paint) {
            const Surface surface(
                cairo_image_surface_create(CAIRO_FORMAT_A8, static_cast<int>(13 * kScale),
                                           static_cast<int>(10 * kScale)),
                cairo_surface_destroy);
            {
                const Context cr(cairo_create(surface.get()), cairo_destroy);
                cairo_translate(cr.get(), kScale, kScale);
                cairo_scale(cr.get(), kScale, kScale);
                paint(cr.get(), printInk(kScale));
            }
            cairo_surface_flush(surface.get());
            const unsigned char* data = cairo_image_surface_get_data(surface.get());
            return std::vector<unsigned char>(
                data, data + cairo_image_surface_get_stride(surface.get()) *
                                 cairo_image_surface_get_height(surface.get()));
        };
        const auto gridPixels = draw([&](cairo_t* cr, const ShapeInk& ink) {
            drawGridMaze(cr, grid, ink, true, gridEndMarks(grid.width(), grid.height(), kind));
        });
        const auto shapePixels = draw([&](cairo_t* cr, const ShapeInk& ink) {
            drawShapeMaze(cr, maze, ink, true, {}, placeEndMarks(maze.topology(), kind));
        });
        EXPECT_TRUE(gridPixels == shapePixels) << "marks " << static_cast<int>(kind);
        EXPECT_GT(std::count_if(gridPixels.begin(), gridPixels.end(),
                                [](unsigned char ink) { return ink > 128; }),
                  1000);
    }
}

}  // namespace
}  // namespace nitka
