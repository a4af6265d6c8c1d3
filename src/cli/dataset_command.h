#pragma once

#include "plan/requests.h"

namespace CLI {
class App;
}

namespace nitka {

CLI::App* addDatasetCommand(CLI::App& app, BatchRequest& request);

// Carves the batch and writes its .npz. Throws ToolError.
void runDataset(const BatchRequest& request);

}  // namespace nitka
