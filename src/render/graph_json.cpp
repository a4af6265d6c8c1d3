#include "render/graph_json.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "render/render_options.h"
#include "storage/byte_sink.h"

namespace nitka {
namespace {

// A maze on a topology, as the writer reads it.
class ShapeGraph {
public:
    explicit ShapeGraph(const ShapeMaze& maze) : m_maze(maze), m_topology(maze.topology()) {}
    std::string_view name() const { return shapeName(m_topology.kind()); }
    int width() const { return m_topology.width(); }
    int height() const { return m_topology.height(); }
    CellId slotCount() const { return m_topology.slotCount(); }
    CellId cellCount() const { return m_topology.cellCount(); }
    bool isCell(CellId id) const { return m_topology.isCell(id); }
    CellPosition position(CellId id) const { return m_topology.position(id); }
    int neighbours(CellId id, NeighbourList out) const { return m_topology.neighbours(id, out); }
    bool isOpen(CellId a, CellId b) const { return m_maze.isOpen(a, b); }
    CellId start() const { return m_topology.start(); }
    CellId target() const { return m_topology.target(); }

private:
    const ShapeMaze& m_maze;
    const Topology& m_topology;
};

// The window's rectangle read as RectTopology reads a full mask.
class GridGraph {
public:
    explicit GridGraph(const WallGrid& grid)
        : m_grid(grid), m_width(static_cast<CellId>(grid.width())) {}
    std::string_view name() const { return shapeName(ShapeKind::Rect); }
    int width() const { return m_grid.width(); }
    int height() const { return m_grid.height(); }
    CellId slotCount() const { return m_grid.cellCount(); }
    CellId cellCount() const { return m_grid.cellCount(); }
    bool isCell(CellId id) const { return id < slotCount(); }
    CellPosition position(CellId id) const {
        return {static_cast<std::int64_t>(id % m_width), static_cast<std::int64_t>(id / m_width)};
    }
    int neighbours(CellId id, NeighbourList out) const {
        const CellPosition at = position(id);
        int count = 0;
        if (at.x + 1 < m_grid.width()) {
            out[static_cast<std::size_t>(count++)] = id + 1;
        }
        if (at.y + 1 < m_grid.height()) {
            out[static_cast<std::size_t>(count++)] = id + m_width;
        }
        return count;
    }
    // The later cell holds the flag: its top one below, its left one beside
    // (a column one cell wide has only the former, 1 apart too).
    bool isOpen(CellId a, CellId b) const {
        const CellId later = std::max(a, b);
        const Flag flag =
            later - std::min(a, b) == m_width ? m_grid.top(later) : m_grid.left(later);
        return flag != Flag::Wall;
    }
    CellId start() const { return 0; }
    CellId target() const { return slotCount() - 1; }

private:
    const WallGrid& m_grid;
    CellId m_width;
};

// A cell's index among the cells: its number itself without holes, otherwise
// the cells before it, counted from one bit a place and a count every 64.
class CellIndex {
public:
    template <typename Graph>
    explicit CellIndex(const Graph& graph) {
        const CellId slots = graph.slotCount();
        if (graph.cellCount() == slots) {
            return;
        }
        m_bits.assign((slots + 63) / 64, 0);
        m_before.assign(m_bits.size(), 0);
        std::uint64_t counted = 0;
        for (CellId id = 0; id < slots; ++id) {
            if (id % 64 == 0) {
                m_before[id / 64] = counted;
            }
            if (graph.isCell(id)) {
                m_bits[id / 64] |= std::uint64_t{1} << (id % 64);
                ++counted;
            }
        }
    }

