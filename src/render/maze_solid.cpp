#include "render/maze_solid.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <numbers>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "render/end_marks.h"
#include "render/shape_walls.h"
#include "shape/maze_view.h"
#include "storage/byte_sink.h"

namespace nitka {
namespace {

// Points of the drawing nearer than a 4096th of a unit are one point, as the
// pictures' wall runs take them: on a printed maze, about a micrometre.
constexpr double kPointSteps = 4096;

// An arc becomes chords turning at most 10 degrees each, which stray from it
// by less than a 250th of its radius: a round maze's walls stay smooth to the
// eye and its first rings few triangles.
constexpr double kMostChordTurn = std::numbers::pi / 18;

constexpr std::uint64_t kMostStlTriangles = 0xFFFF'FFFFu;
constexpr std::size_t kHeaderBytes = 80;
constexpr std::size_t kTriangleBytes = 50;
// What writing holds whatever the maze's size: the block of bytes on their
// way out, an outline and a polygon or two.
constexpr std::uint64_t kWriterBytes = std::uint64_t{1} << 20;
// Not "solid": readers take a file that starts so for the text form.
constexpr std::string_view kHeaderText = "nitka-maze binary STL, millimetres";

// The heights a piece of the solid stands at: nothing there (outside the
// maze and in the holes of a mask), the plate's top, the walls' top.
enum class Level : std::uint8_t { Ground, Base, Top };

// What a segment of the plan is: a wall, and whether a cell lies on its right
// (one always lies on its left, the one whose outline gave it).
constexpr std::uint8_t kRaised = 1;
constexpr std::uint8_t kCellOnRight = 2;

struct PointKey {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend bool operator==(const PointKey&, const PointKey&) = default;
    friend auto operator<=>(const PointKey&, const PointKey&) = default;
};

PointKey keyOf(Point point) {
    return {std::llround(point.x * kPointSteps), std::llround(point.y * kPointSteps)};
}

std::size_t hashOf(const PointKey& key) {
    // Keys lie on a coarse grid of the fine one: spread, then mix in full.
    std::uint64_t hash = static_cast<std::uint64_t>(key.x) * 0x9E3779B97F4A7C15ull ^
                         static_cast<std::uint64_t>(key.y) * 0xC2B2AE3D27D4EB4Full;
    hash = (hash ^ (hash >> 30)) * 0xBF58476D1CE4E5B9ull;
    return static_cast<std::size_t>(hash ^ (hash >> 31));
}

// Numbers the points of the drawing in the order first met, one number for
// all that round to one key: open addressing over the numbers, at most half
// full, the keys kept in number order.
class PointNumbers {
public:
    explicit PointNumbers(std::size_t expected) {
        m_keys.reserve(expected);
        rehash(std::bit_ceil(std::max<std::size_t>(2 * expected, 16)));
    }
    PointNumbers(const PointNumbers&) = delete;
    PointNumbers& operator=(const PointNumbers&) = delete;

    std::uint32_t numberOf(Point point);
    std::vector<PointKey> takeKeys() && { return std::move(m_keys); }

private:
    static constexpr std::uint32_t kFree = ~std::uint32_t{0};

    void rehash(std::size_t slots);

