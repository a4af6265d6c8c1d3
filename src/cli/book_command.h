#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "cli/generate_command.h"
#include "plan/requests.h"
#include "render/render_options.h"

namespace CLI {
class App;
}

namespace nitka {

CLI::App* addBookCommand(CLI::App& app, BookRequest& request);

// Writes the book, page by page. notices receives "seed S" when the seed was
// drawn, unless quiet. Throws ToolError.
void runBook(const BookRequest& request, std::ostream& notices);

}  // namespace nitka
