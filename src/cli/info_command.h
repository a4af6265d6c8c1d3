#pragma once

#include <string>

namespace CLI {
class App;
}

namespace nitka {

// nitka-maze info: measures of a maze file.
struct InfoRequest {
    std::string input;
    bool json = false;
    bool quiet = false;
};

CLI::App* addInfoCommand(CLI::App& app, InfoRequest& request);

// Prints the measures on standard output. Throws ToolError.
void runInfo(const InfoRequest& request);

}  // namespace nitka
