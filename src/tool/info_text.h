#pragma once

#include <optional>
#include <string>

#include "solver/maze_stats.h"

namespace nitka {

// The measures as "key: value" lines, a route or corridor that does not exist
// as "none"; the mean corridor length with two decimals.
// The difficulty, when given, comes last, with one decimal.
std::string infoLines(const MazeStats& stats, std::optional<double> difficulty = std::nullopt);

// The measures as one JSON object on one line, a route that does not exist as
// null, with the keys of the lines in snake case.
std::string infoJson(const MazeStats& stats, std::optional<double> difficulty = std::nullopt);

}  // namespace nitka