    std::vector<std::uint32_t> m_slots;
    std::vector<PointKey> m_keys;
};

std::uint32_t PointNumbers::numberOf(Point point) {
    const PointKey key = keyOf(point);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hashOf(key) & mask;
    while (m_slots[at] != kFree) {
        if (m_keys[m_slots[at]] == key) {
            return m_slots[at];
        }
        at = (at + 1) & mask;
    }
    const auto number = static_cast<std::uint32_t>(m_keys.size());
    m_keys.push_back(key);
    m_slots[at] = number;
    if (2 * m_keys.size() > m_slots.size()) {
        rehash(2 * m_slots.size());
    }
    return number;
}

void PointNumbers::rehash(std::size_t slots) {
    m_slots.assign(slots, kFree);
    const std::size_t mask = slots - 1;
    for (std::size_t number = 0; number < m_keys.size(); ++number) {
        std::size_t at = hashOf(m_keys[number]) & mask;
        while (m_slots[at] != kFree) {
            at = (at + 1) & mask;
        }
        m_slots[at] = static_cast<std::uint32_t>(number);
    }
}

// Whether cell's outline gives the plan this side: every side comes once,
// from the lower-numbered of its cells.
bool takes(CellId cell, const Side& side) {
    return side.across == kNoCell || cell < side.across;
}

// The chords an arc side becomes.
std::size_t chordCount(const Side& side) {
    if (!side.arc) {
        return 1;
    }
    const double from = std::atan2(side.from.y - side.centre.y, side.from.x - side.centre.x);
    const double to = std::atan2(side.to.y - side.centre.y, side.to.x - side.centre.x);
    const double turn = std::abs(std::remainder(to - from, 2 * std::numbers::pi));
    // Less a hair, so that an arc of just 10 degrees stays one chord.
    return std::max<std::size_t>(1,
                                 static_cast<std::size_t>(std::ceil(turn / kMostChordTurn - 1e-9)));
}

// The points a side runs through, from its start to its end: an arc's chord
// ends, spaced evenly from the end with the lower key, so that they come out
// the same whichever way round the arc is met.
void pointsAlong(const Side& side, std::vector<Point>& out) {
    out.clear();
    out.push_back(side.from);
    if (side.arc) {
        const bool forward = keyOf(side.from) < keyOf(side.to);
        const Point start = forward ? side.from : side.to;
        const Point end = forward ? side.to : side.from;
        const Point centre = side.centre;
        const double radius = std::hypot(start.x - centre.x, start.y - centre.y);
        const double from = std::atan2(start.y - centre.y, start.x - centre.x);
        const double turn = std::remainder(std::atan2(end.y - centre.y, end.x - centre.x) - from,
                                           2 * std::numbers::pi);
        const std::size_t chords = chordCount(side);
        const std::size_t first = out.size();
        for (std::size_t i = 1; i < chords; ++i) {
            const double angle = from + turn * static_cast<double>(i) / static_cast<double>(chords);
            out.push_back(
                {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
        }
        if (!forward) {
            std::reverse(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
        }
    }
    out.push_back(side.to);
}

// Every side of every cell, once, as segments between numbered points: an
// arc as its chords. The outlines run clockwise on the page, and so in the
// plan seen from above; each segment is kept the other way round, so that the
// cell that gave it lies on its left.
struct SideGraph {
    std::vector<PointKey> points;
    std::vector<std::uint32_t> ends;  // from and to of each segment
    std::vector<std::uint8_t> kinds;  // kRaised, kCellOnRight
};

template <typename L>
std::uint64_t segmentCount(const L& layout) {
    std::uint64_t segments = 0;
    std::vector<Side> outline;
    for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
        if (!layout.isCell(cell)) {
            continue;
        }
        layout.outline(cell, outline);
        for (const Side& side : outline) {
            segments += takes(cell, side) ? chordCount(side) : 0;
        }
    }
    return segments;
}

// The most points a plan of this many segments has: by Euler's formula one
// more than segments less cells for one piece without enclosed holes, and
// each hole may make a piece more; and at most one a segment, as every point
// ends two.
template <typename L>
std::uint64_t mostPoints(const L& layout, std::uint64_t segments) {
    const std::uint64_t holes = layout.slotCount() - layout.cellCount();
    return std::min(segments, segments - layout.cellCount() + 1 + holes);
}

template <typename View>
SideGraph sideGraphOf(const View& view, const EndMarks& marks) {
    const auto& layout = view.layout();
    const std::uint64_t segments = segmentCount(layout);
    SideGraph graph;
    graph.ends.reserve(2 * segments);
    graph.kinds.reserve(segments);
    PointNumbers numbers(mostPoints(layout, segments));
    std::vector<Side> outline;
    std::vector<Point> along;
    for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
        if (!layout.isCell(cell)) {
            continue;
        }
        layout.outline(cell, outline);
        for (int index = 0; index < static_cast<int>(outline.size()); ++index) {
            const Side& side = outline[static_cast<std::size_t>(index)];
            if (!takes(cell, side)) {
                continue;
            }
            const bool raised = drawsSide(view, cell, side, index) && !marks.opens(cell, index);
            const auto kind = static_cast<std::uint8_t>(
                (raised ? kRaised : 0) | (side.across != kNoCell ? kCellOnRight : 0));
            pointsAlong(side, along);
            std::uint32_t from = numbers.numberOf(along.front());
            for (std::size_t i = 1; i < along.size(); ++i) {
                const std::uint32_t to = numbers.numberOf(along[i]);
                graph.ends.push_back(to);
                graph.ends.push_back(from);
                graph.kinds.push_back(kind);
                from = to;
            }
        }
    }
    graph.points = std::move(numbers).takeKeys();
    return graph;
}

// A corner of the solid's plan, in millimetres as written.
struct MeshPoint {
    float x = 0;
    float y = 0;
};

// The solid's plan: each point's segments in counter-clockwise order and the
// corner of the pieces in each gap between two of them. Half-edge h runs
// along segment h / 2 from point ends[h] to point ends[h ^ 1]; the cell whose
// outline gave a segment lies left of its even half-edge.
struct SolidPlan {
    std::vector<std::uint32_t> ends;
    std::vector<std::uint8_t> kinds;
    std::vector<std::uint32_t> first;   // where each point's half-edges start in around
    std::vector<std::uint32_t> around;  // the half-edges out of each point
    // corners[i]: the corner in the gap counter-clockwise after around[i].
    std::vector<MeshPoint> corners;
    // Where each point lies, moved as the corners are.
    std::vector<MeshPoint> points;
    std::array<float, 3> heights{};  // of each Level
};

// Where the points of the drawing lie in millimetres, y up.
class PlanPositions {
public:
    PlanPositions(const std::vector<PointKey>& keys, double cellMm)
        : m_keys(keys), m_scale(cellMm / kPointSteps) {}

    Point operator[](std::uint32_t point) const {
        const PointKey& key = m_keys[point];
        return {static_cast<double>(key.x) * m_scale, -static_cast<double>(key.y) * m_scale};
    }

private:
    const std::vector<PointKey>& m_keys;
    double m_scale;
};

void listAround(SolidPlan& plan, std::size_t points) {
    plan.first.assign(points + 1, 0);
    for (const std::uint32_t point : plan.ends) {
        ++plan.first[point + 1];
    }
    for (std::size_t p = 0; p < points; ++p) {
        plan.first[p + 1] += plan.first[p];
    }
    std::vector<std::uint32_t> filled(plan.first.begin(), plan.first.end() - 1);
    plan.around.resize(plan.ends.size());
    for (std::size_t h = 0; h < plan.ends.size(); ++h) {
        plan.around[filled[plan.ends[h]]++] = static_cast<std::uint32_t>(h);
    }
}

// A direction's place in a turn counter-clockwise from +x: as its angle
// orders, without the arctangent.
double turnOrder(Point direction) {
    const double slope = direction.y / (std::abs(direction.x) + std::abs(direction.y));
    if (direction.x < 0) {
        return 2 - slope;
    }
    return direction.y < 0 ? 4 + slope : slope;
}

// The unit directions of the half-edges out of point, in around's order.
void directionsAt(const SolidPlan& plan, const PlanPositions& at, std::uint32_t point,
                  std::vector<Point>& out) {
    const Point from = at[point];
    out.clear();
    for (std::uint32_t i = plan.first[point]; i < plan.first[point + 1]; ++i) {
        const Point to = at[plan.ends[plan.around[i] ^ 1]];
        const double length =
            std::sqrt((to.x - from.x) * (to.x - from.x) + (to.y - from.y) * (to.y - from.y));
        out.push_back({(to.x - from.x) / length, (to.y - from.y) / length});
    }
}

void sortAround(SolidPlan& plan, const PlanPositions& at) {
    std::vector<Point> directions;
    std::vector<std::pair<double, std::uint32_t>> order;
    for (std::uint32_t point = 0; point + 1 < plan.first.size(); ++point) {
        directionsAt(plan, at, point, directions);
        order.clear();
        for (std::size_t i = 0; i < directions.size(); ++i) {
            order.emplace_back(turnOrder(directions[i]), plan.around[plan.first[point] + i]);
        }
        std::sort(order.begin(), order.end());
        for (std::size_t i = 0; i < order.size(); ++i) {
            plan.around[plan.first[point] + i] = order[i].second;
        }
    }
}

// The corner in the gap at point counter-clockwise from unit direction a to
// unit direction b: where the lines half a wall from each side meet. It lies
// along the gap's bisector, half a wall over the sine of half the gap out,
// and the gap's chord a - b turned a quarter gives both at once.
Point cornerIn(Point point, Point a, Point b, double wall) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double scale = wall / (dx * dx + dy * dy);
    return {point.x - dy * scale, point.y + dx * scale};
}

// Calls visit(i, corner) for every gap i of around.
template <typename Visit>
void forEachCorner(const SolidPlan& plan, const PlanPositions& at, double wall, Visit&& visit) {
    std::vector<Point> directions;
    for (std::uint32_t point = 0; point + 1 < plan.first.size(); ++point) {
        directionsAt(plan, at, point, directions);
        const std::size_t count = directions.size();
        for (std::size_t i = 0; i < count; ++i) {
            visit(plan.first[point] + i,
                  cornerIn(at[point], directions[i], directions[(i + 1) % count], wall));
        }
    }
}

// Each corner computed once and kept as written, so that the pieces meeting
// there share it bit for bit; moved so that the solid starts at x = y = 0.
void placeCorners(SolidPlan& plan, const PlanPositions& at, double wall) {
    Point low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    forEachCorner(plan, at, wall, [&](std::size_t, Point corner) {
        low = {std::min(low.x, corner.x), std::min(low.y, corner.y)};
    });
    const auto placed = [&](Point point) {
        const MeshPoint moved{static_cast<float>(point.x - low.x),
                              static_cast<float>(point.y - low.y)};
        if (!std::isfinite(moved.x) || !std::isfinite(moved.y)) {
            throw RenderError("the maze's solid would be too large to write");
        }
        return moved;
    };
    plan.corners.resize(plan.around.size());
    forEachCorner(plan, at, wall,
                  [&](std::size_t i, Point corner) { plan.corners[i] = placed(corner); });
    plan.points.resize(plan.first.size() - 1);
    for (std::uint32_t point = 0; point < plan.points.size(); ++point) {
        plan.points[point] = placed(at[point]);
    }
}

std::string millimetres(double value) {
    std::ostringstream text;
    text << value << " mm";
    return text.str();
}

void checkSizes(const RenderOptions& options) {
    const std::array<std::pair<const char*, double>, 4> sizes{
        {{"cell size", options.mm.cell},
         {"wall thickness", options.mm.wall},
         {"wall height", options.mm.height},
         {"base thickness", options.mm.base}}};
    for (const auto& [name, value] : sizes) {
        if (!std::isfinite(value) || value <= 0) {
            throw RenderError(std::string("the solid's ") + name +
                              " must be a positive number of millimetres");
        }
    }
    const auto base = static_cast<float>(options.mm.base);
    const auto top = static_cast<float>(options.mm.base + options.mm.height);
    if (!std::isfinite(top)) {
        throw RenderError("the maze's solid would be too large to write");
    }
    if (base == 0 || top == base) {
        throw RenderError(
            "the solid's base or walls are too thin for the single precision of "
            "an STL file");
    }
}

template <typename View>
SolidPlan planOf(const View& view, const EndMarks& marks, const RenderOptions& options) {
    SideGraph graph = sideGraphOf(view, marks);
    SolidPlan plan;
    plan.ends = std::move(graph.ends);
    plan.kinds = std::move(graph.kinds);
    listAround(plan, graph.points.size());
    {
        const PlanPositions at(graph.points, options.mm.cell);
        sortAround(plan, at);
        placeCorners(plan, at, options.mm.wall);
    }
    graph.points = {};
    plan.heights = {0.0f, static_cast<float>(options.mm.base),
                    static_cast<float>(options.mm.base + options.mm.height)};
    return plan;
}

using TriangleIndices = std::array<std::uint32_t, 3>;

// Twice the signed area of a, b, c: positive when they turn counter-clockwise.
// Exact enough in double for float points: the differences are exact.
double turn(MeshPoint a, MeshPoint b, MeshPoint c) {
    return (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
           (static_cast<double>(b.y) - a.y) * (static_cast<double>(c.x) - a.x);
}

bool strictlyConvex(std::span<const MeshPoint> polygon) {
    const std::size_t count = polygon.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (turn(polygon[(i + count - 1) % count], polygon[i], polygon[(i + 1) % count]) <= 0) {
            return false;
        }
    }
    return true;
}

// Whether point lies in the counter-clockwise triangle a, b, c or on its edge.
bool touches(MeshPoint a, MeshPoint b, MeshPoint c, MeshPoint point) {
    return turn(a, b, point) >= 0 && turn(b, c, point) >= 0 && turn(c, a, point) >= 0;
}

// The place in left of a vertex that, with its two neighbours, makes a
// triangle turning counter-clockwise with no other vertex in or on it; a
// vertex on its edge would leave a crack. left.size() when none does.
std::size_t earOf(std::span<const MeshPoint> polygon, const std::vector<std::uint32_t>& left) {
    const std::size_t count = left.size();
    for (std::size_t ear = 0; ear < count; ++ear) {
        const std::size_t before = (ear + count - 1) % count;
        const std::size_t after = (ear + 1) % count;
        const MeshPoint a = polygon[left[before]];
        const MeshPoint b = polygon[left[ear]];
        const MeshPoint c = polygon[left[after]];
        if (turn(a, b, c) <= 0) {
            continue;
        }
        bool empty = true;
        for (std::size_t other = 0; other < count && empty; ++other) {
            empty = other == before || other == ear || other == after ||
                    !touches(a, b, c, polygon[left[other]]);
        }
        if (empty) {
            return ear;
        }
    }
    return count;
}

// Splits a counter-clockwise simple polygon into triangles of its vertices,
// none of zero area. A convex one, all that but the odd cell of a round maze
// are, fans out from its first vertex; any other loses ears one by one.
void triangulate(std::span<const MeshPoint> polygon, std::vector<TriangleIndices>& out,
                 std::vector<std::uint32_t>& left) {
    out.clear();
    const auto count = static_cast<std::uint32_t>(polygon.size());
    if (strictlyConvex(polygon)) {
        for (std::uint32_t i = 1; i + 1 < count; ++i) {
            out.push_back({0, i, i + 1});
        }
        return;
    }
    left.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        left[i] = i;
    }
    while (left.size() > 3) {
        const std::size_t ear = earOf(polygon, left);
        if (ear == left.size()) {
            // Not a simple polygon: the walls overlap. The fan below gives the
            // triangle counter the faults it refuses.
            break;
        }
        const std::size_t size = left.size();
        out.push_back({left[(ear + size - 1) % size], left[ear], left[(ear + 1) % size]});
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(ear));
    }
    for (std::size_t i = 1; i + 1 < left.size(); ++i) {
        out.push_back({left[0], left[i], left[i + 1]});
    }
}

