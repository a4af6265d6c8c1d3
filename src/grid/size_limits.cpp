#include "grid/size_limits.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <limits>

namespace nitka {
namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
// The reader's or writer's chunk and the file's own buffer, with room to spare.
constexpr std::uint64_t kFileBuffers = 1 * kMiB;
// The shortest-route search's ring of 4 Mi cell indices.
constexpr std::uint64_t kSearchQueue = 32 * kMiB;
// The rows of a picture in flight, however wide.
constexpr std::uint64_t kPictureRows = 64 * kMiB;

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > kSaturated - b ? kSaturated : a + b;
}

std::uint64_t cellsOf(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    const auto w = static_cast<std::uint64_t>(width);
    const auto h = static_cast<std::uint64_t>(height);
    return h > kSaturated / w ? kSaturated : w * h;
}

// 17179869184 as "17,179,869,184".
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

// One decimal in the largest binary unit that keeps the number at least 1.
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

}  // namespace

std::uint64_t bytesNeeded(MazeCommand command, std::int64_t width, std::int64_t height) {
    const std::uint64_t cells = cellsOf(width, height);
    const std::uint64_t grid = cells;
    const std::uint64_t route = cells == kSaturated ? kSaturated : (cells / 4 + 1) * 3;
    switch (command) {
        case MazeCommand::Generate:
            return saturatingAdd(grid, kFileBuffers);
        case MazeCommand::Solve:
        case MazeCommand::Info:
            return saturatingAdd(saturatingAdd(grid, route), kFileBuffers + kSearchQueue);
        case MazeCommand::Render:
            return saturatingAdd(saturatingAdd(grid, route), kFileBuffers + kPictureRows);
    }
    return kSaturated;
}

std::uint64_t machineMemory() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) {
        // Unknown: only the caps apply.
        return kSaturated;
    }
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

std::optional<std::string> refusal(std::int64_t width, std::int64_t height, std::uint64_t bytes,
                                   std::uint64_t memory) {
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
    if (bytes > memory) {
        return size + " need " + memoryText(bytes) + "; this machine has " + memoryText(memory);
    }
    return std::nullopt;
}

std::optional<std::string> refusal(MazeCommand command, std::int64_t width, std::int64_t height,
                                   std::uint64_t extraBytes) {
    return refusal(width, height, saturatingAdd(bytesNeeded(command, width, height), extraBytes),
                   machineMemory());
}

}  // namespace nitka
