#pragma once

#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "plan/planner.h"

namespace nitka {

// The mazes of a dataset as arrays, maze i's rows at i in each.
struct MazeBatch {
    std::int64_t count = 0;
    std::vector<std::uint64_t> seeds;
    // A rectangle's occupancy grids, count x rows x columns bytes, 1 for a
    // wall (maze_arrays.h); empty for other shapes.
    std::int64_t pictureRows = 0;
    std::int64_t pictureColumns = 0;
    std::vector<std::uint8_t> walls;
    // Every maze's open pairs i < j of its cells as render's JSON lists them,
    // flattened; maze i's run from passageOffsets[i] to passageOffsets[i + 1]
    // (in pairs).
    std::vector<std::int32_t> passages;
    std::vector<std::int64_t> passageOffsets;
    // Positions x, y as solve prints them.
    std::vector<std::int32_t> starts;
    std::vector<std::int32_t> targets;
    // Cells of the route from start to target, both included, and the score.
    std::vector<std::int64_t> routeLengths;
    std::vector<double> difficulty;
    // Seeds drawn to find the mazes: more than count when some were passed over.
    std::uint64_t tries = 0;
};

// A filtered batch draws at most this many seeds a maze, and kTriesBeyond more.
inline constexpr std::uint64_t kTriesPerMaze = 100;
inline constexpr std::uint64_t kTriesBeyond = 1000;

// A batch given up because its caller asked it to stop.
class BatchStopped : public std::runtime_error {
public:
    BatchStopped() : std::runtime_error("the batch was stopped") {}
};

// Carves the plan's mazes on its threads. Maze i is the maze generate writes
// for the seed derivedSeed(seed, k) of the k-th seed drawn that passes the
// filters (every k without them), so that the first mazes of a batch do not
// depend on its count or threads. Throws ToolError when too few pass within
// the tries. stop, when given, is looked at between blocks of mazes: once it
// is set, the threads finish their maze and BatchStopped is thrown.
MazeBatch carveBatch(const BatchPlan& plan, const std::atomic<bool>* stop = nullptr);

}  // namespace nitka