using Vertex = std::array<float, 3>;

// Hands every triangle of the solid to sink(a, b, c), counter-clockwise seen
// from outside, piece by piece: the walls' junctions, the strips along the
// sides, the cells' floors. Each piece gives its top and a vertical face
// wherever the piece beside it is lower, split at the plate's top so that
// every edge has one triangle on either side. The bottom on z = 0 needs
// only to meet the outer walls' lower edges: it is each cell's own outline,
// and beyond the maze's edge a band out to the walls' outer corners; or, for
// an outline its middle sees whole, one fan (see outlineCentre).
template <typename Sink>
class PieceWriter {
public:
    // fan: the point the bottom fans out from (see outlineCentre), if any.
    PieceWriter(const SolidPlan& plan, Sink& sink, std::optional<MeshPoint> fan)
        : m_plan(plan), m_sink(sink), m_fan(fan) {}

    void writeAll() {
        junctions();
        strips();
        cells();
    }

    // Whether centre sees every edge of the outline, the strips' sides with
    // nothing beyond them, turn counter-clockwise.
    bool fansFrom(MeshPoint centre) const {
        const auto segments = static_cast<std::uint32_t>(m_plan.kinds.size());
        for (std::uint32_t segment = 0; segment < segments; ++segment) {
            const std::uint32_t back = 2 * segment + 1;
            if (!cellOnLeft(back) && !(turn(centre, rightCorner(back - 1), leftCorner(back)) > 0)) {
                return false;
            }
        }
        return true;
    }

private:
    std::uint32_t degree(std::uint32_t point) const {
        return m_plan.first[point + 1] - m_plan.first[point];
    }
    Level segmentLevel(std::uint32_t segment) const {
        return (m_plan.kinds[segment] & kRaised) != 0 ? Level::Top : Level::Base;
    }
    bool cellOnLeft(std::uint32_t half) const {
        return (half & 1) == 0 || (m_plan.kinds[half >> 1] & kCellOnRight) != 0;
    }
    // A junction stands as high as the highest strip into it.
    Level junctionLevel(std::uint32_t point) const {
        for (std::uint32_t i = m_plan.first[point]; i < m_plan.first[point + 1]; ++i) {
            if (segmentLevel(m_plan.around[i] >> 1) == Level::Top) {
                return Level::Top;
            }
        }
        return Level::Base;
    }
    // Where half-edge h sits in around.
    std::uint32_t placeOf(std::uint32_t half) const {
        std::uint32_t at = m_plan.first[m_plan.ends[half]];
        while (m_plan.around[at] != half) {
            ++at;
        }
        return at;
    }
    // The place before at in its point's counter-clockwise cycle.
    std::uint32_t before(std::uint32_t at, std::uint32_t point) const {
        return at == m_plan.first[point] ? m_plan.first[point + 1] - 1 : at - 1;
    }
    MeshPoint leftCorner(std::uint32_t half) const { return m_plan.corners[placeOf(half)]; }
    MeshPoint rightCorner(std::uint32_t half) const {
        return m_plan.corners[before(placeOf(half), m_plan.ends[half])];
    }
    // What lies beyond the end of h's strip at h's start: a junction, or
    // where only two segments meet, the other one's strip.
    Level endLevel(std::uint32_t half) const {
        const std::uint32_t point = m_plan.ends[half];
        if (degree(point) >= 3) {
            return junctionLevel(point);
        }
        assert(degree(point) == 2);
        const std::uint32_t at = m_plan.first[point];
        const std::uint32_t other =
            m_plan.around[at] == half ? m_plan.around[at + 1] : m_plan.around[at];
        return segmentLevel(other >> 1);
    }
    // The half-edge after h around the face on h's left.
    std::uint32_t nextInFace(std::uint32_t half) const {
        const std::uint32_t twin = half ^ 1;
        return m_plan.around[before(placeOf(twin), m_plan.ends[twin])];
    }

