#include "render/plotter_svg.h"

#include <array>
#include <cmath>
#include <numbers>

#include "storage/byte_sink.h"

namespace nitka {
namespace {

// A thousandth of a millimetre is finer than any plotter steps.
Decimal micrometres(double millimetres) {
    return {millimetres, 3};
}

// Where a point of the drawing lands on the sheet: a unit is mm.cell, and
// half a pen's width of margin keeps the outer strokes whole.
class Sheet {
public:
    explicit Sheet(const RenderOptions& options)
        : m_unit(options.mm.cell), m_margin(options.mm.pen / 2) {}

    Point toMm(Point point) const {
        return {m_margin + point.x * m_unit, m_margin + point.y * m_unit};
    }
    double side(double units) const { return units * m_unit + 2 * m_margin; }
    double unit() const { return m_unit; }

private:
    double m_unit;
    double m_margin;
};

// One stroke as a path's data: a line continuing the one before in the same
// direction extends it, so a straight run of walls is a single segment.
class PathData {
public:
    PathData(ByteSink& svg, const Sheet& sheet) : m_svg(svg), m_sheet(sheet) {}

    void moveTo(Point point) {
        m_svg << "<path d=\"M" << micrometres(m_sheet.toMm(point).x) << " "
              << micrometres(m_sheet.toMm(point).y);
        m_at = point;
        m_pending = false;
    }

    void lineTo(Point point) {
        if (m_pending && continues(point)) {
            m_lineEnd = point;
            return;
        }
        flushLine();
        m_lineStart = m_at;
        m_lineEnd = point;
        m_pending = true;
    }

    // The shorter arc around centre, or its reverse: the same circle walked
    // the other way.
    void arcTo(const Side& wall, bool reversed) {
        flushLine();
        const Point to = reversed ? wall.from : wall.to;
        const double radius =
            std::hypot(wall.from.x - wall.centre.x, wall.from.y - wall.centre.y) * m_sheet.unit();
        const double cross = (wall.from.x - wall.centre.x) * (wall.to.y - wall.centre.y) -
                             (wall.from.y - wall.centre.y) * (wall.to.x - wall.centre.x);
        const bool clockwise = (cross >= 0) != reversed;
        const Point end = m_sheet.toMm(to);
        m_svg << " A" << micrometres(radius) << " " << micrometres(radius) << " 0 0 "
              << (clockwise ? "1 " : "0 ") << micrometres(end.x) << " " << micrometres(end.y);
        m_at = to;
    }

    void finish() {
        flushLine();
        m_svg << "\"/>\n";
    }

private:
    bool continues(Point point) const {
        const double ax = m_lineEnd.x - m_lineStart.x;
        const double ay = m_lineEnd.y - m_lineStart.y;
        const double bx = point.x - m_lineEnd.x;
        const double by = point.y - m_lineEnd.y;
        const double cross = ax * by - ay * bx;
        const double dot = ax * bx + ay * by;
        return dot > 0 && std::abs(cross) <= 1e-9 * std::hypot(ax, ay) * std::hypot(bx, by);
    }

    void flushLine() {
        if (!m_pending) {
            return;
        }
        const Point end = m_sheet.toMm(m_lineEnd);
        m_svg << " L" << micrometres(end.x) << " " << micrometres(end.y);
        m_at = m_lineEnd;
        m_pending = false;
    }

