#pragma once

#include <optional>
#include <string>

#include "plan/requests.h"
#include "render/render_options.h"

namespace CLI {
class App;
}

namespace nitka {

CLI::App* addRenderCommand(CLI::App& app, RenderRequest& request);

// Writes the picture. Throws ToolError.
void runRender(const RenderRequest& request);

}  // namespace nitka
