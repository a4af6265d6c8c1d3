#include "carve/growing_tree.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <vector>

#include "carve/cell_index.h"
#include "carve/wall_steps.h"
#include "carve/wide_draw.h"

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
    GrowingCells(WallGrid& grid, std::uint64_t cells) : m_grid(grid) {
        // Every cell is added once at most; pages the list never reaches are
        // never touched.
        m_list.reserve(cells);
    }

    bool empty() const { return m_head == m_list.size(); }
    void add(std::uint64_t cell) { m_list.push_back(static_cast<Index>(cell)); }
    std::uint64_t at(std::size_t place) const { return m_list[place]; }

    std::size_t newest() const { return m_list.size() - 1; }
    std::size_t oldest() const { return m_head; }
    std::size_t anyLive(SeededRandom& random) const {
        while (true) {
            const std::size_t place = m_head + drawBelow(random, m_list.size() - m_head);
            if (m_grid.scratch(m_list[place]) != kRetired) {
                return place;
            }
        }
    }

    void retire(std::size_t place) {
        m_grid.setScratch(m_list[place], kRetired);
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
    bool retired(Index cell) const { return m_grid.scratch(cell) == kRetired; }

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

    WallGrid& m_grid;
    std::vector<Index> m_list;
    std::size_t m_head = 0;
    std::size_t m_retired = 0;
};

template <typename Index, typename Observer>
void carveGrowingTreeWith(WallGrid& grid, GrowingTreePick pick, double newestShare,
                          SeededRandom& random, Observer& observer) {
    constexpr int kChanceScale = 1 << 30;
    const auto newestChance = static_cast<int>(std::lround(newestShare * kChanceScale));
    const auto unvisited = [&grid](GridCell cell) { return grid.scratch(grid.index(cell)) == 0; };
    GrowingCells<Index> growing(grid, grid.cellCount());
    const std::uint64_t first = drawBelow(random, grid.cellCount());
    grid.setScratch(first, kVisited);
    growing.add(first);
    observer.mark(first, CellRole::Frontier);
    observer.current(first);
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
        const std::uint64_t at = growing.at(place);
        const GridCell cell = cellAt(grid, at);
        const StepChoice choice = stepsWhere(grid, cell, unvisited);
        observer.current(at);
        if (choice.empty()) {
            growing.retire(place);
            observer.mark(at, CellRole::Done);
            continue;
        }
        const Step step = choice.draw(random);
        openWall(grid, cell, step);
        const std::size_t next = grid.index(neighbour(cell, step));
        grid.setScratch(next, kVisited);
        growing.add(next);
        observer.opened(at, next);
        observer.mark(next, CellRole::Frontier);
    }
    grid.clearScratch();
}

}  // namespace

void carveGrowingTree(WallGrid& grid, GrowingTreePick pick, double newestShare,
                      SeededRandom& random) {
    assert(newestShare >= 0 && newestShare <= 1);
    NoCarveObserver none;
    withCellIndex(grid.cellCount(), [&]<typename Index>() {
        carveGrowingTreeWith<Index>(grid, pick, newestShare, random, none);
    });
}

void carveGrowingTree(WallGrid& grid, GrowingTreePick pick, double newestShare,
                      SeededRandom& random, CarveObserver& observer) {
    assert(newestShare >= 0 && newestShare <= 1);
    withCellIndex(grid.cellCount(), [&]<typename Index>() {
        carveGrowingTreeWith<Index>(grid, pick, newestShare, random, observer);
    });
}

}  // namespace nitka
