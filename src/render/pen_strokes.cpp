#include "render/pen_strokes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_map>
#include <utility>

namespace nitka {
namespace {

// Ends closer than this are one point: walls meet at corners computed by
// different sums, equal to a few units in the last place.
constexpr double kPointsPerUnit = 1e6;

struct PointKey {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend bool operator==(const PointKey&, const PointKey&) = default;
};

struct PointKeyHash {
    std::size_t operator()(const PointKey& key) const {
        return std::hash<std::int64_t>()(key.x * 0x9E3779B97F4A7C15LL ^ key.y);
    }
};

PointKey keyOf(Point point) {
    return {std::llround(point.x * kPointsPerUnit), std::llround(point.y * kPointsPerUnit)};
}

// Every wall end numbered once, and each edge's two ends by number.
struct WallGraph {
    std::vector<std::uint32_t> from;
    std::vector<std::uint32_t> to;
    std::size_t points = 0;
};

WallGraph graphOf(std::span<const PenEdge> edges) {
    WallGraph graph;
    std::unordered_map<PointKey, std::uint32_t, PointKeyHash> numbers;
    numbers.reserve(edges.size());
    const auto numberOf = [&](Point point) {
        const auto [at, added] =
            numbers.try_emplace(keyOf(point), static_cast<std::uint32_t>(numbers.size()));
        return at->second;
    };
    graph.from.reserve(edges.size());
    graph.to.reserve(edges.size());
    for (const PenEdge& edge : edges) {
        graph.from.push_back(numberOf(edge.from));
        graph.to.push_back(numberOf(edge.to));
    }
    graph.points = numbers.size();
    return graph;
}

// Each point's edges, one list after another: edge e appears at both ends.
struct Incidence {
    std::vector<std::size_t> first;  // points + 1 offsets
    std::vector<std::size_t> edge;
};

Incidence incidenceOf(const WallGraph& graph) {
    Incidence lists;
    lists.first.assign(graph.points + 1, 0);
    for (std::size_t e = 0; e < graph.from.size(); ++e) {
        ++lists.first[graph.from[e] + 1];
        ++lists.first[graph.to[e] + 1];
    }
    for (std::size_t p = 0; p < graph.points; ++p) {
        lists.first[p + 1] += lists.first[p];
    }
    std::vector<std::size_t> filled(lists.first.begin(), lists.first.end() - 1);
    lists.edge.resize(2 * graph.from.size());
    for (std::size_t e = 0; e < graph.from.size(); ++e) {
        lists.edge[filled[graph.from[e]]++] = e;
        lists.edge[filled[graph.to[e]]++] = e;
    }
    return lists;
}

// Pairs the points of odd degree with extra edges, numbered after the real
// ones, so that every degree is even: each extra edge is a pen lift.
void pairOddPoints(WallGraph& graph) {
    std::vector<std::uint32_t> degree(graph.points, 0);
    for (std::size_t e = 0; e < graph.from.size(); ++e) {
        ++degree[graph.from[e]];
        ++degree[graph.to[e]];
    }
    std::uint32_t waiting = 0;
    bool holding = false;
    for (std::uint32_t p = 0; p < graph.points; ++p) {
        if (degree[p] % 2 == 0) {
            continue;
        }
        if (holding) {
            graph.from.push_back(waiting);
            graph.to.push_back(p);
        } else {
            waiting = p;
        }
        holding = !holding;
    }
}

// The closed walk through every edge of start's piece (every degree even),
// each step as walked, by Hierholzer's method with an explicit stack.
std::vector<StrokeStep> closedWalk(const WallGraph& graph, const Incidence& lists,
                                   std::vector<std::size_t>& next, std::vector<bool>& used,
                                   std::uint32_t start) {
    struct Arrival {
        std::uint32_t point;
        StrokeStep step;
    };
    std::vector<Arrival> path{{start, {}}};
    std::vector<StrokeStep> walk;
    while (!path.empty()) {
        const std::uint32_t point = path.back().point;
        std::size_t& at = next[point];
        while (at < lists.first[point + 1] && used[lists.edge[at]]) {
            ++at;
        }
        if (at == lists.first[point + 1]) {
            if (path.size() > 1) {
                walk.push_back(path.back().step);
            }
            path.pop_back();
            continue;
        }
        const std::size_t e = lists.edge[at];
        used[e] = true;
        const bool reversed = graph.from[e] != point;
        path.push_back({reversed ? graph.from[e] : graph.to[e], {e, reversed}});
    }
    std::reverse(walk.begin(), walk.end());
    return walk;
}

// Cuts a closed walk at its extra edges into strokes of real edges.
void cutAtLifts(const std::vector<StrokeStep>& walk, std::size_t realEdges,
                std::vector<Stroke>& strokes) {
    const auto lift = std::find_if(walk.begin(), walk.end(),
                                   [&](const StrokeStep& step) { return step.edge >= realEdges; });
    // Started just after a lift, the walk's runs of real edges are strokes.
    const std::size_t begin =
        lift == walk.end() ? 0 : static_cast<std::size_t>(lift - walk.begin()) + 1;
    Stroke stroke;
    for (std::size_t k = 0; k < walk.size(); ++k) {
        const StrokeStep& step = walk[(begin + k) % walk.size()];
        if (step.edge >= realEdges) {
            if (!stroke.empty()) {
                strokes.push_back(std::move(stroke));
                stroke.clear();
            }
            continue;
        }
        stroke.push_back(step);
    }
    if (!stroke.empty()) {
        strokes.push_back(std::move(stroke));
    }
}

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

Point endOf(const PenEdge& edge, bool reversed) {
    return reversed ? edge.from : edge.to;
}

Point startOf(const PenEdge& edge, bool reversed) {
    return reversed ? edge.to : edge.from;
}

// The strokes' free ends in buckets of a grid over them, for the nearest one
// to a point.
class EndGrid {
public:
    struct End {
        std::size_t stroke;
        bool far;  // the stroke's end rather than its start
        Point at;
    };