    void junctions() {
        for (std::uint32_t point = 0; point + 1 < m_plan.first.size(); ++point) {
            if (degree(point) < 3) {
                continue;
            }
            const std::uint32_t first = m_plan.first[point];
            const std::uint32_t count = degree(point);
            const Level level = junctionLevel(point);
            flat(std::span(m_plan.corners).subspan(first, count), level);
            for (std::uint32_t i = 0; i < count; ++i) {
                const Level strip = segmentLevel(m_plan.around[first + i] >> 1);
                const std::uint32_t previous = first + (i + count - 1) % count;
                wall(m_plan.corners[previous], m_plan.corners[first + i], strip, level);
            }
        }
    }

    void strips() {
        const auto segments = static_cast<std::uint32_t>(m_plan.kinds.size());
        for (std::uint32_t segment = 0; segment < segments; ++segment) {
            const std::uint32_t forth = 2 * segment;
            const std::uint32_t back = forth + 1;
            const std::array<MeshPoint, 4> outline{rightCorner(forth), leftCorner(back),
                                                   rightCorner(back), leftCorner(forth)};
            const Level level = segmentLevel(segment);
            // A strip lies between two parallel lines, convex unless its
            // walls overlap, which turns one of these over for the counter.
            m_triangles.assign({{0, 1, 2}, {0, 2, 3}});
            flatTriangles(outline, level);
            if (!cellOnLeft(back) && !m_fan) {
                // The bottom's band from the side out to the walls' outer
                // corners, cut as the strip is.
                const std::array<MeshPoint, 4> band{m_plan.points[m_plan.ends[forth]], outline[0],
                                                    outline[1], m_plan.points[m_plan.ends[back]]};
                bottom(band);
            }
            wall(outline[0], outline[1], cellOnLeft(back) ? Level::Base : Level::Ground, level);
            wall(outline[1], outline[2], endLevel(back), level);
            wall(outline[2], outline[3], Level::Base, level);
            wall(outline[3], outline[0], endLevel(forth), level);
        }
    }

