#include "render/book_pdf.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <string>
#include <vector>

#include "render/byte_sink.h"
#include "render/end_marks.h"
#include "render/paper.h"
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

cairo_status_t writePdf(void* closure, const unsigned char* data, unsigned int length) {
    auto* sink = static_cast<ByteSink*>(closure);
    return sink->tryPut({reinterpret_cast<const char*>(data), length}) ? CAIRO_STATUS_SUCCESS
                                                                       : CAIRO_STATUS_WRITE_ERROR;
}

void showText(cairo_t* cr, const std::string& text, double x, double y, double size, bool bold) {
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

// Lines of text, one under the other from baseline y, made smaller where
// needed so that none runs wider than width.
void showSmallPrint(cairo_t* cr, const std::string& text, double x, double y, double size,
                    double width) {
    std::vector<std::string> lines;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    double widest = 0;
    for (const std::string& line : lines) {
        cairo_text_extents_t extents{};
        cairo_text_extents(cr, line.c_str(), &extents);
        widest = std::max(widest, extents.x_advance);
    }
    const double fitted = widest > width ? size * width / widest : size;
    for (const std::string& line : lines) {
        showText(cr, line, x, y, fitted, false);
        y += size * 1.25;
    }
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
          sink(out),
          pageWidth(printing::shortSide(bookLayout.paper)),
          pageHeight(printing::longSide(bookLayout.paper)),
          surface(cairo_pdf_surface_create_for_stream(writePdf, &sink, pageWidth, pageHeight),
                  cairo_surface_destroy),
          cr(cairo_create(surface.get()), cairo_destroy) {
        if (!bookLayout.title.empty()) {
            cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE,
                                           bookLayout.title.c_str());
        }
    }

    BookLayout layout;
    ByteSink sink;
    double pageWidth;
    double pageHeight;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface;
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr;
    bool answers = false;
    // Slots filled on the page under way; 0 when none is begun.
    int filled = 0;
    // Pages begun, the one under way included.
    int pages = 0;

    int perPage() const { return answers ? kAnswersPerPage : layout.perPage; }

    void endPage() {
        if (filled > 0) {
            cairo_show_page(cr.get());
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
            const std::string& heading = answers ? std::string("Answers") : layout.title;
            if (!heading.empty()) {
                cairo_set_source_rgb(cr.get(), 0, 0, 0);
                showText(cr.get(), heading, kMargin, kMargin + 14, 16, true);
            }
        }
        const Box area{kMargin, kMargin + kHeading, pageWidth - 2 * kMargin,
                       pageHeight - 2 * kMargin - kHeading};
        return slotOf(area, filled++, perPage());
    }

    void bookmark(const BookEntry& entry) {
        const std::string link = "page=" + std::to_string(pages);
        cairo_pdf_surface_add_outline(surface.get(), CAIRO_PDF_OUTLINE_ROOT, entry.bookmark.c_str(),
                                      link.c_str(), static_cast<cairo_pdf_outline_flags_t>(0));
    }

    void place(const ShapeMaze& maze, const BookEntry& entry, bool route) {
        const Box slot = nextSlot();
        const Topology& topology = maze.topology();
        const Point extent = topology.extent();
        const double numberSize = answers ? 10 : 13;
        const double printSize = answers ? 6 : 7;
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
        cairo_t* const c = cr.get();
        cairo_set_source_rgb(c, 0, 0, 0);
        showText(c, std::to_string(entry.number), slot.left, slot.top + numberSize, numberSize,
                 true);
        const double left = room.left + (room.width - unit * extent.x) / 2;
        const double top = room.top + (room.height - unit * extent.y) / 2;
        cairo_set_source_rgb(c, 0.35, 0.35, 0.35);
        showSmallPrint(c, entry.smallPrint, left, top + unit * extent.y + printSize + 3, printSize,
                       slot.left + slot.width - left);
        ShapeInk ink;
        ink.lineWidth = std::clamp(unit / 10, 0.25, 2.0) / unit;
        ink.dotRadius = 0.25;
        ink.dotRed = 0.8;
        ink.dotGreen = 0.1;
        ink.dotBlue = 0.1;
        cairo_save(c);
        cairo_translate(c, left, top);
        cairo_scale(c, unit, unit);
        drawShapeMaze(c, maze, ink, route, {}, placeEndMarks(topology, Marks::Openings));
        cairo_restore(c);
        bookmark(entry);
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
    state.cr.reset();
    cairo_surface_finish(state.surface.get());
    const cairo_status_t status = cairo_surface_status(state.surface.get());
    if (status != CAIRO_STATUS_SUCCESS) {
        throw RenderError(state.sink.failure().empty() ? cairo_status_to_string(status)
                                                       : state.sink.failure());
    }
    state.sink.flush();
}

}  // namespace nitka
