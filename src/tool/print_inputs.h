#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace nitka {

// The creation date a PDF gets from the value of SOURCE_DATE_EPOCH (null or
// empty: unset): none when unset, so that the same command writes the same
// bytes every time. Throws UsageError for a value that is not a whole number
// of seconds from 0 to the end of the year 9999: a date the user asked for
// is not silently dropped.
std::optional<std::int64_t> pdfCreationDate(const char* sourceDateEpoch);

// One warning line on notices naming the characters of text, given with
// option `what`, that the print font cannot draw; nothing when it draws all.
void warnUndrawable(const std::string& what, const std::string& text, std::ostream& notices);

}  // namespace nitka
