#pragma once

#include <span>
#include <string>
#include <variant>

#include "cli/animate_command.h"
#include "cli/book_command.h"
#include "cli/dataset_command.h"
#include "cli/generate_command.h"
#include "cli/info_command.h"
#include "cli/render_command.h"
#include "cli/solve_command.h"

namespace nitka {

// Text the user asked for (--help, --version): printed on stdout, status 0.
struct ShowText {
    std::string text;
};

// What a command line asks for: one command's request, or a text to show.
using Invocation = std::variant<ShowText, GenerateRequest, SolveRequest, RenderRequest, InfoRequest,
                                AnimateRequest, BookRequest, BatchRequest>;

// Parses argv (argv[0] the program's name). Throws UsageError for a command
// line that asks for nothing sensible, with the command at fault as subject.
Invocation parseCommandLine(std::span<const char* const> argv);

}  // namespace nitka
