#include "animate/animation.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "carve/shape_carve.h"
#include "frame_compare.h"
#include "model/seeded_random.h"
#include "render/png_render.h"
#include "render/route_marks.h"
#include "render/shape_png_render.h"
#include "shape/make_topology.h"
#include "solver/grid_search.h"
#include "solver/shape_search.h"

namespace nitka {
namespace {

// Counts the frames and keeps the last one and the hold.
class LastFrameSink final : public FrameSink {
public:
    void add(const RgbFrame& frame) override {
        ++frames;
        last = frame;
    }
    void hold(const RgbFrame& frame) override { held = frame; }

    std::uint64_t frames = 0;
    std::optional<RgbFrame> last;
    std::optional<RgbFrame> held;
};

// The maze generate makes, rendered as `render --route` (route) draws it.
std::string renderedGrid(int width, int height, const CarveOptions& carve, std::uint64_t seed,
                         const RenderOptions& options) {
    WallGrid grid(width, height);
    SeededRandom random(seed);
    carveMaze(grid, carve, random);
    if (options.route) {
        markRoute(grid, *findGridRoute(grid, {0, 0}, {width - 1, height - 1}));
    }
    std::stringbuf png;
    renderPng(grid, options, png);
    return png.str();
}

std::string renderedShape(const std::shared_ptr<const Topology>& topology,
                          const CarveOptions& carve, std::uint64_t seed,
                          const RenderOptions& options) {
    ShapeMaze maze(topology);
    SeededRandom random(seed);
    carveShapeMaze(maze, carve, random);
    if (options.route) {
        markRoute(maze, *findShapeRoute(maze, topology->start(), topology->target()));
    }
    std::stringbuf png;
    renderShapePng(maze, options, png);
    return png.str();
}

CellMask holedMask(int width, int height) {
    CellMask mask(width, height);
    mask.set(static_cast<std::uint64_t>(width) + 2, false);
    mask.set(static_cast<std::uint64_t>(width) * 2 + 3, false);
    return mask;
}

// On every layout, braided or not, with the search and without: the
// animation has its frames, holds its last one, and that one is the picture
// render makes of the maze generate makes from the same seed. A drift between
// the animation's carving, route or drawing and the other commands' shows here.
TEST(AnimationTest, LastFrameIsRendersPictureOnEveryLayout) {
    struct Row {
        const char* name;
        std::shared_ptr<const Topology> topology;  // none: the window's grid
        CarveMethod method;
        double braid;
    };
    const Row rows[] = {
        {"grid", nullptr, CarveMethod::DepthFirst, 0},
        {"grid braided", nullptr, CarveMethod::Kruskal, 0.7},
        {"grid divided", nullptr, CarveMethod::RecursiveDivision, 0},
        {"full mask", makeTopology(ShapeKind::Rect, 7, 5, CellMask(7, 5)), CarveMethod::Prim, 0.5},
        {"holed mask", makeTopology(ShapeKind::Rect, 7, 5, holedMask(7, 5)), CarveMethod::Wilson,
         0},
        {"hex", makeTopology(ShapeKind::Hex, 6, 5), CarveMethod::GrowingTree, 0.6},
        {"triangle", makeTopology(ShapeKind::Triangle, 8, 4), CarveMethod::HuntAndKill, 0},
        {"polar", makeTopology(ShapeKind::Polar, 1, 4), CarveMethod::AldousBroder, 0.4},
    };
    for (const Row& row : rows) {
        for (const bool solve : {true, false}) {
            SCOPED_TRACE(std::string(row.name) + (solve ? " solved" : " carved"));
            AnimationPlan plan;
            plan.timing = {1.3, 7};
            plan.cell = 9;
            plan.solve = solve;
            CarveOptions carve;
            carve.method = row.method;
            carve.braid = row.braid;
            RenderOptions options;
            options.cell = plan.cell;
            options.route = solve;
            LastFrameSink sink;
            std::string png;
            if (row.topology) {
                animateShapeCarving(row.topology, carve, 3, plan, sink);
                png = renderedShape(row.topology, carve, 3, options);
            } else {
                animateGridCarving(8, 6, carve, 3, plan, sink);
                png = renderedGrid(8, 6, carve, 3, options);
            }
            ASSERT_EQ(sink.frames, frameCount(plan.timing));
            ASSERT_TRUE(sink.held.has_value());
            EXPECT_TRUE(*sink.held == *sink.last);
            EXPECT_EQ(testing::differences(*sink.last, testing::decodePng(png)), "");
        }
    }
}

}  // namespace
}  // namespace nitka
