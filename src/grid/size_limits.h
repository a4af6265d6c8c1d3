#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nitka {

// The largest maze the tool takes on, whatever the machine: a side of a
// million cells, and 2^34 cells in all (16 GiB of grid).
inline constexpr std::int64_t kMaxGridSide = 1'000'000;
inline constexpr std::uint64_t kMaxGridCells = std::uint64_t{1} << 34;

// The work whose memory is counted.
enum class MazeCommand { Generate, Solve, Info, Render };

// Bytes a command needs at most for a width x height maze: the grid at a byte
// a cell, a route at two bits a move through every cell (three times, for its
// vector's growth and a reversed copy) where the command finds one, and the
// fixed buffers of the file, the search queue and the picture rows. Saturates
// instead of overflowing, so any size may be asked about.
std::uint64_t bytesNeeded(MazeCommand command, std::int64_t width, std::int64_t height);

// The memory of this machine: its physical pages times the page size.
std::uint64_t machineMemory();

// Why a width x height maze needing bytes is not taken on where memory bytes
// are installed, as one line that names the size ("100000 x 100000 cells need
// 14.0 GiB; this machine has 8.0 GiB"), or nothing when it is: a side below 1,
// a side or a cell count past the caps above, or more bytes than the memory.
std::optional<std::string> refusal(std::int64_t width, std::int64_t height, std::uint64_t bytes,
                                   std::uint64_t memory);

// The refusal of command on a width x height maze on this machine, where the
// work needs extraBytes beyond bytesNeeded (a carving method's own lists). To
// be asked before anything of that size is allocated.
std::optional<std::string> refusal(MazeCommand command, std::int64_t width, std::int64_t height,
                                   std::uint64_t extraBytes = 0);

}  // namespace nitka
