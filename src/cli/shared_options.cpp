#include "cli/shared_options.h"

#include <CLI/CLI.hpp>

#include <utility>

namespace nitka {

void addMazeFileArgument(CLI::App& command, std::string& input) {
    command
        .add_option("file", input,
                    "Maze file; - reads standard input, which is also the default unless it is a "
                    "terminal, where labird.txt is")
        ->type_name("FILE");
}

void addQuietFlag(CLI::App& command, bool& quiet) {
    command.add_flag("-q,--quiet", quiet, "No progress line on a terminal, no seed line");
}

void addValueOption(CLI::App& command, const std::string& names, const std::string& typeName,
                    const std::string& help, std::function<void(const std::string&)> take) {
    command.add_option_function<std::string>(names, std::move(take), help)->type_name(typeName);
}

GivenOptions givenOptions(const CLI::App& command) {
    GivenOptions given;
    for (const CLI::Option* option : command.get_options()) {
        if (option->count() > 0 && !option->get_lnames().empty()) {
            given.names.push_back("--" + option->get_lnames().front());
        }
    }
    return given;
}

}  // namespace nitka
