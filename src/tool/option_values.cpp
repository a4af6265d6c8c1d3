#include "tool/option_values.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>

#include "tool/tool_error.h"

namespace nitka {
namespace {

std::optional<std::uint64_t> decimal(std::string_view text) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string methodNames() {
    std::string names;
    for (const CarveMethodInfo& info : carveMethods()) {
        names += (names.empty() ? "" : ", ") + std::string(info.name);
    }
    return names;
}

}  // namespace

std::int64_t parseWholeNumber(const std::string& text, const std::string& option, std::int64_t low,
                              std::int64_t high) {
    const auto value = decimal(text);
    if (!value || *value < static_cast<std::uint64_t>(low) ||
        *value > static_cast<std::uint64_t>(high)) {
        throw UsageError(option, quoted(text) + " is not a whole number from " +
                                     std::to_string(low) + " to " + std::to_string(high));
    }
    return static_cast<std::int64_t>(*value);
}

std::uint64_t parseSeed(const std::string& text, const std::string& option) {
    const auto value = decimal(text);
    if (!value) {
        throw UsageError(option, quoted(text) + " is not a whole number from 0 to " +
                                     std::to_string(std::numeric_limits<std::uint64_t>::max()));
    }
    return *value;
}

GridCell parseCell(const std::string& text, const std::string& option) {
    const auto comma = text.find(',');
    const auto x = comma == std::string::npos ? std::nullopt : decimal(text.substr(0, comma));
    const auto y = comma == std::string::npos ? std::nullopt : decimal(text.substr(comma + 1));
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<int>::max());
    if (!x || !y || *x > kMax || *y > kMax) {
        throw UsageError(option, quoted(text) + " is not a cell X,Y (two whole numbers from 0)");
    }
    return {static_cast<int>(*x), static_cast<int>(*y)};
}

CarveMethod parseMethod(const std::string& text) {
    if (const auto method = carveMethodNamed(text)) {
        return *method;
    }
    throw UsageError("--algorithm", "'" + text + "' is none of " + methodNames());
}

ShapeKind parseShape(const std::string& text) {
    if (const auto shape = parseShapeName(text)) {
        return *shape;
    }
    throw UsageError("--shape", "'" + text + "' is none of rect, hex, triangle, polar");
}

namespace {

constexpr std::array<std::pair<const char*, ImageFormat>, 6> kFormatNames = {{
    {"ascii", ImageFormat::Ascii},
    {"svg", ImageFormat::Svg},
    {"png", ImageFormat::Png},
    {"pdf", ImageFormat::Pdf},
    {"json", ImageFormat::Json},
    {"stl", ImageFormat::Stl},
}};

}  // namespace

std::optional<double> plainDecimal(std::string_view text) {
    const std::size_t point = text.find('.');
    const auto digits = [](std::string_view run) {
        return !run.empty() &&
               std::all_of(run.begin(), run.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(text.substr(0, point)) ||
        (point != std::string_view::npos && !digits(text.substr(point + 1)))) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::pair<double, double> parseScoreRange(const std::string& text, const std::string& option) {
    const std::size_t colon = text.find(':');
    const std::string_view whole(text);
    const auto low =
        colon == std::string::npos ? std::nullopt : plainDecimal(whole.substr(0, colon));
    const auto high =
        colon == std::string::npos ? std::nullopt : plainDecimal(whole.substr(colon + 1));
    if (!low || !high) {
        throw UsageError(option, quoted(text) + " is not scores LO:HI (two decimal numbers)");
    }
    return {*low, *high};
}

ImageFormat parseFormat(const std::string& text) {
    for (const auto& [name, format] : kFormatNames) {
        if (text == name) {
            return format;
        }
    }
    throw UsageError("--format", "'" + text + "' is none of ascii, svg, png, pdf, json, stl");
}

double parseMillimetres(const std::string& text, const std::string& option) {
    const std::optional<double> value = plainDecimal(text);
    if (!value || *value < kLeastMillimetres || *value > kMostMillimetres) {
        throw UsageError(option, quoted(text) + " is not millimetres from 0.01 to 1000");
    }
    return *value;
}

Paper parsePaper(const std::string& text) {
    if (text == "a4") {
        return Paper::A4;
    }
    if (text == "letter") {
        return Paper::Letter;
    }
    throw UsageError("--paper", "'" + text + "' is neither a4 nor letter");
}

Marks parseMarks(const std::string& text) {
    if (text == "openings") {
        return Marks::Openings;
    }
    if (text == "letters") {
        return Marks::Letters;
    }
    if (text == "none") {
        return Marks::None;
    }
    throw UsageError("--marks", "'" + text + "' is none of openings, letters, none");
}

}  // namespace nitka
