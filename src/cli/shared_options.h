#pragma once

#include <functional>
#include <string>

#include "plan/requests.h"

namespace CLI {
class App;
}

namespace nitka {

// The maze file argument of the commands that read one, left empty when not
// given (see mazeFileOrDefault); "-" for standard input.
void addMazeFileArgument(CLI::App& command, std::string& input);

// --quiet, which every command takes: no progress line, no seed line.
void addQuietFlag(CLI::App& command, bool& quiet);

// An option with a value, shown in help as typeName, that take reads (and may
// refuse with a UsageError) as it is parsed.
void addValueOption(CLI::App& command, const std::string& names, const std::string& typeName,
                    const std::string& help, std::function<void(const std::string&)> take);

// The long names of the options given to command, for the planner.
GivenOptions givenOptions(const CLI::App& command);

}  // namespace nitka