    void cells() {
        std::vector<bool> done(m_plan.ends.size(), false);
        for (std::uint32_t start = 0; start < m_plan.ends.size(); ++start) {
            if (done[start] || !cellOnLeft(start)) {
                continue;
            }
            m_polygon.clear();
            m_outline.clear();
            std::uint32_t half = start;
            do {
                done[half] = true;
                m_polygon.push_back(leftCorner(half));
                m_outline.push_back(m_plan.points[m_plan.ends[half]]);
                half = nextInFace(half);
            } while (half != start);
            flat(m_polygon, Level::Base);
            if (!m_fan) {
                triangulate(m_outline, m_triangles, m_left);
                bottom(m_outline);
            }
        }
    }

    void flat(std::span<const MeshPoint> polygon, Level level) {
        triangulate(polygon, m_triangles, m_left);
        flatTriangles(polygon, level);
    }

    // The top of m_triangles over polygon.
    void flatTriangles(std::span<const MeshPoint> polygon, Level level) {
        const float top = m_plan.heights[static_cast<std::size_t>(level)];
        for (const TriangleIndices& t : m_triangles) {
            m_sink(Vertex{polygon[t[0]].x, polygon[t[0]].y, top},
                   Vertex{polygon[t[1]].x, polygon[t[1]].y, top},
                   Vertex{polygon[t[2]].x, polygon[t[2]].y, top});
        }
    }

