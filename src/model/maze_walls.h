#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace nitka {

// The sizes the window takes, in cells a side.
inline constexpr int kMinMazeSide = 8;
inline constexpr int kMaxMazeSide = 100;

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

// Side of a cell in pixels: 16 while both sides are at most 50, else 11 while
// both are at most 70, else 8. Keeps a 100 x 100 maze inside the picture.
int cellSizeFor(int width, int height);

}  // namespace nitka