    std::uint64_t of(CellId id) const {
        if (m_bits.empty()) {
            return id;
        }
        const std::uint64_t below = (std::uint64_t{1} << (id % 64)) - 1;
        return m_before[id / 64] +
               static_cast<std::uint64_t>(std::popcount(m_bits[id / 64] & below));
    }

private:
    std::vector<std::uint64_t> m_bits;
    std::vector<std::uint64_t> m_before;
};

// The neighbours of cell numbered after it, each once, in rising order.
template <typename Graph>
int laterNeighbours(const Graph& graph, CellId cell, std::array<CellId, kMaxNeighbours>& out) {
    std::array<CellId, kMaxNeighbours> all{};
    const int count = graph.neighbours(cell, NeighbourList(all));
    int later = 0;
    for (int k = 0; k < count; ++k) {
        const CellId next = all[static_cast<std::size_t>(k)];
        if (next <= cell) {
            continue;
        }
        // At most six: an insertion that drops repeats is all the sorting needed.
        int at = later;
        while (at > 0 && out[static_cast<std::size_t>(at - 1)] > next) {
            --at;
        }
        if (at > 0 && out[static_cast<std::size_t>(at - 1)] == next) {
            continue;
        }
        for (int moved = later; moved > at; --moved) {
            out[static_cast<std::size_t>(moved)] = out[static_cast<std::size_t>(moved - 1)];
        }
        out[static_cast<std::size_t>(at)] = next;
        ++later;
    }
    return later;
}

// Calls visit(i, j) for every two cells that share a side, or only those
// whose side is open, as indices into the cells, i < j, in rising order.
template <typename Graph, typename Visit>
void forEachPair(const Graph& graph, const CellIndex& index, bool onlyOpen, Visit&& visit) {
    std::array<CellId, kMaxNeighbours> later{};
    for (CellId cell = 0; cell < graph.slotCount(); ++cell) {
        if (!graph.isCell(cell)) {
            continue;
        }
        const int count = laterNeighbours(graph, cell, later);
        for (int k = 0; k < count; ++k) {
            const CellId other = later[static_cast<std::size_t>(k)];
            if (!onlyOpen || graph.isOpen(cell, other)) {
                visit(index.of(cell), index.of(other));
            }
        }
    }
}

template <typename Graph>
void writePairs(ByteSink& json, const Graph& graph, const CellIndex& index, bool onlyOpen) {
    json << "[";
    std::string_view separator;
    forEachPair(graph, index, onlyOpen, [&](std::uint64_t cell, std::uint64_t other) {
        json << separator << "[" << static_cast<std::int64_t>(cell) << ", "
             << static_cast<std::int64_t>(other) << "]";
        separator = ", ";
    });
    json << "]";
}

template <typename Graph>
void writeEnd(ByteSink& json, const Graph& graph, const CellIndex& index, CellId cell) {
    if (cell < graph.slotCount() && graph.isCell(cell)) {
        json << static_cast<std::int64_t>(index.of(cell));
    } else {
        json << "null";
    }
}

template <typename Graph>
void writeGraph(const Graph& graph, std::streambuf& out) {
    const CellIndex index(graph);
    ByteSink json(out, failPictureWrite);
    // Shape names are plain lower-case words, safe inside quotes as they are.
    json << "{\"shape\": \"" << graph.name()
         << "\", \"width\": " << static_cast<std::int64_t>(graph.width())
         << ", \"height\": " << static_cast<std::int64_t>(graph.height()) << ",\n\"cells\": [";
    std::string_view separator;
    for (CellId cell = 0; cell < graph.slotCount(); ++cell) {
        if (graph.isCell(cell)) {
            const CellPosition at = graph.position(cell);
            json << separator << "[" << at.x << ", " << at.y << "]";
            separator = ", ";
        }
    }
    json << "],\n\"neighbours\": ";
    writePairs(json, graph, index, false);
    json << ",\n\"passages\": ";
    writePairs(json, graph, index, true);
    json << ",\n\"start\": ";
    writeEnd(json, graph, index, graph.start());
    json << ", \"target\": ";
    writeEnd(json, graph, index, graph.target());
    json << "}\n";
    json.flush();
}

template <typename Graph>
std::vector<std::int32_t> listOf(const Graph& graph, GraphList list) {
    if (graph.cellCount() > static_cast<CellId>(std::numeric_limits<std::int32_t>::max())) {
        throw std::length_error("a maze of more than 2^31 - 1 cells has no 32-bit cell indices");
    }
    std::vector<std::int32_t> numbers;
    const auto keep = [&numbers](auto first, auto second) {
        numbers.push_back(static_cast<std::int32_t>(first));
        numbers.push_back(static_cast<std::int32_t>(second));
    };
    if (list == GraphList::Cells) {
        numbers.reserve(2 * graph.cellCount());
        for (CellId cell = 0; cell < graph.slotCount(); ++cell) {
            if (graph.isCell(cell)) {
                const CellPosition at = graph.position(cell);
                keep(at.x, at.y);
            }
        }
        return numbers;
    }
    forEachPair(graph, CellIndex(graph), list == GraphList::Passages, keep);
    return numbers;
}

// The plain rectangle's passages: a named fast path beside forEachPair, row
// by row with no division for a cell's column and no index of its cells,
// for a dataset lists every maze's. The render tests hold it to the general
// listing of the same maze copied onto squares of the general kind.
std::vector<std::int32_t> gridPassages(const WallGrid& grid) {
    if (grid.cellCount() > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        throw std::length_error("a maze of more than 2^31 - 1 cells has no 32-bit cell indices");
    }
    const auto width = static_cast<std::int32_t>(grid.width());
    const auto height = static_cast<std::int32_t>(grid.height());
    std::vector<std::int32_t> numbers;
    // A perfect maze has a passage fewer than cells.
    numbers.reserve(2 * static_cast<std::size_t>(grid.cellCount()));
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t row = y * width;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t cell = row + x;
            if (x + 1 < width && grid.left(static_cast<std::size_t>(cell) + 1) != Flag::Wall) {
                numbers.push_back(cell);
                numbers.push_back(cell + 1);
            }
            if (y + 1 < height && grid.top(static_cast<std::size_t>(cell) +
                                           static_cast<std::size_t>(width)) != Flag::Wall) {
                numbers.push_back(cell);
                numbers.push_back(cell + width);
            }
        }
    }
    return numbers;
}

}  // namespace

std::vector<std::int32_t> graphList(const ShapeMaze& maze, GraphList list) {
    return listOf(ShapeGraph(maze), list);
}

std::vector<std::int32_t> graphList(const WallGrid& grid, GraphList list) {
    return list == GraphList::Passages ? gridPassages(grid) : listOf(GridGraph(grid), list);
}

void writeGraphJson(const ShapeMaze& maze, std::streambuf& out) {
    writeGraph(ShapeGraph(maze), out);
}

void writeGraphJson(const WallGrid& grid, std::streambuf& out) {
    writeGraph(GridGraph(grid), out);
}

}  // namespace nitka
