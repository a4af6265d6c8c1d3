#include "animate/animation.h"

#include <optional>
#include <stdexcept>
#include <utility>

#include "animate/animation_scene.h"
#include "animate/animator.h"
#include "animate/route_exploration.h"
#include "carve/grid_shape_copy.h"
#include "carve/observed_carve.h"
#include "model/seeded_random.h"
#include "render/render_options.h"
#include "render/shape_layout.h"

namespace nitka {
namespace {

// A picture that disagrees with the maze it claims to show is worse than none.
[[noreturn]] void lostTrack() {
    throw std::logic_error("the animation lost track of the carving");
}

// The sides the carving opened that the observer was not told of (braiding's)
// are told now, one step each; then the scene must hold the carved maze.
void revealRest(const WallGrid& carved, GridScene& scene, Animator& animator) {
    const auto width = static_cast<CellId>(carved.width());
    for (CellId cell = 0; cell < carved.cellCount(); ++cell) {
        if (carved.top(cell) == Flag::Open && scene.grid().top(cell) != Flag::Open) {
            animator.opened(cell - width, cell);
        }
        if (carved.left(cell) == Flag::Open && scene.grid().left(cell) != Flag::Open) {
            animator.opened(cell - 1, cell);
        }
        if (carved.top(cell) != scene.grid().top(cell) ||
            carved.left(cell) != scene.grid().left(cell)) {
            lostTrack();
        }
    }
}

void revealRest(const ShapeMaze& carved, ShapeScene& scene, Animator& animator) {
    const Topology& topology = carved.topology();
    std::array<CellId, kMaxNeighbours> list{};
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (!topology.isCell(cell)) {
            continue;
        }
        const int count = topology.neighbours(cell, NeighbourList(list));
        for (int place = 0; place < count; ++place) {
            const CellId next = list[static_cast<std::size_t>(place)];
            if (next > cell && carved.isOpen(cell, next) && !scene.maze().isOpen(cell, next)) {
                animator.opened(cell, next);
            }
        }
    }
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (topology.isCell(cell) && carved.heldBits(cell) != scene.maze().heldBits(cell)) {
            lostTrack();
        }
    }
}

// Every inner side open, the outer ones walls: where recursive division starts.
WallGrid openSpace(int width, int height) {
    WallGrid grid(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t cell = grid.index({x, y});
            grid.setLeft(cell, x > 0 ? Flag::Open : Flag::Wall);
            grid.setTop(cell, y > 0 ? Flag::Open : Flag::Wall);
        }
    }
    return grid;
}

// Runs the story twice: once counting its steps, once drawing them shared
// out over the frames. makeScene builds a fresh scene; tell(scene, animator)
// tells every step.
template <typename MakeScene, typename Tell>
void animateTwice(const AnimationPlan& plan, FrameSink& sink, MakeScene&& makeScene, Tell&& tell) {
    std::uint64_t steps = 0;
    {
        auto scene = makeScene();
        Animator counter(scene, std::nullopt, nullptr);
        tell(scene, counter);
        steps = counter.steps();
    }
    auto scene = makeScene();
    Animator animator(scene, FramePlan{frameCount(plan.timing), steps}, &sink);
    tell(scene, animator);
    animator.finish();
}

}  // namespace

void animateGridCarving(int width, int height, const CarveOptions& carve, std::uint64_t seed,
                        const AnimationPlan& plan, FrameSink& sink) {
    RenderOptions options;
    options.cell = plan.cell;
    const int cell = cellSizeOf(options, width, height);
    animateTwice(
        plan, sink,
        [&] {
            return GridScene(carvesFromOpenSpace(carve.method) ? openSpace(width, height)
                                                               : WallGrid(width, height),
                             cell, CellRole::Untouched);
        },
        [&](GridScene& scene, Animator& animator) {
            WallGrid carved(width, height);
            SeededRandom random(seed);
            carveMazeObserved(carved, carve, random, animator);
            revealRest(carved, scene, animator);
            animator.current(kNoCell);
            if (plan.solve) {
                exploreGridRoute(scene.grid(), animator);
                animator.showRoute();
            }
        });
}

void animateShapeCarving(std::shared_ptr<const Topology> topology, const CarveOptions& carve,
                         std::uint64_t seed, const AnimationPlan& plan, FrameSink& sink) {
    RenderOptions options;
    options.cell = plan.cell;
    const int cell = shapeCellSize(options, *topology);
    animateTwice(
        plan, sink, [&] { return ShapeScene(ShapeMaze(topology), cell, CellRole::Untouched); },
        [&](ShapeScene& scene, Animator& animator) {
            ShapeMaze carved(topology);
            SeededRandom random(seed);
            if (isPlainRectangle(*topology)) {
                // carveShapeMaze's own way: the rectangle's carvers, whose
                // grid index is the topology's cell number.
                WallGrid grid(topology->width(), topology->height());
                carveMazeObserved(grid, carve, random, animator);
                copyGridToShape(grid, carved);
            } else {
                carveShapeMazeObserved(carved, carve, random, animator);
            }
            revealRest(carved, scene, animator);
            animator.current(kNoCell);
            if (plan.solve) {
                exploreShapeRoute(scene.maze(), animator);
                animator.showRoute();
            }
        });
}

void animateGridSearch(const WallGrid& maze, const AnimationPlan& plan, FrameSink& sink) {
    RenderOptions options;
    options.cell = plan.cell;
    const int cell = cellSizeOf(options, maze.width(), maze.height());
    animateTwice(
        plan, sink, [&] { return GridScene(maze, cell, CellRole::Done); },
        [&](GridScene& scene, Animator& animator) {
            exploreGridRoute(scene.grid(), animator);
            animator.showRoute();
        });
}

void animateShapeSearch(const ShapeMaze& maze, const AnimationPlan& plan, FrameSink& sink) {
    RenderOptions options;
    options.cell = plan.cell;
    const int cell = shapeCellSize(options, maze.topology());
    animateTwice(
        plan, sink, [&] { return ShapeScene(maze, cell, CellRole::Done); },
        [&](ShapeScene& scene, Animator& animator) {
            exploreShapeRoute(scene.maze(), animator);
            animator.showRoute();
        });
}

}  // namespace nitka
