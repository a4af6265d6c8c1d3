#include "carve/carver_instances.h"

#include <cstddef>
#include <numeric>
#include <vector>

namespace nitka {
namespace {

constexpr int kNone = -1;

// Which cells of the current row are already joined, through this row or the
// rows above: a union-find over the row's columns, renewed for every row.
class RowSets {
public:
    explicit RowSets(int width) : m_parent(static_cast<std::size_t>(width)) {
        std::iota(m_parent.begin(), m_parent.end(), 0);
    }

    int find(int x) {
        while (at(x) != x) {
            at(x) = at(at(x));
            x = at(x);
        }
        return x;
    }
    // Requires: a and b are roots of different sets.
    void join(int a, int b) { at(a) = b; }
    // The next row's sets: parent[x] is x for a new cell, or the root column of
    // the set that reached the next row through column x.
    void renew(const std::vector<int>& parent) { m_parent = parent; }

private:
    int& at(int x) { return m_parent[static_cast<std::size_t>(x)]; }

    std::vector<int> m_parent;
};

}  // namespace

// Only two different sets are ever joined, so no loop forms; every set goes on
// into the next row, and the last row joins all of them, so nothing is cut off.
template <CarveListener Observer>
void carveEller(WallGrid& grid, SeededRandom& random, Observer&& observer) {
    const int width = grid.width();
    const auto columns = static_cast<std::size_t>(width);
    RowSets sets(width);
    std::vector<int> root(columns);
    std::vector<int> unseen(columns);  // members of a set the downward pass has yet to decide
    std::vector<int> firstDown(columns, kNone);
    std::vector<int> next(columns);
    for (int y = 0; y < grid.height(); ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * columns;
        const bool last = y + 1 == grid.height();
        for (int x = 0; x + 1 < width; ++x) {
            const int a = sets.find(x);
            const int b = sets.find(x + 1);
            const std::size_t cell = row + static_cast<std::size_t>(x);
            observer.current(cell);
            if (a != b && (last || random.Random(2) == 0)) {
                grid.setLeft(cell + 1, Flag::Open);
                sets.join(a, b);
                observer.opened(cell, cell + 1);
            }
        }
        if (last) {
            break;
        }
        for (int x = 0; x < width; ++x) {
            const auto c = static_cast<std::size_t>(x);
            root[c] = sets.find(x);
            ++unseen[static_cast<std::size_t>(root[c])];
        }
        for (std::size_t c = 0; c < columns; ++c) {
            const auto r = static_cast<std::size_t>(root[c]);
            --unseen[r];
            // A set's last member goes down when none of the others did.
            const bool down = (unseen[r] == 0 && firstDown[r] == kNone) || random.Random(2) == 0;
            if (down) {
                grid.setTop(row + columns + c, Flag::Open);
                observer.current(row + c);
                observer.opened(row + c, row + columns + c);
                if (firstDown[r] == kNone) {
                    firstDown[r] = static_cast<int>(c);
                }
                next[c] = firstDown[r];
            } else {
                next[c] = static_cast<int>(c);
            }
        }
        for (std::size_t c = 0; c < columns; ++c) {
            firstDown[static_cast<std::size_t>(root[c])] = kNone;
        }
        sets.renew(next);
    }
}

NITKA_GRID_CARVER(carveEller);

}  // namespace nitka
