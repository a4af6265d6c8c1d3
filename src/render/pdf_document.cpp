#include "render/pdf_document.h"

#include <cairo-pdf.h>

#include <cassert>
#include <chrono>
#include <cstdio>

#include "render/print_text.h"
#include "render/render_options.h"

namespace nitka {
namespace {

cairo_status_t writePdf(void* closure, const unsigned char* data, unsigned int length) {
    auto* sink = static_cast<ByteSink*>(closure);
    return sink->tryPut({reinterpret_cast<const char*>(data), length}) ? CAIRO_STATUS_SUCCESS
                                                                       : CAIRO_STATUS_WRITE_ERROR;
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

PdfSurface makePdfSurface(ByteSink& sink, double width, double height, const PdfFacts& facts) {
    PdfSurface surface(cairo_pdf_surface_create_for_stream(writePdf, &sink, width, height),
                       cairo_surface_destroy);
    // A null date clears the one cairo would take from the clock.
    const std::string created = facts.created ? isoDate(*facts.created) : std::string();
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE,
                                   facts.created ? created.c_str() : nullptr);
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_MOD_DATE, nullptr);
    if (!facts.title.empty()) {
        // cairo refuses the whole file over one bad byte in its metadata.
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE,
                                       printable(facts.title).c_str());
    }
    return surface;
}

void finishPdf(cairo_surface_t* surface, ByteSink& sink) {
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        throw RenderError(sink.failure().empty() ? cairo_status_to_string(status) : sink.failure());
    }
    sink.flush();
}

}  // namespace nitka
