#include "animate/animation_scene.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "frame_compare.h"
#include "model/seeded_random.h"
#include "render/png_render.h"
#include "render/render_fixture.h"
#include "render/shape_png_render.h"
#include "shape/make_topology.h"

namespace nitka {
namespace {

// Random flags, each class of them, so that every wall and corner rule of
// renderPng is met.
WallGrid randomGrid(int width, int height, std::uint64_t seed) {
    WallGrid grid(width, height);
    SeededRandom random(seed);
    for (std::size_t cell = 0; cell < grid.cellCount(); ++cell) {
        grid.setTop(cell, static_cast<Flag>(random.Random(3)));
        grid.setLeft(cell, static_cast<Flag>(random.Random(3)));
    }
    return grid;
}

// The last frame of an animation is render's picture: a rectangle's by
// renderPng's pixel rules at every cell size (the small dots and the
// window's), with the route or without, whatever the flags.
TEST(AnimationSceneTest, RectangleWithItsRouteIsRendersPicture) {
    for (const int cell : {2, 3, 5, 7, 8, 11, 16, 23}) {
        for (std::uint64_t seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE("cell " + std::to_string(cell) + " seed " + std::to_string(seed));
            const WallGrid grid = randomGrid(static_cast<int>(3 + seed * 2), 5, seed);
            GridScene scene(grid, cell, CellRole::Done);
            const bool route = scene.showRoute();
            RgbFrame frame(scene.pictureWidth(), scene.pictureHeight());
            scene.draw(frame);

            WallGrid marked = scene.maze();
            RenderOptions options;
            options.cell = cell;
            options.route = route;
            std::stringbuf png;
            renderPng(marked, options, png);
            EXPECT_EQ(testing::differences(frame, testing::decodePng(png.str())), "");
        }
    }
}

// Other shapes by renderShapePng's, antialiased greys included.
TEST(AnimationSceneTest, ShapeWithItsRouteIsRendersPicture) {
    const std::shared_ptr<const Topology> layouts[] = {
        makeTopology(ShapeKind::Hex, 7, 5),
        makeTopology(ShapeKind::Triangle, 9, 4),
        makeTopology(ShapeKind::Polar, 1, 5),
    };
    for (const auto& topology : layouts) {
        for (const int cell : {4, 13}) {
            SCOPED_TRACE(std::string(shapeName(topology->kind())) + " cell " +
                         std::to_string(cell));
            ShapeMaze maze(topology);
            SeededRandom random(static_cast<std::uint64_t>(cell));
            std::array<CellId, kMaxNeighbours> list{};
            for (CellId id = 0; id < topology->slotCount(); ++id) {
                const int count = topology->neighbours(id, NeighbourList(list));
                for (int place = 0; place < count; ++place) {
                    maze.setOpen(id, list[static_cast<std::size_t>(place)], random.Random(3) != 0);
                }
            }
            ShapeScene scene(maze, cell, CellRole::Done);
            scene.showRoute();
            RgbFrame frame(scene.pictureWidth(), scene.pictureHeight());
            scene.draw(frame);

            ShapeMaze marked = scene.maze();
            RenderOptions options;
            options.cell = cell;
            options.route = true;
            std::stringbuf png;
            renderShapePng(marked, options, png);
            EXPECT_EQ(testing::differences(frame, testing::decodePng(png.str())), "");
        }
    }
}

}  // namespace
}  // namespace nitka
