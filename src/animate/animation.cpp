#include "animate/animation.h"

#include <optional>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "animate/animation_scene.h"
#include "animate/animator.h"
#include "animate/route_exploration.h"
#include "carve/grid_shape_copy.h"
#include "carve/observed_carve.h"
#include "model/seeded_random.h"
#include "render/render_options.h"
#include "render/shape_layout.h"
#include "shape/maze_view.h"

namespace nitka {
namespace {

// A picture that disagrees with the maze it claims to show is worse than none.
[[noreturn]] void lostTrack() {
    throw std::logic_error("the animation lost track of the carving");
}

// A view of other through the same concrete layout as like.
template <Layout L>
ShapeView<L, const ShapeMaze> sameView(const ShapeView<L, const ShapeMaze>& like,
                                       const ShapeMaze& other) {
    return {like.layout(), other};
}

GridView<const WallGrid> sameView(const GridView<const WallGrid>&, const WallGrid& other) {
    return GridView<const WallGrid>(other);
}

// The sides the carving opened that the observer was not told of (braiding's)
// are told now, one step each; then the scene must hold the carved maze. Each
// side is told from the cell it always was, so the frames stay as they were:
// a grid's from the later cell (its top, then its left), a shape's from the
// earlier one.
template <typename Maze>
void revealRest(const Maze& carved, const MazeScene<Maze>& scene, Animator& animator) {
    constexpr bool fromLater = std::is_same_v<Maze, WallGrid>;
    withMazeView(carved, [&](const auto& done) {
        const auto shown = sameView(done, scene.maze());
        const auto& layout = done.layout();
        std::array<CellId, kMaxNeighbours> list{};
        for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
            if (!layout.isCell(cell)) {
                continue;
            }
            const int count = layout.neighbours(cell, list);
            for (int place = 0; place < count; ++place) {
                const CellId next = list[static_cast<std::size_t>(place)];
                if ((next < cell) != fromLater) {
                    continue;
                }
                if (done.isOpen(cell, next) && !shown.isOpen(cell, next)) {
                    animator.opened(cell, next);
                }
                if (done.isOpen(cell, next) != shown.isOpen(cell, next)) {
                    lostTrack();
                }
            }
        }
    });
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

int pictureCell(const RenderOptions& options, const WallGrid& grid) {
    return cellSizeOf(options, grid.width(), grid.height());
}

int pictureCell(const RenderOptions& options, const ShapeMaze& maze) {
    return shapeCellSize(options, maze.topology());
}

template <typename Maze>
MazeScene<Maze> sceneOf(const Maze& shown, const AnimationPlan& plan, CellRole initial) {
    RenderOptions options;
    options.cell = plan.cell;
    return MazeScene<Maze>(shown, pictureCell(options, shown), initial);
}

// Runs the story twice on fresh scenes of shown: once counting its steps, once
// drawing them shared out over the frames. tell(scene, animator) tells every
// step.
template <typename Maze, typename Tell>
void animateTwice(const Maze& shown, CellRole initial, const AnimationPlan& plan, FrameSink& sink,
                  Tell&& tell) {
    std::uint64_t steps = 0;
    {
        auto scene = sceneOf(shown, plan, initial);
        Animator counter(scene, std::nullopt, nullptr);
        tell(scene, counter);
        steps = counter.steps();
    }
    auto scene = sceneOf(shown, plan, initial);
    Animator animator(scene, FramePlan{frameCount(plan.timing), steps}, &sink);
    tell(scene, animator);
    animator.finish();
}

template <typename Maze>
void tellSearch(const MazeScene<Maze>& scene, Animator& animator) {
    exploreRoute(scene.maze(), animator);
    animator.showRoute();
}

// The carving from shown, carve(carved, animator) telling its steps on a copy
// of blank, and (plan.solve) the search after it.
template <typename Maze, typename Carve>
void animateCarving(const Maze& blank, const Maze& shown, const AnimationPlan& plan,
                    FrameSink& sink, Carve&& carve) {
    animateTwice(shown, CellRole::Untouched, plan, sink,
                 [&](MazeScene<Maze>& scene, Animator& animator) {
                     Maze carved = blank;
                     carve(carved, animator);
                     revealRest(carved, scene, animator);
                     animator.current(kNoCell);
                     if (plan.solve) {
                         tellSearch(scene, animator);
                     }
                 });
}

template <typename Maze>
void animateSearchOf(const Maze& maze, const AnimationPlan& plan, FrameSink& sink) {
    animateTwice(maze, CellRole::Done, plan, sink,
                 [](MazeScene<Maze>& scene, Animator& animator) { tellSearch(scene, animator); });
}

}  // namespace

void animateGridCarving(int width, int height, const CarveOptions& carve, std::uint64_t seed,
                        const AnimationPlan& plan, FrameSink& sink) {
    const WallGrid blank(width, height);
    animateCarving(blank, carvesFromOpenSpace(carve.method) ? openSpace(width, height) : blank,
                   plan, sink, [&](WallGrid& carved, Animator& animator) {
                       SeededRandom random(seed);
                       carveMazeObserved(carved, carve, random, animator);
                   });
}

void animateShapeCarving(std::shared_ptr<const Topology> topology, const CarveOptions& carve,
                         std::uint64_t seed, const AnimationPlan& plan, FrameSink& sink) {
    const ShapeMaze blank(topology);
    animateCarving(blank, blank, plan, sink, [&](ShapeMaze& carved, Animator& animator) {
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
    });
}

void animateSearch(const WallGrid& maze, const AnimationPlan& plan, FrameSink& sink) {
    animateSearchOf(maze, plan, sink);
}

void animateSearch(const ShapeMaze& maze, const AnimationPlan& plan, FrameSink& sink) {
    animateSearchOf(maze, plan, sink);
}

}  // namespace nitka
