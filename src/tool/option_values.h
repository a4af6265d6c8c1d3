#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "carve/carve_method.h"
#include "grid/wall_grid.h"
#include "plan/requests.h"
#include "render/render_options.h"
#include "shape/make_topology.h"
#include "shape/topology.h"

namespace nitka {

// Strict readers of option values: plain decimal digits only, so that "010"
// is ten (not octal eight), "-1" is no seed, and a number too large for its
// type is refused rather than cut short. A bad value throws UsageError naming
// the option.

// A whole number from low to high.
std::int64_t parseWholeNumber(const std::string& text, const std::string& option, std::int64_t low,
                              std::int64_t high);

// Any unsigned 64-bit number.
std::uint64_t parseSeed(const std::string& text, const std::string& option);

// A cell written "X,Y" with whole numbers from 0 up. Whether it lies inside a
// maze is known only once the maze is read.
GridCell parseCell(const std::string& text, const std::string& option);

// The method and the shape an option names; throw UsageError naming
// --algorithm or --shape for any other text.
CarveMethod parseMethod(const std::string& text);
ShapeKind parseShape(const std::string& text);

// Plain decimal digits with at most one point between digits, as info prints
// a score ("11.3"); nothing for any other text.
std::optional<double> plainDecimal(std::string_view text);

// Scores LO:HI, each plain decimal digits with at most one point ("10:20.5").
// Whether LO <= HI is the planner's to judge.
std::pair<double, double> parseScoreRange(const std::string& text, const std::string& option);

// A picture's --format, --paper and --marks; throw UsageError naming the
// option for any other text.
ImageFormat parseFormat(const std::string& text);
Paper parsePaper(const std::string& text);
Marks parseMarks(const std::string& text);

// A length in millimetres, plain decimal digits from a hundredth (finer than
// any pen or nozzle) to a metre; how the lengths of one request fit together
// is the planner's to judge.
inline constexpr double kLeastMillimetres = 0.01;
inline constexpr double kMostMillimetres = 1000;
double parseMillimetres(const std::string& text, const std::string& option);

}  // namespace nitka
