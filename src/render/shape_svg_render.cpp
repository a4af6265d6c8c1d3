#include "render/shape_svg_render.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "render/byte_sink.h"
#include "render/mark_places.h"
#include "render/shape_cairo.h"
#include "render/shape_layout.h"
#include "render/shape_walls.h"

namespace nitka {
namespace {

// The document gathered into blocks before it goes to the sink, numbers
// written in place: a big maze has millions of elements.
class SvgText {
public:
    explicit SvgText(std::streambuf& out) : m_sink(out) { m_text.reserve(kBlock + 256); }

    SvgText& operator<<(std::string_view text) {
        m_text += text;
        return *this;
    }
    // A hundredth of a pixel is finer than any viewer draws, and keeps the
    // document of a big maze small: "5", "5.5", "18.86".
    SvgText& operator<<(double value) {
        char text[40];
        char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr;
        while (end[-1] == '0') {
            --end;
        }
        if (end[-1] == '.') {
            --end;
        }
        const std::string_view written(text, static_cast<std::size_t>(end - text));
        m_text += written == "-0" ? "0" : written;
        return *this;
    }
    // Ends an element: the block goes out once it is full.
    void endElement() {
        if (m_text.size() >= kBlock) {
            m_sink.put(m_text);
            m_text.clear();
        }
    }
    void finish() {
        m_sink.put(m_text);
        m_text.clear();
        m_sink.flush();
    }

private:
    static constexpr std::size_t kBlock = 64 * 1024;
    ByteSink m_sink;
    std::string m_text;
};

void putWall(SvgText& svg, const ShapeLayout& layout, const Side& wall) {
    const Point from = layout.toPixels(wall.from);
    const Point to = layout.toPixels(wall.to);
    if (!wall.arc) {
        svg << "<line x1=\"" << from.x << "\" y1=\"" << from.y << "\" x2=\"" << to.x << "\" y2=\""
            << to.y << "\"/>\n";
        svg.endElement();
        return;
    }
    const Point centre = layout.toPixels(wall.centre);
    const double radius = std::hypot(from.x - centre.x, from.y - centre.y);
    // The shorter way round, which with y downward turns clockwise when the
    // cross product is positive; a half circle, which has no shorter way,
    // goes clockwise.
    const double cross =
        (from.x - centre.x) * (to.y - centre.y) - (from.y - centre.y) * (to.x - centre.x);
    svg << "<path d=\"M" << from.x << " " << from.y << " A" << radius << " " << radius << " 0 0 "
        << (cross >= 0 ? "1 " : "0 ") << to.x << " " << to.y << "\"/>\n";
    svg.endElement();
}

}  // namespace

void renderShapeSvg(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
    const Topology& topology = maze.topology();
    const ShapeLayout layout(topology, shapeCellSize(options, topology));
    SvgText svg(out);

    const auto width = static_cast<double>(layout.pictureWidth());
    const auto height = static_cast<double>(layout.pictureHeight());
    // Round ends close the corners where walls meet at any angle.
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << width
        << "\" height=\"" << height << "\" viewBox=\"0 0 " << width << " " << height
        << "\">\n<rect width=\"" << width << "\" height=\"" << height << "\" fill=\"white\"/>\n"
        << "<g stroke=\"black\" stroke-width=\"1\" stroke-linecap=\"round\" fill=\"none\">\n";
    const EndMarks marks = placeEndMarks(topology, options.marks);
    forEachWall(
        maze, [&](const Side& wall) { putWall(svg, layout, wall); }, marks);
    svg << "</g>\n";
    for (const LetterPlace& place : placeLetters(topology, marks)) {
        const Point centre = layout.toPixels(place.at);
        svg << "<text x=\"" << centre.x << "\" y=\"" << centre.y
            << "\" font-family=\"sans-serif\" font-weight=\"bold\" font-size=\""
            << layout.cell() * place.size
            << "\" text-anchor=\"middle\" dominant-baseline=\"central\">"
            << std::string_view(&place.letter, 1) << "</text>\n";
    }

    if (options.route) {
        const double unit = layout.cell();
        // The PNG's dots.
        const ShapeInk ink = pixelInk(layout);
        const double radius = unit * routeDotRadius(topology, ink.dotRadius, 1 / unit, ink.dotGap);
        svg << "<g fill=\"black\">\n";
        for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
            if (topology.isCell(cell) && maze.scratch(cell) != 0 && !marks.lettered(cell)) {
                const Point centre = layout.toPixels(topology.centre(cell));
                svg << "<circle cx=\"" << centre.x << "\" cy=\"" << centre.y << "\" r=\"" << radius
                    << "\"/>\n";
                svg.endElement();
            }
        }
        svg << "</g>\n";
    }
    svg << "</svg>\n";
    svg.finish();
}

}  // namespace nitka
