#pragma once

#include <ostream>
#include <string>

#include "animate/animation.h"
#include "cli/generate_command.h"
#include "plan/requests.h"

namespace CLI {
class App;
}

namespace nitka {

// Adds the command to app; parsing fills request.
CLI::App* addAnimateCommand(CLI::App& app, AnimateRequest& request);

// Makes the animation. notices receives "seed S" as generate writes it.
// Throws ToolError.
void runAnimate(const AnimateRequest& request, std::ostream& notices);

}  // namespace nitka
