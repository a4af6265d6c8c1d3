#include "render/book_pdf.h"

#include <cairo.h>

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <string>
#include <vector>

#include "render/end_marks.h"
#include "render/paper.h"
#include "render/pdf_document.h"
#include "render/print_text.h"
#include "render/shape_cairo.h"

namespace nitka {
namespace {

using printing::kMargin;
using printing::kPointsPerMm;
using printing::kSmallestCellMm;
// Room for a page's heading, and in a slot for the number above the maze and
// the small print below it, in points.
constexpr double kHeading = 28;
constexpr double kNumberRoom = 16;
constexpr double kPrintRoom = 22;
constexpr double kGap = 10;

struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The title: a line of 16 points, or up to four, made smaller down to 8
// points before it is cut short, so a long one never runs off the page
// (300 characters fit an A4 page).
constexpr double kTitleSize = 16;
constexpr double kSmallestTitle = 8;
constexpr int kTitleLines = 4;

void showText(cairo_t* cr, const std::string& text, double x, double y, double size, bool bold) {
    selectPrintFont(cr, size, bold);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, printable(text).c_str());
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

// The small print below a maze, lines apart at '\n', its first baseline at
// (x, y), to print no wider than width.
struct Caption {
    std::string text;
    double x = 0;
    double y = 0;
    double width = 0;
};

// The size at which caption, at most `size` points, fits its width.
double fittingSize(cairo_t* cr, const Caption& caption, double size) {
    selectPrintFont(cr, size, false);
    double widest = 0;
    for (const std::string& line : linesOf(caption.text)) {
        cairo_text_extents_t extents{};
        cairo_text_extents(cr, printable(line).c_str(), &extents);
        widest = std::max(widest, extents.x_advance);
    }
    return widest > caption.width ? size * caption.width / widest : size;
}

// A page's captions at one size, the largest at which every one fits: a
// page whose small print jumps in size from maze to maze looks broken.
void showCaptions(cairo_t* cr, const std::vector<Caption>& captions, double size) {
    double common = size;
    for (const Caption& caption : captions) {
        common = std::min(common, fittingSize(cr, caption, size));
    }
    cairo_set_source_rgb(cr, 0.35, 0.35, 0.35);
    for (const Caption& caption : captions) {
        double y = caption.y;
        for (const std::string& line : linesOf(caption.text)) {
            showText(cr, line, caption.x, y, common, false);
            y += size * 1.25;
        }
    }
}

// The heading's room on the page: one line of 16 points takes kHeading, as
// it always has; each further line a line's height more.
double headingRoom(const FittedText& heading) {
    const double lines = static_cast<double>(std::max<std::size_t>(1, heading.lines.size()));
    return heading.size * 0.875 + (lines - 1) * heading.size * 1.2 + (kHeading - 14);
}

// Slot `index` of `count` on a page whose drawing area is area: one, two one
// above the other, or a grid of two columns.
Box slotOf(const Box& area, int index, int count) {
    const int columns = count == 1 || count == 2 ? 1 : 2;
    const int rows = (count + columns - 1) / columns;
    const double width = (area.width - (columns - 1) * kGap) / columns;
    const double height = (area.height - (rows - 1) * kGap) / rows;
    return {area.left + (index % columns) * (width + kGap),
            area.top + (index / columns) * (height + kGap), width, height};
}

}  // namespace

double bookPuzzleUnit(const BookLayout& layout, Point extent) {
    const Box area{kMargin, kMargin + kHeading, printing::shortSide(layout.paper) - 2 * kMargin,
                   printing::longSide(layout.paper) - 2 * kMargin - kHeading};
    const Box slot = slotOf(area, 0, layout.perPage);
    return std::min(slot.width / extent.x, (slot.height - kNumberRoom - kPrintRoom) / extent.y);
}

struct BookPdf::State {
    State(std::streambuf& out, const BookLayout& bookLayout)
        : layout(bookLayout),
          pageWidth(printing::shortSide(bookLayout.paper)),
          pageHeight(printing::longSide(bookLayout.paper)),
          document(out, pageWidth, pageHeight, {bookLayout.title, bookLayout.created}),
          title(fitText(document.cr(), bookLayout.title, pageWidth - 2 * kMargin, kTitleSize,
                        kSmallestTitle, kTitleLines, true)),
          answersHeading{kTitleSize, {"Answers"}} {}

