#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "cli/generate_command.h"
#include "render/render_options.h"

namespace CLI {
class App;
}

namespace nitka {

// nitka-maze book: many mazes in one PDF, an answer section at the back.
struct BookRequest {
    int count = 10;
    // Size, shape and method of every maze (size and method as --difficulty
    // chooses them when not given); the seed is the book's.
    GenerateRequest maze;
    // "" for none, a band, a number, or "rising": from easy to expert across
    // the book.
    std::string difficulty;
    Paper paper = Paper::A4;
    int perPage = 1;
    std::string title;
    std::string output = "-";
    bool quiet = false;
};

CLI::App* addBookCommand(CLI::App& app, BookRequest& request);

// Writes the book, page by page. notices receives "seed S" when the seed was
// drawn, unless quiet. Throws ToolError.
void runBook(const BookRequest& request, std::ostream& notices);

}  // namespace nitka
