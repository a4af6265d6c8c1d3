#include "render/pdf_document.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cstdio>

#include "render/paper.h"
#include "render/print_text.h"

namespace nitka {
namespace {

cairo_status_t writePdf(void* closure, const unsigned char* data, unsigned int length) {
    auto* sink = static_cast<ByteSink*>(closure);
    return sink->tryPut({reinterpret_cast<const char*>(data), length}) ? CAIRO_STATUS_SUCCESS
                                                                       : CAIRO_STATUS_WRITE_ERROR;
}

cairo_surface_t* makeSurface(ByteSink& sink, double width, double height, const PdfFacts& facts) {
    cairo_surface_t* const surface =
        cairo_pdf_surface_create_for_stream(writePdf, &sink, width, height);
    // A null date clears the one cairo would take from the clock.
    const std::string created = facts.created ? isoDate(*facts.created) : std::string();
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE,
                                   facts.created ? created.c_str() : nullptr);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_MOD_DATE, nullptr);
    if (!facts.title.empty()) {
        // cairo refuses the whole file over one bad byte in its metadata.
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE,
                                       printable(facts.title).c_str());
    }
    return surface;
}

}  // namespace

std::string isoDate(std::int64_t seconds) {
    assert(seconds >= 0 && seconds <= kLastPdfSecond);
    using namespace std::chrono;
    const sys_seconds at{std::chrono::seconds(seconds)};
    const sys_days day = floor<days>(at);
    const year_month_day date(day);
    const hh_mm_ss time(at - day);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02ldZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<long>(time.hours().count()),
                  static_cast<long>(time.minutes().count()),
                  static_cast<long>(time.seconds().count()));
    return text;
}

PdfSheet fitSheet(Point extent, Paper paper, const std::string& what) {
    using printing::kMargin;
    using printing::kPointsPerMm;
    using printing::kSmallestCellMm;
    const double shortSide = printing::shortSide(paper);
    const double longSide = printing::longSide(paper);
    const auto fit = [&](double sheetWidth, double sheetHeight) {
        return std::min((sheetWidth - 2 * kMargin) / extent.x,
                        (sheetHeight - 2 * kMargin) / extent.y);
    };
    PdfSheet sheet;
    const bool upright = fit(shortSide, longSide) >= fit(longSide, shortSide);
    sheet.width = upright ? shortSide : longSide;
    sheet.height = upright ? longSide : shortSide;
    sheet.unit = fit(sheet.width, sheet.height);
    if (!(sheet.unit >= kSmallestCellMm * kPointsPerMm)) {
        char message[300];
        std::snprintf(message, sizeof message,
                      "%s does not print legibly on %s: its cells would be %.2f mm, less than "
                      "%.1f mm",
                      what.c_str(), paper == Paper::Letter ? "Letter" : "A4",
                      sheet.unit / kPointsPerMm, kSmallestCellMm);
        throw RenderError(message);
    }
    sheet.left = (sheet.width - sheet.unit * extent.x) / 2;
    sheet.top = (sheet.height - sheet.unit * extent.y) / 2;
    return sheet;
}

ShapeInk printInk(double unit) {
    ShapeInk ink;
    ink.lineWidth = std::clamp(unit / 10, 0.25, 2.0) / unit;
    ink.dotRadius = 0.25;
    ink.dotRed = 0.8;
    ink.dotGreen = 0.1;
    ink.dotBlue = 0.1;
    return ink;
}

void writeMazePdf(Point extent, const std::string& what, const std::string& title,
                  const RenderOptions& options, std::streambuf& out, const PdfDrawing& draw) {
    const PdfSheet sheet = fitSheet(extent, options.paper, what);
    PdfDocument document(out, sheet.width, sheet.height, {title, options.created});
    const auto drawPage = [&](bool route) {
        cairo_t* const cr = document.cr();
        cairo_save(cr);
        cairo_translate(cr, sheet.left, sheet.top);
        cairo_scale(cr, sheet.unit, sheet.unit);
        draw(cr, printInk(sheet.unit), route);
        cairo_restore(cr);
        document.endPage();
    };
    drawPage(options.route);
    if (options.answer) {
        drawPage(true);
    }
    document.finish();
}

PdfDocument::PdfDocument(std::streambuf& out, double width, double height, const PdfFacts& facts)
    : m_sink(out, failPictureWrite),
      m_surface(makeSurface(m_sink, width, height, facts), cairo_surface_destroy),
      m_cr(cairo_create(m_surface.get()), cairo_destroy) {}

PdfDocument::~PdfDocument() = default;

void PdfDocument::bookmark(const std::string& title, int page) {
    const std::string link = "page=" + std::to_string(page);
    cairo_pdf_surface_add_outline(m_surface.get(), CAIRO_PDF_OUTLINE_ROOT, title.c_str(),
                                  link.c_str(), static_cast<cairo_pdf_outline_flags_t>(0));
}

void PdfDocument::finish() {
    m_cr.reset();
    cairo_surface_finish(m_surface.get());
    const cairo_status_t status = cairo_surface_status(m_surface.get());
    if (status != CAIRO_STATUS_SUCCESS) {
        throw RenderError(m_sink.failure().empty() ? cairo_status_to_string(status)
                                                   : m_sink.failure());
    }
    m_sink.flush();
}

}  // namespace nitka
