#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <streambuf>
#include <string>

#include "render/render_options.h"
#include "shape/shape_maze.h"

namespace nitka {

// How a book's pages are laid out.
struct BookLayout {
    Paper paper = Paper::A4;
    // Puzzles a page: 1, 2 (one above the other) or 4 (two by two).
    int perPage = 1;
    // At the top of every puzzle page, when not empty: up to four lines,
    // smaller when it is long, cut short with "…" past that.
    std::string title;
    // The PDF's creation date (see RenderOptions::created).
    std::optional<std::int64_t> created = std::nullopt;
};

// What is printed beside one maze of a book: its number, small print (lines
// apart at '\n', made smaller where one would be wider than the maze's
// slot), and the entry of the PDF's outline (bookmarks) that leads to it.
struct BookEntry {
    int number = 0;
    std::string smallPrint;
    std::string bookmark;
};

// Points a unit of a maze's drawing takes on a puzzle page, for a drawing as
// large as extent: a puzzle prints legibly when a unit is at least
// printing::kSmallestCellMm. Requires: layout.perPage is 1, 2 or 4.
double bookPuzzleUnit(const BookLayout& layout, Point extent);

// Answers a page, two columns of three.
inline constexpr int kAnswersPerPage = 6;

// A PDF book of mazes written page by page as it goes: puzzles first, each in
// the next slot of the current page with its start and target as openings,
// then, once startAnswers() is called, the same mazes smaller with their route,
// under the heading "Answers". cairo writes each page out once it is finished,
// so the book holds one page's drawing at a time, whatever its length.
class BookPdf {
public:
    // Requires: layout.perPage is 1, 2 or 4.
    BookPdf(std::streambuf& out, const BookLayout& layout);
    ~BookPdf();
    BookPdf(const BookPdf&) = delete;
    BookPdf& operator=(const BookPdf&) = delete;

    // Throws RenderError for a maze whose cells would come out under 0.5 mm.
    void addPuzzle(const ShapeMaze& maze, const BookEntry& entry);
    void startAnswers();
    // Dots on the cells whose scratch is not zero (see markRoute).
    void addAnswer(const ShapeMaze& maze, const BookEntry& entry);
    // Ends the last page and the file. Throws RenderError when a write failed.
    void finish();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace nitka