    ByteSink& m_svg;
    const Sheet& m_sheet;
    Point m_at;
    Point m_lineStart;
    Point m_lineEnd;
    bool m_pending = false;
};

void putPolyline(ByteSink& svg, const Sheet& sheet, std::span<const Point> points) {
    PathData path(svg, sheet);
    path.moveTo(points.front());
    // A route of one cell is a dot.
    for (const Point& point : points.size() == 1 ? points : points.subspan(1)) {
        path.lineTo(point);
    }
    path.finish();
}

// A layer a plotter's program can pick by its name or by its colour.
void openLayer(ByteSink& svg, int number, const char* name, const char* colour,
               const RenderOptions& options) {
    svg << "<g id=\"" << name << "\" inkscape:groupmode=\"layer\" inkscape:label=\""
        << std::int64_t{number} << " " << name << "\" fill=\"none\" stroke=\"" << colour
        << "\" stroke-width=\"" << micrometres(options.mm.pen)
        << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
}

std::size_t putWalls(ByteSink& svg, const Sheet& sheet, std::span<const Side> walls,
                     StrokeTally& tally) {
    std::vector<PenEdge> edges;
    edges.reserve(walls.size());
    for (const Side& wall : walls) {
        edges.push_back({wall.from, wall.to});
    }
    std::vector<Stroke> strokes = joinStrokes(edges);
    orderStrokes(strokes, edges, {0, 0});
    tally = tallyStrokes(strokes, edges, {0, 0});
    tally.drawn = 0;
    for (const Side& wall : walls) {
        tally.drawn += wallLength(wall);
    }
    for (const Stroke& stroke : strokes) {
        PathData path(svg, sheet);
        path.moveTo(strokeStart(stroke, edges));
        for (const StrokeStep& step : stroke) {
            const Side& wall = walls[step.edge];
            if (wall.arc) {
                path.arcTo(wall, step.reversed);
            } else {
                path.lineTo(step.reversed ? wall.from : wall.to);
            }
        }
        path.finish();
    }
    return strokes.size();
}

// The letters as a plotter draws them, in a box one unit high centred on the
// origin, y downward: S one stroke, F two.
constexpr std::array<Point, 10> kLetterS = {{{0.25, -0.4},
                                             {0.1, -0.5},
                                             {-0.1, -0.5},
                                             {-0.25, -0.4},
                                             {-0.25, -0.15},
                                             {0.25, 0.15},
                                             {0.25, 0.4},
                                             {0.1, 0.5},
                                             {-0.1, 0.5},
                                             {-0.25, 0.4}}};
constexpr std::array<Point, 3> kLetterFOutline = {{{0.25, -0.5}, {-0.25, -0.5}, {-0.25, 0.5}}};
constexpr std::array<Point, 2> kLetterFBar = {{{-0.25, 0}, {0.15, 0}}};

std::size_t putLetter(ByteSink& svg, const Sheet& sheet, const LetterPlace& place) {
    const auto stroke = [&](std::span<const Point> glyph) {
        std::vector<Point> points;
        for (const Point& point : glyph) {
            points.push_back(
                {place.at.x + point.x * place.size, place.at.y + point.y * place.size});
        }
        putPolyline(svg, sheet, points);
    };
    if (place.letter == 'S') {
        stroke(kLetterS);
        return 1;
    }
    stroke(kLetterFOutline);
    stroke(kLetterFBar);
    return 2;
}

}  // namespace

double wallLength(const Side& wall) {
    const double chord = std::hypot(wall.to.x - wall.from.x, wall.to.y - wall.from.y);
    if (!wall.arc) {
        return chord;
    }
    const double radius = std::hypot(wall.from.x - wall.centre.x, wall.from.y - wall.centre.y);
    if (radius <= 0) {
        return chord;
    }
    return 2 * radius * std::asin(std::min(1.0, chord / (2 * radius)));
}

PlotterReport writePlotterSvg(const PlotterSheet& sheet, const RenderOptions& options,
                              std::streambuf& out) {
    const Sheet page(options);
    ByteSink svg(out, failPictureWrite);
    const Decimal width = micrometres(page.side(sheet.extent.x));
    const Decimal height = micrometres(page.side(sheet.extent.y));
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\" "
           "width=\""
        << width << "mm\" height=\"" << height << "mm\" viewBox=\"0 0 " << width << " " << height
        << "\">\n";
    PlotterReport report;
    openLayer(svg, 1, "walls", "black", options);
    putWalls(svg, page, sheet.walls, report.walls);
    svg << "</g>\n";
    if (!sheet.letters.empty()) {
        openLayer(svg, 2, "marks", "red", options);
        for (const LetterPlace& place : sheet.letters) {
            report.markStrokes += putLetter(svg, page, place);
        }
        svg << "</g>\n";
    }
    if (!sheet.route.empty()) {
        openLayer(svg, 3, "route", "blue", options);
        putPolyline(svg, page, sheet.route);
        report.routeStrokes = 1;
        svg << "</g>\n";
    }
    svg << "</svg>\n";
    svg.flush();
    return report;
}

}  // namespace nitka
