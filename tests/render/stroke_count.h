#pragma once

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <utility>
#include <vector>

#include "render/pen_strokes.h"

namespace nitka::testing {

inline std::pair<long, long> strokeKeyOf(Point point) {
    return {std::lround(point.x * 1000), std::lround(point.y * 1000)};
}

// The fewest strokes the walls allow, counted apart from the code: one for
// each connected piece, or half its ends of odd degree when it has any.
inline std::size_t fewestStrokes(const std::vector<PenEdge>& edges) {
    std::map<std::pair<long, long>, std::size_t> number;
    for (const PenEdge& edge : edges) {
        number.try_emplace(strokeKeyOf(edge.from), number.size());
        number.try_emplace(strokeKeyOf(edge.to), number.size());
    }
    std::vector<std::size_t> parent(number.size());
    std::iota(parent.begin(), parent.end(), 0);
    const auto root = [&](std::size_t p) {
        while (parent[p] != p) {
            p = parent[p] = parent[parent[p]];
        }
        return p;
    };
    std::vector<int> degree(number.size(), 0);
    for (const PenEdge& edge : edges) {
        const std::size_t a = number[strokeKeyOf(edge.from)];
        const std::size_t b = number[strokeKeyOf(edge.to)];
        ++degree[a];
        ++degree[b];
        parent[root(a)] = root(b);
    }
    std::map<std::size_t, std::size_t> odd;
    for (std::size_t p = 0; p < number.size(); ++p) {
        odd[root(p)] += degree[p] % 2;
    }
    std::size_t strokes = 0;
    for (const auto& [piece, ends] : odd) {
        strokes += std::max<std::size_t>(1, ends / 2);
    }
    return strokes;
}

}  // namespace nitka::testing
