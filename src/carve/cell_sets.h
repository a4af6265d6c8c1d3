#pragma once

#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

namespace nitka {

// Sets of joined cells for Kruskal's method on any maze whose cells have
// scratch bits: union by rank with path halving. The rank lives in the cell's
// scratch bits and stops at 15; a root of rank 15 has at least 2^15 cells, so
// only giant mazes ever reach it, and path halving keeps their finds short
// regardless.
template <typename Maze, typename Index>
class CellSets {
public:
    CellSets(Maze& maze, std::uint64_t cells) : m_maze(maze), m_parent(cells) {
        std::iota(m_parent.begin(), m_parent.end(), Index{0});
    }

    Index find(Index cell) {
        while (m_parent[cell] != cell) {
            m_parent[cell] = m_parent[m_parent[cell]];
            cell = m_parent[cell];
        }
        return cell;
    }

    // Requires: a and b are different roots.
    void join(Index a, Index b) {
        std::uint8_t rankA = m_maze.scratch(a);
        const std::uint8_t rankB = m_maze.scratch(b);
        if (rankA < rankB) {
            std::swap(a, b);
            rankA = rankB;
        }
        m_parent[b] = a;
        if (rankA == rankB && rankA < 15) {
            m_maze.setScratch(a, static_cast<std::uint8_t>(rankA + 1));
        }
    }

private:
    Maze& m_maze;
    std::vector<Index> m_parent;
};

}  // namespace nitka
