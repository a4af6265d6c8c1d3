#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shape/cell_mask.h"
#include "shape/make_topology.h"

namespace nitka::testing {

// A mask drawn as rows of text: "." a hole, anything else a cell.
inline CellMask maskOf(const std::vector<std::string_view>& rows) {
    CellMask mask(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            mask.set(y * rows.front().size() + x, rows[y][x] != '.');
        }
    }
    return mask;
}

inline std::vector<std::string> pictureOf(const CellMask& mask) {
    std::vector<std::string> rows;
    for (int y = 0; y < mask.height(); ++y) {
        std::string row;
        for (int x = 0; x < mask.width(); ++x) {
            row += mask.isCell(static_cast<std::uint64_t>(y) * mask.width() + x) ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

struct Layout {
    std::string label;
    std::shared_ptr<const Topology> topology;
};

// Every shape at small, odd and one-cell-wide sizes, and cut by masks.
inline std::vector<Layout> everyLayout() {
    const std::vector<std::string_view> ring{"#####", "#...#", "#.#.#", "#...#", "#####"};
    const std::vector<std::string_view> ragged{".##.", "#..#", "##.#"};
    std::vector<Layout> layouts;
    for (const ShapeKind kind : {ShapeKind::Rect, ShapeKind::Hex, ShapeKind::Triangle}) {
        const std::string name(shapeName(kind));
        for (const auto& [width, height] :
             std::vector<std::pair<int, int>>{{1, 1}, {1, 5}, {5, 1}, {2, 2}, {7, 5}, {6, 4}}) {
            layouts.push_back({name + std::to_string(width) + "x" + std::to_string(height),
                               makeTopology(kind, width, height)});
        }
        layouts.push_back({name + "Ring", makeTopology(kind, 5, 5, maskOf(ring))});
        layouts.push_back({name + "Ragged", makeTopology(kind, 4, 3, maskOf(ragged))});
    }
    for (const int rings : {1, 2, 3, 9, 30}) {
        layouts.push_back(
            {"polar" + std::to_string(rings), makeTopology(ShapeKind::Polar, 1, rings)});
    }
    return layouts;
}

}  // namespace nitka::testing
