#include "tool/print_inputs.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

#include "render/font_coverage.h"
#include "render/render_options.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

// Enough to name the problem without a line the width of the title.
constexpr std::size_t kNamedAtMost = 8;

std::string codeName(char32_t code) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
    return name;
}

}  // namespace

std::optional<std::int64_t> pdfCreationDate(const char* sourceDateEpoch) {
    if (sourceDateEpoch == nullptr || *sourceDateEpoch == '\0') {
        return std::nullopt;
    }
    const char* const end = sourceDateEpoch + std::strlen(sourceDateEpoch);
    std::int64_t seconds = -1;
    const auto [stop, error] = std::from_chars(sourceDateEpoch, end, seconds);
    if (error != std::errc() || stop != end || seconds < 0 || seconds > kLastPdfSecond) {
        throw UsageError("SOURCE_DATE_EPOCH", "'" + std::string(sourceDateEpoch) +
                                                  "' is not a whole number of seconds from 0 to " +
                                                  std::to_string(kLastPdfSecond));
    }
    return seconds;
}

void warnUndrawable(const std::string& what, const std::string& text, std::ostream& notices) {
    const std::vector<char32_t> missing = charactersWithoutGlyph(text, true);
    if (missing.empty()) {
        return;
    }
    std::string names;
    for (std::size_t i = 0; i < missing.size() && i < kNamedAtMost; ++i) {
        names += (i == 0 ? "" : ", ") + codeName(missing[i]);
    }
    if (missing.size() > kNamedAtMost) {
        names += " and " + std::to_string(missing.size() - kNamedAtMost) + " more";
    }
    notices << errorLine(
        "warning", what + ": the PDF's font cannot draw " + names + " (printed as empty boxes)");
}

}  // namespace nitka
