#pragma once

#include <cstdint>
#include <memory>

#include "animate/frame_clock.h"
#include "animate/frame_sink.h"
#include "carve/carve_method.h"
#include "grid/wall_grid.h"
#include "shape/shape_maze.h"

namespace nitka {

// What an animation shows and how fast.
struct AnimationPlan {
    AnimationTiming timing;
    // Pixels a cell, 0 for the pictures' default at the maze's size.
    int cell = 0;
    // The route search after the carving.
    bool solve = true;
};

// Animates carving the width x height plain rectangle that carveMaze makes
// from seed, flag for flag, then (plan.solve) the window's route search and
// its dots: frameCount(plan.timing) frames and the hold into sink. Carves
// twice, once to count the steps, so that memory stays the maze's and a few
// frames'. Throws RenderError for a picture out of range.
// Requires: carvesObserved(carve.method); carveRefusal empty for the size.
void animateGridCarving(int width, int height, const CarveOptions& carve, std::uint64_t seed,
                        const AnimationPlan& plan, FrameSink& sink);

// The same for a maze in the shape format (any layout, a mask), the maze
// carveShapeMaze makes, drawn as renderShapePng draws it.
// Requires: carvesObserved(carve.method); shapeCarveRefusal empty.
void animateShapeCarving(std::shared_ptr<const Topology> topology, const CarveOptions& carve,
                         std::uint64_t seed, const AnimationPlan& plan, FrameSink& sink);

// The route search alone, on a finished maze (plan.solve is not read).
void animateSearch(const WallGrid& maze, const AnimationPlan& plan, FrameSink& sink);
void animateSearch(const ShapeMaze& maze, const AnimationPlan& plan, FrameSink& sink);

}  // namespace nitka