    explicit EndGrid(std::vector<End> ends) {
        double lowX = std::numeric_limits<double>::max();
        double lowY = lowX;
        double highX = std::numeric_limits<double>::lowest();
        double highY = highX;
        for (const End& end : ends) {
            lowX = std::min(lowX, end.at.x);
            lowY = std::min(lowY, end.at.y);
            highX = std::max(highX, end.at.x);
            highY = std::max(highY, end.at.y);
        }
        m_side = std::max<std::int64_t>(
            1, static_cast<std::int64_t>(std::sqrt(static_cast<double>(ends.size()) / 2)));
        m_low = {lowX, lowY};
        m_cellWidth = std::max((highX - lowX) / static_cast<double>(m_side), 1e-9);
        m_cellHeight = std::max((highY - lowY) / static_cast<double>(m_side), 1e-9);
        m_buckets.resize(static_cast<std::size_t>(m_side * m_side));
        for (const End& end : ends) {
            const auto [bx, by] = bucketOf(end.at);
            m_buckets[static_cast<std::size_t>(by * m_side + bx)].push_back(end);
        }
    }

    // The nearest end of a stroke not yet taken, by rings of buckets around
    // the point until no nearer one can lie further out.
    template <typename Taken>
    std::optional<End> nearest(Point point, Taken taken) {
        const auto [cx, cy] = bucketOf(point);
        const double ringWidth = std::min(m_cellWidth, m_cellHeight);
        std::optional<End> best;
        double bestDistance = std::numeric_limits<double>::max();
        for (std::int64_t ring = 0; ring <= m_side; ++ring) {
            for (std::int64_t by = cy - ring; by <= cy + ring; ++by) {
                for (std::int64_t bx = cx - ring; bx <= cx + ring; ++bx) {
                    const bool onRing = std::max(std::abs(bx - cx), std::abs(by - cy)) == ring;
                    if (!onRing || bx < 0 || by < 0 || bx >= m_side || by >= m_side) {
                        continue;
                    }
                    auto& bucket = m_buckets[static_cast<std::size_t>(by * m_side + bx)];
                    // Taken ends leave their bucket when met.
                    std::erase_if(bucket, [&](const End& end) { return taken(end.stroke); });
                    for (const End& end : bucket) {
                        const double d = distance(point, end.at);
                        if (d < bestDistance) {
                            bestDistance = d;
                            best = end;
                        }
                    }
                }
            }
            if (best && bestDistance <= static_cast<double>(ring) * ringWidth) {
                break;
            }
        }
        return best;
    }

private:
    std::pair<std::int64_t, std::int64_t> bucketOf(Point point) const {
        const auto clamp = [this](double index) {
            return std::clamp<std::int64_t>(static_cast<std::int64_t>(std::floor(index)), 0,
                                            m_side - 1);
        };
        return {clamp((point.x - m_low.x) / m_cellWidth),
                clamp((point.y - m_low.y) / m_cellHeight)};
    }

