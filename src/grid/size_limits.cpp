#include "grid/size_limits.h"

#include <array>
#include <cstdio>
#include <limits>

namespace nitka {
namespace {

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

}  // namespace

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > kSaturated - b ? kSaturated : a + b;
}

std::string grouped(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text;
}

std::string decimalText(double value, const char* format) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), format, value);
    return text.data();
}

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b) {
    return a != 0 && b > kSaturated / a ? kSaturated : a * b;
}

std::uint64_t cellsOf(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    const auto w = static_cast<std::uint64_t>(width);
    const auto h = static_cast<std::uint64_t>(height);
    return h > kSaturated / w ? kSaturated : w * h;
}

std::string memoryText(std::uint64_t bytes) {
    static constexpr std::array<const char*, 6> kUnits = {"bytes", "KiB", "MiB",
                                                          "GiB",   "TiB", "PiB"};
    double amount = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (amount >= 1024 && unit + 1 < kUnits.size()) {
        amount /= 1024;
        ++unit;
    }
    if (unit == 0) {
        return std::to_string(bytes) + " bytes";
    }
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.1f %s", amount, kUnits[unit]);
    return text.data();
}

std::optional<std::string> refusal(std::int64_t width, std::int64_t height, std::uint64_t bytes,
                                   std::uint64_t available) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height) + " cells";
    if (width < 1 || height < 1) {
        return size + ": each side must be at least 1";
    }
    if (width > kMaxGridSide || height > kMaxGridSide) {
        return size + ": a side may be at most " +
               grouped(static_cast<std::uint64_t>(kMaxGridSide));
    }
    if (const std::uint64_t cells = cellsOf(width, height); cells > kMaxGridCells) {
        return size + " are " + grouped(cells) + "; at most " + grouped(kMaxGridCells) +
               " are allowed";
    }
    if (bytes > available) {
        return size + " need " + memoryText(bytes) + "; this process may use " +
               memoryText(available);
    }
    return std::nullopt;
}

}  // namespace nitka
