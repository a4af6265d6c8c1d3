#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "plan/requests.h"
#include "render/render_options.h"

namespace CLI {
class App;
}

namespace nitka {

CLI::App* addRenderCommand(CLI::App& app, RenderRequest& request);

// Writes the picture; a plotter's report goes to notices. Throws ToolError.
void runRender(const RenderRequest& request, std::ostream& notices);

}  // namespace nitka
