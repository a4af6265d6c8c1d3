#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace nitka {

// Codes of the generator's byte grid.
inline constexpr std::uint8_t CellOpen = 0;
inline constexpr std::uint8_t CellFresh = 1;
inline constexpr std::uint8_t CellWall = 9;
inline constexpr std::uint8_t CellBorder = 255;

inline constexpr int kGridSide = 202;
inline constexpr int kMazeTextLines = 411;
inline constexpr int kMinMazeSide = 8;
inline constexpr int kMaxMazeSide = 100;

// Indexed [x][y]; a 100 x 100 maze uses x, y = 0 .. 200.
using Grid = std::array<std::array<std::uint8_t, kGridSide>, kGridSide>;

// The two wall flags of one cell. The byte layout is part of the contract:
// row x of a Maze holds Left of cell y at byte 2y and Top at byte 2y + 1.
struct WallPair {
    std::uint8_t Left = 0;
    std::uint8_t Top = 0;
    friend bool operator==(const WallPair&, const WallPair&) = default;
};
static_assert(sizeof(WallPair) == 2 && offsetof(WallPair, Left) == 0 &&
              offsetof(WallPair, Top) == 1);

// Dynamic two-dimensional array of WallPair, outer index x, inner index y.
class Maze {
public:
    Maze() = default;
    // columns x rows elements, every flag 0.
    Maze(int columns, int rows);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    bool empty() const { return m_pairs.empty(); }

    std::span<WallPair> operator[](int x);
    std::span<const WallPair> operator[](int x) const;

    // Row x seen as 2 * rows() bytes.
    std::span<const std::uint8_t> rowBytes(int x) const;

    // New size; an element inside both the old and the new size keeps its flags,
    // a new one starts with both flags 0.
    void resize(int columns, int rows);

    friend bool operator==(const Maze&, const Maze&) = default;

private:
    int m_columns = 0;
    int m_rows = 0;
    std::vector<WallPair> m_pairs;  // row-major by x: element (x, y) at x * m_rows + y
};

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

// Side of a cell in pixels: 16 while both sides are at most 50, else 11 while
// both are at most 70, else 8. Keeps a 100 x 100 maze inside the picture.
int cellSizeFor(int width, int height);

}  // namespace nitka
