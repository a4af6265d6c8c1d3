#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace nitka {

// nitka-maze generate: a new maze carved by randomised depth-first search.
struct GenerateRequest {
    int width = 50;
    int height = 50;
    // Drawn at random when not given, and then told on stderr.
    std::optional<std::uint64_t> seed;
    std::string output = "-";
};

// Adds the command to app; parsing fills request.
CLI::App* addGenerateCommand(CLI::App& app, GenerateRequest& request);

// Carves the maze and writes it. talk receives the line "seed S" when the seed
// was drawn. Throws ToolError.
void runGenerate(const GenerateRequest& request, std::ostream& talk);

}  // namespace nitka
