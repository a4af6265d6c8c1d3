#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "carve/carvers.h"
#include "carve/wide_draw.h"
#include "model/seeded_random.h"

namespace nitka::growing_tree {

constexpr std::uint8_t kVisited = 1;
constexpr std::uint8_t kRetired = 2;
// The chance of the newest cell under Mix, in parts of this.
constexpr int kChanceScale = 1 << 30;

// The growing cells in the order they were added, for the growing tree on any
// maze view (its cells have scratch bits). A cell retired
// from the middle stays in the list, marked in its scratch bits, until retired
// entries outnumber the live ones and the list is compacted: so the newest and
// the oldest stay at the ends and a random live entry takes two draws on
// average.
template <typename Maze, typename Index>
class GrowingCells {
public:
    GrowingCells(Maze& maze, std::uint64_t cells) : m_maze(maze) {
        // Every cell is added once at most; pages the list never reaches are
        // never touched.
        m_list.reserve(cells);
    }

    bool empty() const { return m_head == m_list.size(); }
    void add(std::uint64_t cell) { m_list.push_back(static_cast<Index>(cell)); }
    std::uint64_t at(std::size_t place) const { return m_list[place]; }

    // The place of the cell to grow next by pick, for Mix the newest with
    // chance newestChance / kChanceScale, else a random live one.
    std::size_t chosen(GrowingTreePick pick, int newestChance, SeededRandom& random) const {
        switch (pick) {
            case GrowingTreePick::Newest:
                return newest();
            case GrowingTreePick::Random:
                return anyLive(random);
            case GrowingTreePick::Oldest:
                return oldest();
            case GrowingTreePick::Mix:
                return random.Random(kChanceScale) < newestChance ? newest() : anyLive(random);
        }
        return newest();
    }

    std::size_t newest() const { return m_list.size() - 1; }
    std::size_t oldest() const { return m_head; }
    std::size_t anyLive(SeededRandom& random) const {
        while (true) {
            const std::size_t place = m_head + drawBelow(random, m_list.size() - m_head);
            if (!retired(m_list[place])) {
                return place;
            }
        }
    }

    void retire(std::size_t place) {
        m_maze.setScratch(m_list[place], kRetired);
        ++m_retired;
        while (!empty() && retired(m_list.back())) {
            m_list.pop_back();
            --m_retired;
        }
        while (!empty() && retired(m_list[m_head])) {
            ++m_head;
            --m_retired;
        }
        if (m_retired > m_list.size() - m_head - m_retired) {
            compact();
        }
    }

private:
    bool retired(Index cell) const { return m_maze.scratch(cell) == kRetired; }

    void compact() {
        std::size_t kept = 0;
        for (std::size_t place = m_head; place < m_list.size(); ++place) {
            if (!retired(m_list[place])) {
                m_list[kept++] = m_list[place];
            }
        }
        m_list.resize(kept);
        m_head = 0;
        m_retired = 0;
    }

    Maze& m_maze;
    std::vector<Index> m_list;
    std::size_t m_head = 0;
    std::size_t m_retired = 0;
};

}  // namespace nitka::growing_tree
