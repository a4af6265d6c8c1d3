#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "render/byte_sink.h"
#include "render/render_options.h"

namespace nitka {

// What a PDF says about itself besides its pages. Nothing in it depends on
// when or where the file is written, so the same drawing gives the same bytes.
struct PdfFacts {
    std::string title;
    // Seconds since 1970-01-01 UTC written as the creation date; none writes
    // no date at all.
    std::optional<std::int64_t> created;
};

using PdfSurface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// A PDF surface of width x height points writing to sink. cairo would stamp
// the time of writing; this one carries facts' date or none.
PdfSurface makePdfSurface(ByteSink& sink, double width, double height, const PdfFacts& facts);

// Ends the file. Throws RenderError when cairo failed or a write did.
void finishPdf(cairo_surface_t* surface, ByteSink& sink);

// seconds as "YYYY-MM-DDThh:mm:ssZ", the form cairo takes for a date.
// Requires: 0 <= seconds <= kLastPdfSecond.
std::string isoDate(std::int64_t seconds);

}  // namespace nitka
