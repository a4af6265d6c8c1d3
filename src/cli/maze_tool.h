#pragma once

#include <ostream>
#include <span>

namespace nitka {

// The whole tool: parses argv, runs the command, and reports a failure on err
// as one line. Returns the exit status: 0 done, 1 failed, 2 bad usage.
int runMazeTool(std::span<const char* const> argv, std::ostream& err);

}  // namespace nitka
