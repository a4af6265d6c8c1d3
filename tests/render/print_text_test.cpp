#include "render/print_text.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "render/book_pdf.h"
#include "render/font_coverage.h"
#include "render/pdf_document.h"
#include "render/pdf_render.h"
#include "render/render_fixture.h"
#include "render/shape_fixture.h"
#include "render/shape_pdf_render.h"
#include "shape/make_topology.h"

namespace nitka {
namespace {

using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;
using testing::rendered;

// A context whose text measures as on a PDF page.
Context measuringContext() {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    Context cr(cairo_create(surface), cairo_destroy);
    cairo_surface_destroy(surface);
    return cr;
}

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

// U+FFFD, which stands for each malformed byte.
const std::string kBad = "\xEF\xBF\xBD";

double widthOf(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents{};
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

std::string book(const std::string& title, std::optional<std::int64_t> created) {
    std::stringbuf out;
    BookPdf pdf(out, {Paper::A4, 2, title, created});
    const ShapeMaze maze = testing::carvedMaze(makeTopology(ShapeKind::Hex, 5, 4), 3);
    pdf.addPuzzle(maze, {1, "seed 1\nsmall print", "Maze 1"});
    pdf.startAnswers();
    pdf.addAnswer(maze, {1, "route", "Answer 1"});
    pdf.finish();
    return std::move(out).str();
}

// Every PDF writer: the same drawing twice gives the same bytes, with the
// date asked for or none at all, never the clock's.
TEST(PdfFacts, SameBytesEveryTimeAndOnlyTheDateAskedFor) {
    const WallGrid grid = testing::picturedGrid();
    const ShapeMaze triangle = testing::carvedMaze(makeTopology(ShapeKind::Triangle, 5, 3), 2);
    const std::tuple<std::optional<std::int64_t>, const char*> kDates[] = {
        {std::nullopt, ""},
        {0, "19700101000000Z"},
        {1'700'000'000, "20231114221320Z"},
    };
    for (const auto& [created, date] : kDates) {
        const RenderOptions options{.route = true, .answer = true, .created = created};
        const std::vector<std::pair<const char*, std::function<std::string()>>> writers = {
            {"grid", [&] { return rendered(renderPdf, grid, options); }},
            {"shape", [&] { return rendered(renderShapePdf, triangle, options); }},
            {"book", [&] { return book("Rainy day", created); }},
        };
        for (const auto& [name, write] : writers) {
            const std::string first = write();
            EXPECT_EQ(first, write()) << name << " " << date;
            std::smatch match;
            const bool dated = std::regex_search(
                first, match, std::regex(R"(/CreationDate \((?:D:)?(\d{14}Z)\))"));
            EXPECT_EQ(dated ? match[1].str() : "", date) << name;
            EXPECT_EQ(first.find("/ModDate"), std::string::npos) << name;
        }
    }
}

TEST(PdfFacts, IsoDatesAcrossTheCalendar) {
    const std::tuple<std::int64_t, const char*> kRows[] = {
        {0, "1970-01-01T00:00:00Z"},
        {1'700'000'000, "2023-11-14T22:13:20Z"},
        {951'782'400, "2000-02-29T00:00:00Z"},
        {4'107'542'399, "2100-02-28T23:59:59Z"},
        {kLastPdfSecond, "9999-12-31T23:59:59Z"},
    };
    for (const auto& [seconds, iso] : kRows) {
        EXPECT_EQ(isoDate(seconds), iso) << seconds;
    }
}

TEST(PrintText, MakesAnyBytesSafeForCairo) {
    const std::tuple<const char*, std::string, std::string> kRows[] = {
        {"plain", "Mazes", "Mazes"},
        {"accents and emoji kept", "caf\xC3\xA9 \xF0\x9F\x98\x80", "caf\xC3\xA9 \xF0\x9F\x98\x80"},
        {"stray byte",
         "a\xFF"
         "b",
         "a" + kBad + "b"},
        {"overlong slash", "\xC0\xAF", repeated(kBad, 2)},
        {"cut short at the end", "ok\xE2\x82", "ok" + repeated(kBad, 2)},
        {"surrogate", "\xED\xA0\x80", repeated(kBad, 3)},
        {"past U+10FFFF", "\xF4\x90\x80\x80", repeated(kBad, 4)},
        {"controls become spaces", "a\nb\tc\x7F", "a b c "},
    };
    for (const auto& [label, text, safe] : kRows) {
        EXPECT_EQ(printable(text), safe) << label;
    }
}

// A title never runs off the page: long ones wrap at spaces, a word longer
// than a line breaks between characters, and what would take more than four
// lines shrinks, then ends in "…", losing nothing of a title that fits.
TEST(PrintText, FitsTitlesOfAnyLengthIntoTheirWidth) {
    const Context cr = measuringContext();
    std::string words;
    while (words.size() < 300) {
        words += "rainy day mazes ";
    }
    words.resize(300);
    const std::tuple<const char*, std::string, double, bool> kRows[] = {
        // label, title, the size it keeps or 0 for any, whether all of it is kept
        {"short", "Mazes for a rainy day", 16, true},
        {"300 characters with spaces", words, 0, true},
        {"no spaces", std::string(120, 'W'), 0, true},
        {"far too long", std::string(2000, 'M'), 8, false},
        {"wide characters, never cut in two", repeated("\xE4\xB8\xAD", 60), 0, true},
        {"empty", "", 16, true},
    };
    // An A4 page within its margins.
    const double width = 510;
    for (const auto& [label, title, size, kept] : kRows) {
        const FittedText fitted = fitText(cr.get(), title, width, 16, 8, 4, true);
        EXPECT_LE(fitted.lines.size(), 4u) << label;
        EXPECT_GE(fitted.size, 8) << label;
        if (size != 0) {
            EXPECT_EQ(fitted.size, size) << label;
        }
        std::string joined;
        for (const std::string& line : fitted.lines) {
            selectPrintFont(cr.get(), fitted.size, true);
            EXPECT_LE(widthOf(cr.get(), line), width) << label << ": " << line;
            EXPECT_EQ(printable(line), line) << label;
            joined += line;
        }
        std::string squeezed;
        for (const char c : title) {
            if (c != ' ') {
                squeezed += c;
            }
        }
        std::erase(joined, ' ');
        if (kept) {
            EXPECT_EQ(joined, squeezed) << label;
        } else {
            EXPECT_TRUE(joined.ends_with("\xE2\x80\xA6")) << label;
        }
    }
}

TEST(PrintText, NamesTheCharactersThePrintFontLacks) {
    EXPECT_TRUE(charactersWithoutGlyph("Mazes, caf\xC3\xA9 & co.", true).empty());
    // Malformed bytes print as U+FFFD, which the font has.
    EXPECT_TRUE(charactersWithoutGlyph("bad \xFF byte", true).empty());
    // U+E000 is private: no font of an ordinary system draws it. Each once.
    EXPECT_EQ(charactersWithoutGlyph("a\xEE\x80\x80 b\xEE\x80\x80\xEE\x80\x81", true),
              (std::vector<char32_t>{0xE000, 0xE001}));
}

// Titles no printer could fit, and bytes cairo would refuse, still make a
// whole book.
TEST(BookPdf, AnyTitleMakesAWholeBook) {
    for (const std::string& title :
         {std::string(300, 'x'), std::string("bad \xFF\xFE bytes\n"), std::string(5000, ' ')}) {
        const std::string pdf = book(title, std::nullopt);
        EXPECT_TRUE(pdf.ends_with("%%EOF\n"));
    }
}

}  // namespace
}  // namespace nitka