    // The counter-clockwise polygon cut as m_triangles says, on z = 0 and
    // facing down.
    void bottom(std::span<const MeshPoint> polygon) {
        const auto at = [&](std::uint32_t i) { return Vertex{polygon[i].x, polygon[i].y, 0}; };
        for (const TriangleIndices& t : m_triangles) {
            m_sink(at(t[0]), at(t[2]), at(t[1]));
        }
    }

    // The face from p to q (the piece on its left) down to the lower level.
    void wall(MeshPoint p, MeshPoint q, Level low, Level high) {
        if (m_fan && low == Level::Ground) {
            m_sink(Vertex{m_fan->x, m_fan->y, 0}, Vertex{q.x, q.y, 0}, Vertex{p.x, p.y, 0});
        }
        for (auto level = static_cast<std::size_t>(low); level < static_cast<std::size_t>(high);
             ++level) {
            const float bottom = m_plan.heights[level];
            const float top = m_plan.heights[level + 1];
            m_sink(Vertex{p.x, p.y, bottom}, Vertex{q.x, q.y, bottom}, Vertex{q.x, q.y, top});
            m_sink(Vertex{p.x, p.y, bottom}, Vertex{q.x, q.y, top}, Vertex{p.x, p.y, top});
        }
    }

    const SolidPlan& m_plan;
    Sink& m_sink;
    std::optional<MeshPoint> m_fan;
    std::vector<MeshPoint> m_polygon;
    std::vector<MeshPoint> m_outline;
    std::vector<TriangleIndices> m_triangles;
    std::vector<std::uint32_t> m_left;
};

