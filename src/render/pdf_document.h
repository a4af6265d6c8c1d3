#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <streambuf>
#include <string>

#include "render/render_options.h"
#include "render/shape_cairo.h"
#include "shape/topology.h"
#include "storage/byte_sink.h"

namespace nitka {

// What a PDF says about itself besides its pages. Nothing in it depends on
// when or where the file is written, so the same drawing gives the same bytes.
struct PdfFacts {
    std::string title;
    // Seconds since 1970-01-01 UTC written as the creation date; none writes
    // no date at all.
    std::optional<std::int64_t> created;
};

// A sheet of paper with a drawing fitted on it.
struct PdfSheet {
    double width = 0;   // points, as the page is shown
    double height = 0;  // points
    double unit = 0;    // points a unit of the drawing
    double left = 0;    // where the drawing's (0, 0) lies
    double top = 0;
};

// The sheet, upright or sideways, on which a drawing of extent units prints
// largest within the margins, the drawing centred. Throws RenderError saying
// that `what` ("a 20 x 10 maze") does not print legibly when a unit would come
// out under printing::kSmallestCellMm.
PdfSheet fitSheet(Point extent, Paper paper, const std::string& what);

// The ink of a maze printed at `unit` points a unit: lines a tenth of a unit
// within what a printer draws cleanly, red dots half a unit across.
ShapeInk printInk(double unit);

// Draws a maze onto cr, whose user space is the drawing's units, in ink and
// with the route's dots or without.
using PdfDrawing = std::function<void(cairo_t* cr, const ShapeInk& ink, bool route)>;

// Writes a maze whose drawing spans extent units as a PDF ready to print on
// options.paper: fitted as fitSheet fits it (refused, before anything is
// written, as `what`), titled `title`, with route dots on the page when
// options.route and on a second page when options.answer. Throws RenderError
// when a write fails.
void writeMazePdf(Point extent, const std::string& what, const std::string& title,
                  const RenderOptions& options, std::streambuf& out, const PdfDrawing& draw);

// A PDF written as it is drawn: cairo writes each page out once it ends, so
// the document holds one page's drawing at a time.
class PdfDocument {
public:
    // Pages of width x height points.
    PdfDocument(std::streambuf& out, double width, double height, const PdfFacts& facts);
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    // The page under way, its user space in points from the top left.
    cairo_t* cr() const { return m_cr.get(); }
    void endPage() { cairo_show_page(m_cr.get()); }
    // An entry of the outline (bookmarks) that leads to page, counted from 1.
    void bookmark(const std::string& title, int page);
    // Ends the file. Throws RenderError when cairo failed or a write did.
    void finish();

private:
    using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
    using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

    ByteSink m_sink;
    Surface m_surface;
    Context m_cr;
};

// seconds as "YYYY-MM-DDThh:mm:ssZ", the form cairo takes for a date.
// Requires: 0 <= seconds <= kLastPdfSecond.
std::string isoDate(std::int64_t seconds);

}  // namespace nitka
