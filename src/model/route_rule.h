#pragma once

#include <cstdint>

namespace nitka {

// The one rule of the window's route search, which every search and measure
// of the program follows: an edge lets the route through unless its wall flag
// is exactly 1. Any other value, found only in a hand-edited file, is drawn as
// a wall yet passes. No step leaves the maze, whatever the outer edges hold.
constexpr bool flagLetsRoutePass(std::uint8_t flag) {
    return flag != 1;
}

}  // namespace nitka
