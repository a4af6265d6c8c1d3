#pragma once

#include "carve/carve_method.h"

namespace nitka {

// What carving a cell takes on this machine (docs/performance.md), for
// judging a request's time before it runs and for the progress line.
// Depth-first is the fastest method; the others take two to five times as long.
inline double carveSecondsPerCell(CarveMethod method) {
    return method == CarveMethod::DepthFirst ? 17e-9 : 60e-9;
}

// A --difficulty search carves and measures its maze again and again: a try
// may take at most this long, so that several fit the search's time.
inline constexpr double kDifficultyTrySeconds = 2;

}  // namespace nitka