template <typename Sink>
void writePieces(const SolidPlan& plan, Sink& sink, std::optional<MeshPoint> fan) {
    PieceWriter<Sink>(plan, sink, fan).writeAll();
}

// The solid's bottom, the named fast path: cut along the cells' outlines it
// adds two triangles a square to sixteen, which a convex outline does
// without. When the middle of the solid sees every edge of its outline turn
// counter-clockwise (one piece, no holes: a plain rectangle, a round maze),
// the bottom is a fan of triangles from there to each outline edge, meeting
// the outer walls' lower edges as the cut bottom would; nothing otherwise.
// Both cover what the tops do, as the solid tests check on both kinds of
// outline.
std::optional<MeshPoint> outlineCentre(const SolidPlan& plan) {
    float low = std::numeric_limits<float>::max();
    float high = 0;
    float lowY = low;
    float highY = 0;
    for (const MeshPoint& corner : plan.corners) {
        low = std::min(low, corner.x);
        high = std::max(high, corner.x);
        lowY = std::min(lowY, corner.y);
        highY = std::max(highY, corner.y);
    }
    const MeshPoint centre{(low + high) / 2, (lowY + highY) / 2};
    const auto ignore = [](const Vertex&, const Vertex&, const Vertex&) {};
    const bool fans = PieceWriter<decltype(ignore)>(plan, ignore, centre).fansFrom(centre);
    return fans ? std::optional(centre) : std::nullopt;
}

// The first pass: counts the triangles, and refuses the solid if one is
// flat or turned over, as when walls overlap or, in single precision, two
// corners of a wall fall on one point.
class TriangleCounter {
public:
    explicit TriangleCounter(const RenderOptions& options) : m_options(options) {}

    void operator()(const Vertex& a, const Vertex& b, const Vertex& c) {
        if (!sound(a, b, c)) {
            refuse();
        }
        ++m_count;
    }
    std::uint64_t count() const { return m_count; }

private:
    static bool sound(const Vertex& a, const Vertex& b, const Vertex& c) {
        const MeshPoint pa{a[0], a[1]};
        const MeshPoint pb{b[0], b[1]};
        const MeshPoint pc{c[0], c[1]};
        if (a[2] == b[2] && b[2] == c[2]) {
            // A bottom faces down, a top up.
            const double upward = turn(pa, pb, pc);
            return a[2] == 0 ? upward < 0 : upward > 0;
        }
        return pa.x != pb.x || pa.y != pb.y || pa.x != pc.x || pa.y != pc.y;
    }

    [[noreturn]] void refuse() const {
        const std::string sizes = "walls of " + millimetres(m_options.mm.wall) + " in cells of " +
                                  millimetres(m_options.mm.cell);
        if (4 * m_options.mm.wall > m_options.mm.cell) {
            throw RenderError(sizes + " overlap in the maze's solid; make the walls thinner");
        }
        throw RenderError(sizes + " are too fine for the single precision of an STL file at " +
                          "this maze's size; make the walls thicker or the maze smaller");
    }

    const RenderOptions& m_options;
    std::uint64_t m_count = 0;
};

// The format's little-endian floats: on a little-endian machine, the very
// bytes in memory.
void putFloats(char* at, const std::array<float, 12>& values) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(at, values.data(), sizeof values);
    } else {
        for (const float value : values) {
            const auto bits = std::bit_cast<std::uint32_t>(value);
            for (int i = 0; i < 4; ++i) {
                *at++ = static_cast<char>(bits >> (8 * i) & 0xFFu);
            }
        }
    }
}

// The second pass: each triangle as the format has it, its normal worked out
// from the very floats written.
class TriangleWriter {
public:
    explicit TriangleWriter(ByteSink& out) : m_out(out) {}

