#include "render/print_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "render/pdf_document.h"

namespace nitka {
namespace {

// U+FFFD, which stands for each malformed byte.
const std::string kBad = "\xEF\xBF\xBD";

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
        {"overlong slash", "\xC0\xAF", kBad + kBad},
        {"cut short at the end", "ok\xE2\x82", "ok" + kBad + kBad},
        {"surrogate", "\xED\xA0\x80", kBad + kBad + kBad},
        {"past U+10FFFF", "\xF4\x90\x80\x80", kBad + kBad + kBad + kBad},
        {"controls become spaces", "a\nb\tc\x7F", "a b c "},
    };
    for (const auto& [label, text, safe] : kRows) {
        EXPECT_EQ(printable(text), safe) << label;
    }
}

}  // namespace
}  // namespace nitka
