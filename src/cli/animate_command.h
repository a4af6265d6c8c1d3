#pragma once

#include <ostream>
#include <string>

#include "animate/animation.h"
#include "cli/generate_command.h"

namespace CLI {
class App;
}

namespace nitka {

// nitka-maze animate: the carving of generate's maze, step by step, then the
// window's route search, as an animated GIF or WebP or a folder of PNGs.
struct AnimateRequest {
    // The maze, as generate takes it; its output is not used.
    GenerateRequest maze;
    // The animation's file (.gif or .webp), or else the folder for PNG frames.
    std::string output;
    std::string framesFolder;
    // A maze file whose route search alone is animated.
    std::string solveOnly;
    AnimationPlan plan;
};

// Adds the command to app; parsing fills request.
CLI::App* addAnimateCommand(CLI::App& app, AnimateRequest& request);

// Makes the animation. notices receives "seed S" as generate writes it.
// Throws ToolError.
void runAnimate(const AnimateRequest& request, std::ostream& notices);

}  // namespace nitka
