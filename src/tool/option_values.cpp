#include "tool/option_values.h"

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

}  // namespace nitka