    void operator()(const Vertex& a, const Vertex& b, const Vertex& c) {
        const std::array<double, 3> u{static_cast<double>(b[0]) - a[0],
                                      static_cast<double>(b[1]) - a[1],
                                      static_cast<double>(b[2]) - a[2]};
        const std::array<double, 3> v{static_cast<double>(c[0]) - a[0],
                                      static_cast<double>(c[1]) - a[1],
                                      static_cast<double>(c[2]) - a[2]};
        const std::array<double, 3> normal{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                           u[0] * v[1] - u[1] * v[0]};
        const double scale =
            1 / std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
        char* at = m_out.room(kTriangleBytes);
        putFloats(at, {static_cast<float>(normal[0] * scale), static_cast<float>(normal[1] * scale),
                       static_cast<float>(normal[2] * scale), a[0], a[1], a[2], b[0], b[1], b[2],
                       c[0], c[1], c[2]});
        at[48] = 0;
        at[49] = 0;
        m_out.wrote(kTriangleBytes);
    }

private:
    ByteSink& m_out;
};

void putHeader(ByteSink& out, std::uint32_t triangles) {
    char* at = out.room(kHeaderBytes + 4);
    std::fill(at, at + kHeaderBytes, ' ');
    std::copy(kHeaderText.begin(), kHeaderText.end(), at);
    for (int i = 0; i < 4; ++i) {
        at[kHeaderBytes + static_cast<std::size_t>(i)] =
            static_cast<char>(triangles >> (8 * i) & 0xFFu);
    }
    out.wrote(kHeaderBytes + 4);
}

std::string tooManyTriangles(std::uint64_t triangles, bool atLeast) {
    return "the maze's solid would have " + std::string(atLeast ? "at least " : "") +
           std::to_string(triangles) +
           " triangles, more than the 4294967295 an STL file counts; make the maze smaller";
}

// Every cell has a floor of at least two triangles, top and bottom, and at
// least one and a half sides of its own (three at least, each shared by two
// cells at most), each a strip of at least four.
constexpr std::uint64_t kFewestTrianglesPerCell = 8;

template <typename View>
void writeSolid(const View& view, const EndMarks& marks, const RenderOptions& options,
                std::streambuf& out) {
    checkSizes(options);
    const std::uint64_t cells = view.layout().cellCount();
    // Refused before the plan, which would hold gigabytes by then.
    if (cells > kMostStlTriangles / kFewestTrianglesPerCell) {
        throw RenderError(tooManyTriangles(cells * kFewestTrianglesPerCell, true));
    }
    const SolidPlan plan = planOf(view, marks, options);
    const std::optional<MeshPoint> fan = outlineCentre(plan);
    TriangleCounter counter(options);
    writePieces(plan, counter, fan);
    if (counter.count() > kMostStlTriangles) {
        throw RenderError(tooManyTriangles(counter.count(), false));
    }
    ByteSink stl(out, failPictureWrite);
    putHeader(stl, static_cast<std::uint32_t>(counter.count()));
    TriangleWriter writer(stl);
    writePieces(plan, writer, fan);
    stl.flush();
}

}  // namespace

void renderShapeStl(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
    const EndMarks marks = placeEndMarks(maze.topology(), options.marks);
    withMazeView(maze, [&](const auto& view) { writeSolid(view, marks, options, out); });
}

void renderGridStl(const WallGrid& grid, const RenderOptions& options, std::streambuf& out) {
    const EndMarks marks = gridEndMarks(grid.width(), grid.height(), options.marks);
    withMazeView(grid, [&](const auto& view) { writeSolid(view, marks, options, out); });
}

SolidCost solidCost(const Topology& topology) {
    return visitLayout(topology, [](const auto& layout) {
        const std::uint64_t segments = segmentCount(layout);
        const std::uint64_t points = mostPoints(layout, segments);
        const std::uint64_t holes = layout.slotCount() - layout.cellCount();
        // A segment's strip and its walls take at most 8 triangles inside
        // the maze and 10 on its edge; the cells' floors and the junctions
        // 2 for each corner past their second. Euler's formula turns the
        // corners into segments: 12 a segment in all, less 4, and 4 more for
        // each enclosed stretch of holes. That counts a bottom under every
        // piece, more than the cells' outlines and the bands take.
        const std::uint64_t triangles = 12 * segments + 4 * holes - 4;
        // Numbering the points: their keys, the table, the segments. Then the
        // plan: the keys, the segments, each point's segments in order and a
        // corner for each, and where each point lies.
        const std::uint64_t numbering = 16 * points + 4 * std::bit_ceil(2 * points) + 9 * segments;
        const std::uint64_t planning = 28 * points + 33 * segments;
        return SolidCost{triangles, std::max(numbering, planning) + kWriterBytes};
    });
}

}  // namespace nitka
