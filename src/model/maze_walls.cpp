#include "model/maze_walls.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace nitka {

Maze::Maze(int columns, int rows)
    : m_columns(columns), m_rows(rows), m_pairs(static_cast<std::size_t>(columns) * rows) {
    assert(columns >= 0 && rows >= 0);
}

std::span<WallPair> Maze::operator[](int x) {
    assert(x >= 0 && x < m_columns);
    return {m_pairs.data() + static_cast<std::size_t>(x) * m_rows,
            static_cast<std::size_t>(m_rows)};
}

std::span<const WallPair> Maze::operator[](int x) const {
    assert(x >= 0 && x < m_columns);
    return {m_pairs.data() + static_cast<std::size_t>(x) * m_rows,
            static_cast<std::size_t>(m_rows)};
}

std::span<const std::uint8_t> Maze::rowBytes(int x) const {
    const std::span<const WallPair> row = (*this)[x];
    return {reinterpret_cast<const std::uint8_t*>(row.data()), row.size() * sizeof(WallPair)};
}

void Maze::resize(int columns, int rows) {
    if (columns == m_columns && rows == m_rows) {
        return;
    }
    Maze resized(columns, rows);
    for (int x = 0; x < std::min(columns, m_columns); ++x) {
        for (int y = 0; y < std::min(rows, m_rows); ++y) {
            resized[x][y] = (*this)[x][y];
        }
    }
    *this = std::move(resized);
}

int cellSizeFor(int width, int height) {
    if (width <= 50 && height <= 50) {
        return 16;
    }
    if (width <= 70 && height <= 70) {
        return 11;
    }
    return 8;
}

}  // namespace nitka
