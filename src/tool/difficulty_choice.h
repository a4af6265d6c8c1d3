#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "plan/requests.h"

namespace nitka {

// Scores a maze must reach, from low up to but not including high, and the
// score a search for a size aims at.
struct DifficultyAsk {
    double low = 0;
    double high = 0;
    double aim = 0;
    // The side of a square maze that scores about aim by depth-first.
    int side = 0;
};

// What --difficulty asks: a band (easy under 30, medium 30 to 120, hard 120 to
// 400, expert from 400) or a number N, which asks for 0.9 N up to 1.1 N: plain
// decimal digits with at most one point between digits, as info prints a
// score ("11.3"). Throws UsageError naming --difficulty for anything else, or
// a number not from 1 to 1,000,000.
DifficultyAsk parseDifficultyAsk(const std::string& text);

// Scores within 10% of aim. Requires: aim > 0.
DifficultyAsk difficultyAround(double aim);

// The seed of try `index` of a search started from seed: seed itself first,
// then well-mixed others.
std::uint64_t derivedSeed(std::uint64_t seed, std::uint64_t index);

// request with its seed, and its size and method where the command line gave
// none, settled so that the maze generate writes for it scores in the band
// request.difficulty asks: tries seeds derived from seed, at most kTries or
// kSeconds, and while the size is free moves it towards the band after each.
// Tells the settled options on notices unless quiet. Throws ToolError when no
// try lands in the band.
inline constexpr int kDifficultyTries = 200;
inline constexpr double kDifficultySeconds = 20;
GenerateRequest settleDifficulty(const GenerateRequest& request, std::uint64_t seed,
                                 std::ostream& notices);

// A request whose maze scores difficulty.
struct SettledRequest {
    GenerateRequest request;
    double difficulty = 0;
};

// The same for any aim, without telling.
SettledRequest settleRequest(const GenerateRequest& request, const DifficultyAsk& ask,
                             std::uint64_t seed);

// The options of generate that make request's maze again: "-W 20 -H 20
// --algorithm prim --seed 7", with --shape and --exits where they are needed.
std::string remakeOptions(const GenerateRequest& request);

}  // namespace nitka
