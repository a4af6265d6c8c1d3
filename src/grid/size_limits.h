#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nitka {

// The largest maze the tool takes on, whatever the machine: a side of a
// million cells, and 2^34 cells in all (16 GiB of grid).
inline constexpr std::int64_t kMaxGridSide = 1'000'000;
inline constexpr std::uint64_t kMaxGridCells = std::uint64_t{1} << 34;

// Sums and products of memory needs stop at the largest value instead of
// overflowing, so that any size may be asked about.
std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b);
std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b);
// Cells of a width x height maze, 0 for a side below 1, saturated.
std::uint64_t cellsOf(std::int64_t width, std::int64_t height);

// An amount of memory with one decimal in the largest binary unit that keeps
// it at least 1: "14.0 GiB".
std::string memoryText(std::uint64_t bytes);

// 17179869184 as "17,179,869,184".
std::string grouped(std::uint64_t value);

// value as a printf format with one conversion of a double writes it: "0.09".
std::string decimalText(double value, const char* format = "%.2f");

// Why a width x height maze needing bytes is not taken on by a process that
// may use available bytes, as one line that names the size ("100000 x 100000
// cells need 14.0 GiB; this process may use 8.0 GiB"), or nothing when it is:
// a side below 1, a side or a cell count past the caps above, or more bytes
// than are available.
std::optional<std::string> refusal(std::int64_t width, std::int64_t height, std::uint64_t bytes,
                                   std::uint64_t available);

}  // namespace nitka