    BookLayout layout;
    double pageWidth;
    double pageHeight;
    PdfDocument document;
    FittedText title;
    FittedText answersHeading;
    // The small print of the page under way, drawn once the page is full.
    std::vector<Caption> captions;
    bool answers = false;
    // Slots filled on the page under way; 0 when none is begun.
    int filled = 0;
    // Pages begun, the one under way included.
    int pages = 0;

    int perPage() const { return answers ? kAnswersPerPage : layout.perPage; }
    const FittedText& heading() const { return answers ? answersHeading : title; }
    double captionSize() const { return answers ? 6 : 7; }

    void endPage() {
        if (filled > 0) {
            showCaptions(document.cr(), captions, captionSize());
            captions.clear();
            document.endPage();
            filled = 0;
        }
    }

    // The box of the next slot, the page begun with its heading if it is new.
    Box nextSlot() {
        if (filled == perPage()) {
            endPage();
        }
        if (filled == 0) {
            ++pages;
            cairo_set_source_rgb(document.cr(), 0, 0, 0);
            double baseline = kMargin + heading().size * 0.875;
            for (const std::string& line : heading().lines) {
                showText(document.cr(), line, kMargin, baseline, heading().size, true);
                baseline += heading().size * 1.2;
            }
        }
        const double room = headingRoom(heading());
        const Box area{kMargin, kMargin + room, pageWidth - 2 * kMargin,
                       pageHeight - 2 * kMargin - room};
        return slotOf(area, filled++, perPage());
    }

    void place(const ShapeMaze& maze, const BookEntry& entry, bool route) {
        const Box slot = nextSlot();
        const Topology& topology = maze.topology();
        const Point extent = topology.extent();
        const double numberSize = answers ? 10 : 13;
        const double printSize = captionSize();
        const Box room{slot.left, slot.top + kNumberRoom, slot.width,
                       slot.height - kNumberRoom - kPrintRoom};
        const double unit = std::min(room.width / extent.x, room.height / extent.y);
        if (!answers && !(unit >= kSmallestCellMm * kPointsPerMm)) {
            char message[200];
            std::snprintf(message, sizeof message,
                          "maze %d, %d x %d, does not print legibly %d to a page: its cells "
                          "would be %.2f mm, less than %.1f mm",
                          entry.number, topology.width(), topology.height(), layout.perPage,
                          unit / kPointsPerMm, kSmallestCellMm);
            throw RenderError(message);
        }
        cairo_t* const c = document.cr();
        cairo_set_source_rgb(c, 0, 0, 0);
        showText(c, std::to_string(entry.number), slot.left, slot.top + numberSize, numberSize,
                 true);
        const double left = room.left + (room.width - unit * extent.x) / 2;
        const double top = room.top + (room.height - unit * extent.y) / 2;
        captions.push_back({entry.smallPrint, left, top + unit * extent.y + printSize + 3,
                            slot.left + slot.width - left});
        cairo_save(c);
        cairo_translate(c, left, top);
        cairo_scale(c, unit, unit);
        drawShapeMaze(c, maze, printInk(unit), route, {}, placeEndMarks(topology, Marks::Openings));
        cairo_restore(c);
        document.bookmark(entry.bookmark, pages);
    }
};

BookPdf::BookPdf(std::streambuf& out, const BookLayout& layout)
    : m_state(std::make_unique<State>(out, layout)) {
    assert(layout.perPage == 1 || layout.perPage == 2 || layout.perPage == 4);
}

BookPdf::~BookPdf() = default;

void BookPdf::addPuzzle(const ShapeMaze& maze, const BookEntry& entry) {
    assert(!m_state->answers);
    m_state->place(maze, entry, false);
}

void BookPdf::startAnswers() {
    m_state->endPage();
    m_state->answers = true;
}

void BookPdf::addAnswer(const ShapeMaze& maze, const BookEntry& entry) {
    assert(m_state->answers);
    m_state->place(maze, entry, true);
}

void BookPdf::finish() {
    State& state = *m_state;
    state.endPage();
    state.document.finish();
}

}  // namespace nitka
