#include "cli/shared_options.h"

#include <CLI/CLI.hpp>

#include <utility>

namespace nitka {

void addMazeFileArgument(CLI::App& command, std::string& input) {
    command.add_option("file", input, "Maze file (default labird.txt); - reads standard input")
        ->type_name("FILE");
}

void addValueOption(CLI::App& command, const std::string& names, const std::string& typeName,
                    const std::string& help, std::function<void(const std::string&)> take) {
    command.add_option_function<std::string>(names, std::move(take), help)->type_name(typeName);
}

}  // namespace nitka
