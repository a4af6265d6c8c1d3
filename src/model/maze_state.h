#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/maze_walls.h"

namespace nitka {

// Codes of the generator's byte grid.
inline constexpr std::uint8_t CellOpen = 0;
inline constexpr std::uint8_t CellFresh = 1;
inline constexpr std::uint8_t CellWall = 9;
inline constexpr std::uint8_t CellBorder = 255;

inline constexpr int kGridSide = 202;
inline constexpr int kMazeTextLines = 411;

// Indexed [x][y]; a 100 x 100 maze uses x, y = 0 .. 200.
using Grid = std::array<std::array<std::uint8_t, kGridSide>, kGridSide>;

struct Position {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Position&, const Position&) = default;
};

// The program-wide maze state. One instance lives in the main window and is
// passed by reference; the member initialisers are the start-up values.
struct MazeState {
    MazeState() = default;
    MazeState(const MazeState&) = delete;
    MazeState& operator=(const MazeState&) = delete;

    Grid CellGrid{};
    Maze Walls;
    std::array<std::string, kMazeTextLines> MazeText;

    // Carving state, used by the generator alone.
    std::vector<Position> CarveStack;
    std::int32_t CarveCount = 0;
    Position CurrentCell;
    std::array<std::uint8_t, 4> Candidates{};  // direction d (1 up .. 4 left) at d - 1

    std::int32_t MazeWidth = 0;
    std::int32_t MazeHeight = 0;
    std::int32_t GridMaxX = 100;
    std::int32_t GridMaxY = 100;
    std::int32_t CellSize = 10;
    std::int32_t Margin = 5;
    std::uint8_t PathHidden = 1;
    std::uint8_t MazeReady = 0;
    std::int32_t ErasePath = 0;
    std::int32_t SolveWidth = 0;
    std::int32_t SolveHeight = 0;
    std::string MazeFileName = "labird.txt";
};

}  // namespace nitka
