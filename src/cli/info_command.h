#pragma once

#include <string>
#include "plan/requests.h"

namespace CLI {
class App;
}

namespace nitka {

CLI::App* addInfoCommand(CLI::App& app, InfoRequest& request);

// Prints the measures on standard output. Throws ToolError.
void runInfo(const InfoRequest& request);

}  // namespace nitka