    std::int64_t m_side = 1;
    Point m_low;
    double m_cellWidth = 1;
    double m_cellHeight = 1;
    std::vector<std::vector<End>> m_buckets;
};

Stroke reversedStroke(const Stroke& stroke) {
    Stroke turned;
    turned.reserve(stroke.size());
    for (auto step = stroke.rbegin(); step != stroke.rend(); ++step) {
        turned.push_back({step->edge, !step->reversed});
    }
    return turned;
}

}  // namespace

std::vector<Stroke> joinStrokes(std::span<const PenEdge> edges) {
    WallGraph graph = graphOf(edges);
    pairOddPoints(graph);
    const Incidence lists = incidenceOf(graph);
    std::vector<std::size_t> next(lists.first.begin(), lists.first.end() - 1);
    std::vector<bool> used(graph.from.size(), false);
    std::vector<Stroke> strokes;
    for (std::uint32_t point = 0; point < graph.points; ++point) {
        const std::vector<StrokeStep> walk = closedWalk(graph, lists, next, used, point);
        if (!walk.empty()) {
            cutAtLifts(walk, edges.size(), strokes);
        }
    }
    return strokes;
}

Point strokeStart(const Stroke& stroke, std::span<const PenEdge> edges) {
    return startOf(edges[stroke.front().edge], stroke.front().reversed);
}

Point strokeEnd(const Stroke& stroke, std::span<const PenEdge> edges) {
    return endOf(edges[stroke.back().edge], stroke.back().reversed);
}

void orderStrokes(std::vector<Stroke>& strokes, std::span<const PenEdge> edges, Point pen) {
    if (strokes.empty()) {
        return;
    }
    std::vector<EndGrid::End> ends;
    ends.reserve(2 * strokes.size());
    for (std::size_t s = 0; s < strokes.size(); ++s) {
        ends.push_back({s, false, strokeStart(strokes[s], edges)});
        ends.push_back({s, true, strokeEnd(strokes[s], edges)});
    }
    EndGrid grid(std::move(ends));
    std::vector<bool> taken(strokes.size(), false);
    std::vector<Stroke> ordered;
    ordered.reserve(strokes.size());
    while (ordered.size() < strokes.size()) {
        const auto nearest = grid.nearest(pen, [&](std::size_t s) { return taken[s]; });
        taken[nearest->stroke] = true;
        Stroke& chosen = strokes[nearest->stroke];
        ordered.push_back(nearest->far ? reversedStroke(chosen) : std::move(chosen));
        pen = strokeEnd(ordered.back(), edges);
    }
    strokes = std::move(ordered);
}

StrokeTally tallyStrokes(std::span<const Stroke> strokes, std::span<const PenEdge> edges,
                         Point pen) {
    StrokeTally tally;
    tally.strokes = strokes.size();
    tally.penLifts = strokes.empty() ? 0 : strokes.size() - 1;
    for (const Stroke& stroke : strokes) {
        tally.travel += distance(pen, strokeStart(stroke, edges));
        for (const StrokeStep& step : stroke) {
            tally.drawn += distance(edges[step.edge].from, edges[step.edge].to);
        }
        pen = strokeEnd(stroke, edges);
    }
    return tally;
}

}  // namespace nitka
