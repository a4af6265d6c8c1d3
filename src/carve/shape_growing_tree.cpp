#include "carve/shape_growing_tree.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <vector>

#include "carve/cell_index.h"
#include "carve/shape_steps.h"

namespace nitka {
namespace {

constexpr std::uint8_t kVisited = 1;
constexpr std::uint8_t kRetired = 2;

// The growing cells in the order they were added. A cell retired from the
// middle stays in the list, marked in its scratch bits, until retired entries
// outnumber the live ones and the list is compacted: so the newest and the
// oldest stay at the ends and a random live entry takes two draws on average.
template <typename Index>
class GrowingCells {
public:
    GrowingCells(ShapeMaze& maze, std::uint64_t cells) : m_maze(maze) {
        // Every cell is added once at most; pages the list never reaches are
        // never touched.
        m_list.reserve(cells);
    }

    bool empty() const { return m_head == m_list.size(); }
    void add(CellId cell) { m_list.push_back(static_cast<Index>(cell)); }
    CellId at(std::size_t place) const { return m_list[place]; }

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

    ShapeMaze& m_maze;
    std::vector<Index> m_list;
    std::size_t m_head = 0;
    std::size_t m_retired = 0;
};

template <typename Index, typename Observer>
void carveShapeGrowingTreeWith(ShapeMaze& maze, GrowingTreePick pick, double newestShare,
                               SeededRandom& random, Observer& observer) {
    constexpr int kChanceScale = 1 << 30;
    const auto newestChance = static_cast<int>(std::lround(newestShare * kChanceScale));
    const Topology& topology = maze.topology();
    const auto unvisited = [&maze](CellId next) { return maze.scratch(next) == 0; };
    GrowingCells<Index> growing(maze, topology.cellCount());
    NeighbourArray list{};
    CellId seed = drawCell(topology, random);
    CellId scan = 0;
    while (seed < topology.slotCount()) {
        maze.setScratch(seed, kVisited);
        growing.add(seed);
        observer.mark(seed, CellRole::Frontier);
        observer.current(seed);
        while (!growing.empty()) {
            std::size_t place = 0;
            switch (pick) {
                case GrowingTreePick::Newest:
                    place = growing.newest();
                    break;
                case GrowingTreePick::Random:
                    place = growing.anyLive(random);
                    break;
                case GrowingTreePick::Oldest:
                    place = growing.oldest();
                    break;
                case GrowingTreePick::Mix:
                    place = random.Random(kChanceScale) < newestChance ? growing.newest()
                                                                       : growing.anyLive(random);
                    break;
            }
            const CellId cell = growing.at(place);
            const NeighbourChoice choice =
                placesWhere(list, topology.neighbours(cell, list), unvisited);
            observer.current(cell);
            if (choice.empty()) {
                growing.retire(place);
                observer.mark(cell, CellRole::Done);
                continue;
            }
            const CellId next = neighbourAt(list, choice.draw(random));
            maze.setOpen(cell, next, true);
            maze.setScratch(next, kVisited);
            growing.add(next);
            observer.opened(cell, next);
            observer.mark(next, CellRole::Frontier);
        }
        // An island of a mask that falls apart grows a tree of its own.
        seed = scan = nextUntouched(maze, scan);
    }
    maze.clearScratch();
}

}  // namespace

void carveShapeGrowingTree(ShapeMaze& maze, GrowingTreePick pick, double newestShare,
                           SeededRandom& random) {
    assert(newestShare >= 0 && newestShare <= 1);
    NoCarveObserver none;
    withCellIndex(maze.topology().slotCount(), [&]<typename Index>() {
        carveShapeGrowingTreeWith<Index>(maze, pick, newestShare, random, none);
    });
}

void carveShapeGrowingTree(ShapeMaze& maze, GrowingTreePick pick, double newestShare,
                           SeededRandom& random, CarveObserver& observer) {
    assert(newestShare >= 0 && newestShare <= 1);
    withCellIndex(maze.topology().slotCount(), [&]<typename Index>() {
        carveShapeGrowingTreeWith<Index>(maze, pick, newestShare, random, observer);
    });
}

}  // namespace nitka
