#include "storage/shape_file.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "grid/size_limits.h"
#include "shape/layout.h"
#include "shape/make_topology.h"
#include "shape/moved_ends.h"
#include "shape/polar_topology.h"
#include "storage/byte_sink.h"
#include "storage/file_calls.h"
#include "storage/file_error.h"

namespace nitka {
namespace {

constexpr std::string_view kMagic = "nitka-maze-shape";
constexpr std::string_view kVersion = "1";
constexpr std::string_view kCellsLine = "cells";
constexpr std::string_view kStartLine = "start";
constexpr std::string_view kTargetLine = "target";
constexpr char kHole = '.';
constexpr std::string_view kDigits = "0123456789abcdef";

// The sides a cell of each shape holds (see its topology).
int heldSlots(ShapeKind kind) {
    return kind == ShapeKind::Hex ? 3 : 2;
}

// The places of row y: a ring's cells in a polar maze, else the width.
class RowLengths {
public:
    RowLengths(ShapeKind kind, int width, int height) : m_width(width), m_rows(height) {
        if (kind == ShapeKind::Polar) {
            m_polar.emplace(height);
            m_rows = height + 1;
        }
    }
    std::int64_t rows() const { return m_rows; }
    std::int64_t length(std::int64_t row) const {
        return m_polar ? m_polar->ringCells(static_cast<int>(row)) : m_width;
    }
    std::uint64_t places() const {
        return m_polar ? m_polar->slotCount()
                       : static_cast<std::uint64_t>(m_width) * static_cast<std::uint64_t>(m_rows);
    }
    const std::optional<PolarTopology>& polar() const { return m_polar; }

private:
    std::int64_t m_width;
    std::int64_t m_rows;
    std::optional<PolarTopology> m_polar;
};

[[noreturn]] void malformed(std::int64_t line, const std::string& why) {
    throw FileError(file_error_code::kInvalidNumber, "line " + std::to_string(line) + ": " + why);
}

// A line as a message quotes it: its start, when it is long.
std::string quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    return '"' + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "...\"" : "\"");
}

// Lines from the stream, counted from 1, without their LF or CR LF.
class LineReader {
public:
    explicit LineReader(std::streambuf& in, std::int64_t linesRead) : m_in(in), m_line(linesRead) {}

    std::int64_t line() const { return m_line; }
    bool atEnd() const {
        return std::streambuf::traits_type::eq_int_type(m_in.sgetc(),
                                                        std::streambuf::traits_type::eof());
    }

    // The next line, at most limit characters long (more is refused), or
    // nothing at the end of the stream. brokenOff tells whether the line
    // lacks its line break.
    bool next(std::string& text, std::size_t limit, bool& brokenOff) {
        using Traits = std::streambuf::traits_type;
        text.clear();
        if (atEnd()) {
            return false;
        }
        ++m_line;
        brokenOff = true;
        for (auto c = m_in.sbumpc(); !Traits::eq_int_type(c, Traits::eof()); c = m_in.sbumpc()) {
            if (c == '\n') {
                brokenOff = false;
                break;
            }
            if (text.size() == limit + 1) {
                malformed(m_line, quoted(text) + " is longer than its " + std::to_string(limit) +
                                      " places");
            }
            text.push_back(Traits::to_char_type(c));
        }
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        if (text.size() > limit) {
            malformed(m_line,
                      quoted(text) + " is longer than its " + std::to_string(limit) + " places");
        }
        return true;
    }

private:
    std::streambuf& m_in;
    std::int64_t m_line;
};

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> found;
    while (!line.empty()) {
        const std::size_t end = line.find(' ');
        found.push_back(line.substr(0, end));
        line = end == std::string_view::npos ? std::string_view{} : line.substr(end + 1);
    }
    return found;
}

int sideOf(std::string_view word, std::string_view what) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || word[0] == '-' || word[0] == '+' || error != std::errc{} ||
        end != word.data() + word.size() || value < 1 || value > kMaxGridSide) {
        malformed(1, quoted(word) + " is not a " + std::string(what) + " from 1 to " +
                         std::to_string(kMaxGridSide));
    }
    return value;
}

ShapeFileHeader parseFirstLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (!isShapeFileFirstLine(line)) {
        malformed(1, quoted(line) + " is not the first line of a maze shape file");
    }
    const std::vector<std::string_view> parts = words(line);
    if (parts.size() != 5) {
        malformed(1, quoted(line) + " is not \"" + std::string(kMagic) +
                         " <version> <shape> <width> <height>\"");
    }
    if (parts[1] != kVersion) {
        malformed(1, "version " + quoted(parts[1]) + " is not one this program reads (" +
                         std::string(kVersion) + ")");
    }
    ShapeFileHeader header;
    const std::optional<ShapeKind> kind = parseShapeName(parts[2]);
    if (!kind) {
        malformed(1, quoted(parts[2]) + " is not a shape (rect, hex, triangle, polar)");
    }
    header.kind = *kind;
    header.width = sideOf(parts[3], "width");
    header.height = sideOf(parts[4], "height");
    return header;
}

// Two places a byte while the mask is not known yet; kHoleNibble for a hole,
// which no held-side digit of any shape reaches.
constexpr std::uint8_t kHoleNibble = 0xF;

class NibbleStore {
public:
    void push(std::uint8_t value) {
        if (m_count % 2 == 0) {
            m_bytes.push_back(value);
        } else {
            m_bytes.back() = static_cast<std::uint8_t>(m_bytes.back() | value << 4);
        }
        ++m_count;
    }
    std::uint8_t at(std::uint64_t index) const {
        return static_cast<std::uint8_t>(m_bytes[index / 2] >> (index % 2 * 4) & 0xFu);
    }

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_count = 0;
};

// The slots of the sides cell holds towards a neighbour; no others may be open.
template <typename L>
std::uint8_t heldMask(const L& layout, CellId cell) {
    LinkArray links;
    const int count = layout.links(cell, links);
    std::uint8_t mask = 0;
    for (int i = 0; i < count; ++i) {
        const HeldSide side = links[static_cast<std::size_t>(i)].side;
        if (side.holder == cell) {
            mask = static_cast<std::uint8_t>(mask | 1u << side.slot);
        }
    }
    return mask;
}

std::string endLineText(std::string_view name, CellPosition at) {
    return std::string(name) + ' ' + std::to_string(at.x) + ' ' + std::to_string(at.y) + '\n';
}

// A start or target header line read: the cell's position and the line it
// stood on, to blame should it name no cell.
struct ParsedEnd {
    CellPosition at;
    std::int64_t line = 0;
};

// The position after "start " or "target ": two whole numbers, one space apart.
ParsedEnd parseEndLine(std::string_view values, std::int64_t line, std::string_view text) {
    const auto refuse = [&] {
        malformed(line, quoted(text) + " is not \"" + std::string(text.substr(0, text.find(' '))) +
                            " X Y\", a cell's position");
    };
    CellPosition at;
    const char* const end = values.data() + values.size();
    const auto [afterX, xError] = std::from_chars(values.data(), end, at.x);
    if (xError != std::errc() || afterX == end || *afterX != ' ') {
        refuse();
    }
    const auto [afterY, yError] = std::from_chars(afterX + 1, end, at.y);
    if (yError != std::errc() || afterY != end) {
        refuse();
    }
    return {at, line};
}

CellId endCell(const Topology& topology, const std::optional<ParsedEnd>& given, CellId fallback) {
    if (!given) {
        return fallback;
    }
    const CellId cell = topology.cellAt(given->at);
    if (cell == kNoCell) {
        malformed(given->line, std::to_string(given->at.x) + "," + std::to_string(given->at.y) +
                                   " is no cell of the maze");
    }
    return cell;
}

// The maze's size as a message about a file cut short gives it.
std::string sizeText(const ShapeFileHeader& header, const RowLengths& rows) {
    return rows.polar()
               ? std::to_string(rows.places()) + " places of " + std::to_string(header.height) +
                     " rings"
               : std::to_string(header.width) + " x " + std::to_string(header.height) + " cells";
}

// How much of the maze a file held before it ended.
struct SizeRead {
    std::string size;
    std::uint64_t places = 0;

    [[noreturn]] void cutShort() const {
        throw FileError(file_error_code::kReadBeyondEnd,
                        "ends after " + std::to_string(places) + " of " + size);
    }
};

// The start and target the header lines move, where they do.
struct Ends {
    std::optional<ParsedEnd> start;
    std::optional<ParsedEnd> target;
};

// The header lines after the first, up to and with "cells". Lines of other
// names are skipped, so that later ones stay readable.
Ends readHeaderLines(LineReader& lines, const SizeRead& size) {
    Ends ends;
    std::string text;
    bool brokenOff = false;
    for (;;) {
        if (!lines.next(text, 1000, brokenOff)) {
            size.cutShort();
        }
        if (text == kCellsLine) {
            return ends;
        }
        const std::string_view line(text);
        if (line.starts_with(std::string(kStartLine) + ' ')) {
            ends.start = parseEndLine(line.substr(kStartLine.size() + 1), lines.line(), line);
            continue;
        }
        if (line.starts_with(std::string(kTargetLine) + ' ')) {
            ends.target = parseEndLine(line.substr(kTargetLine.size() + 1), lines.line(), line);
            continue;
        }
        const std::size_t name = text.find_first_not_of("abcdefghijklmnopqrstuvwxyz-");
        if (name == 0 || (name != std::string::npos && text[name] != ' ')) {
            malformed(lines.line(), quoted(text) +
                                        " is not a header line (a lowercase name, "
                                        "then its values) nor \"cells\"");
        }
    }
}

// The places the rows hold, as they are read.
struct Places {
    NibbleStore digits;
    bool holes = false;
    std::int64_t firstRowLine = 0;
};

// Takes the places of one row's text into places.
void readRow(const std::string& text, const LineReader& lines, int slots, bool polar,
             Places& places, SizeRead& size) {
    for (std::size_t x = 0; x < text.size(); ++x) {
        const char c = text[x];
        const std::size_t digit = kDigits.find(c);
        if (c == kHole && !polar) {
            places.digits.push(kHoleNibble);
            places.holes = true;
        } else if (digit < (std::size_t{1} << slots)) {
            places.digits.push(static_cast<std::uint8_t>(digit));
        } else {
            malformed(lines.line(), quoted(text) + " has " + quoted(std::string_view(&text[x], 1)) +
                                        " at place " + std::to_string(x + 1) + ", which is not " +
                                        (polar ? "" : "\".\" nor ") + "a digit from 0 to " +
                                        std::string(1, kDigits[(std::size_t{1} << slots) - 1]));
        }
        ++size.places;
    }
}

// The rows after "cells", a line each, and nothing after them.
Places readRows(LineReader& lines, ShapeKind kind, const RowLengths& rows, SizeRead size) {
    const int slots = heldSlots(kind);
    Places places;
    places.firstRowLine = lines.line() + 1;
    std::string text;
    bool brokenOff = false;
    for (std::int64_t row = 0; row < rows.rows(); ++row) {
        const auto length = static_cast<std::size_t>(rows.length(row));
        if (!lines.next(text, length, brokenOff)) {
            size.cutShort();
        }
        readRow(text, lines, slots, rows.polar().has_value(), places, size);
        if (text.size() < length) {
            if (brokenOff) {
                size.cutShort();
            }
            malformed(lines.line(),
                      quoted(text) + " is not a row of " + std::to_string(length) + " places");
        }
    }
    if (!lines.atEnd()) {
        lines.next(text, 1000, brokenOff);
        malformed(lines.line(), quoted(text) + " follows the last of the " +
                                    std::to_string(rows.rows()) + " rows");
    }
    return places;
}

// The places that are cells, where any is a hole.
std::optional<CellMask> holeMask(const ShapeFileHeader& header, const RowLengths& rows,
                                 const Places& places) {
    if (!places.holes) {
        return std::nullopt;
    }
    CellMask mask(header.width, header.height);
    for (std::uint64_t place = 0; place < rows.places(); ++place) {
        if (places.digits.at(place) == kHoleNibble) {
            mask.set(place, false);
        }
    }
    if (mask.cellCount() == 0) {
        malformed(places.firstRowLine, "no cells: every place is a hole");
    }
    return mask;
}

std::shared_ptr<const Topology> makeLayout(const ShapeFileHeader& header, const RowLengths& rows,
                                           const Places& places, const Ends& ends) {
    std::shared_ptr<const Topology> layout =
        makeTopology(header.kind, header.width, header.height, holeMask(header, rows, places));
    if (!ends.start && !ends.target) {
        return layout;
    }
    const CellId start = endCell(*layout, ends.start, layout->start());
    const CellId target = endCell(*layout, ends.target, layout->target());
    return withEnds(std::move(layout), start, target);
}

// The maze of the layout with the sides the places open, each of which must
// lead to a cell.
ShapeMaze buildMaze(const ShapeFileHeader& header, const RowLengths& rows, const Places& places,
                    const Ends& ends) {
    ShapeMaze maze(makeLayout(header, rows, places, ends));
    visitLayout(maze.topology(), [&](const auto& layout) {
        for (std::uint64_t place = 0; place < rows.places(); ++place) {
            const std::uint8_t bits = places.digits.at(place);
            if (bits == kHoleNibble || bits == 0) {
                continue;
            }
            if ((bits & ~heldMask(layout, place)) != 0) {
                const CellPosition at = layout.position(place);
                malformed(places.firstRowLine + at.y,
                          "place " + std::to_string(at.x + 1) + " opens a side to no cell");
            }
            maze.setHeldBits(place, bits);
        }
    });
    return maze;
}

}  // namespace

bool isShapeFileFirstLine(std::string_view line) {
    return line.starts_with(kMagic) &&
           (line.size() == kMagic.size() || line[kMagic.size()] == ' ' ||
            line[kMagic.size()] == '\t' || line[kMagic.size()] == '\r');
}

void writeShapeMaze(std::streambuf& out, const ShapeMaze& maze) {
    const Topology& topology = maze.topology();
    const RowLengths rows(topology.kind(), topology.width(), topology.height());
    ByteSink writer(out);
    writer.put(kMagic);
    writer.put(' ');
    writer.put(kVersion);
    writer.put(' ');
    writer.put(shapeName(topology.kind()));
    writer.put(' ' + std::to_string(topology.width()) + ' ' + std::to_string(topology.height()) +
               '\n');
    if (hasMovedEnds(topology)) {
        writer.put(endLineText(kStartLine, topology.position(topology.start())));
        writer.put(endLineText(kTargetLine, topology.position(topology.target())));
    }
    writer.put(kCellsLine);
    writer.put('\n');
    CellId place = 0;
    for (std::int64_t row = 0; row < rows.rows(); ++row) {
        const CellId end = place + static_cast<CellId>(rows.length(row));
        for (; place < end; ++place) {
            writer.put(topology.isCell(place) ? kDigits[maze.heldBits(place)] : kHole);
        }
        writer.put('\n');
    }
    writer.flush();
}

ShapeMaze readShapeMaze(std::streambuf& in) {
    LineReader lines(in, 0);
    std::string first;
    bool brokenOff = false;
    // A first line is short; a longer one is no maze shape file's.
    if (!lines.next(first, 200, brokenOff)) {
        malformed(1, "the file is empty, not a maze shape file");
    }
    return readShapeMaze(first, in);
}

ShapeFileHeader parseShapeFileHeader(std::string_view firstLine) {
    const ShapeFileHeader header = parseFirstLine(firstLine);
    const RowLengths rows(header.kind, header.width, header.height);
    if (rows.places() > kMaxGridCells) {
        malformed(1, std::to_string(rows.places()) + " places are more than the " +
                         std::to_string(kMaxGridCells) + " a maze may have");
    }
    if (rows.polar() && rows.polar()->width() != header.width) {
        malformed(1, "a polar maze of " + std::to_string(header.height) + " rings has " +
                         std::to_string(rows.polar()->width()) + " cells in its outer ring, not " +
                         std::to_string(header.width));
    }
    return header;
}

std::uint64_t shapeBodyLeastBytes(const ShapeFileHeader& header) {
    const RowLengths rows(header.kind, header.width, header.height);
    return kCellsLine.size() + 1 + rows.places() + static_cast<std::uint64_t>(rows.rows()) - 1;
}

ShapeMaze readShapeMaze(std::string_view firstLine, std::streambuf& rest) {
    return readShapeMaze(parseShapeFileHeader(firstLine), rest);
}

ShapeMaze readShapeMaze(const ShapeFileHeader& header, std::streambuf& rest) {
    const RowLengths rows(header.kind, header.width, header.height);
    const SizeRead size{sizeText(header, rows)};
    LineReader lines(rest, 1);
    const Ends ends = readHeaderLines(lines, size);
    const Places places = readRows(lines, header.kind, rows, size);
    return buildMaze(header, rows, places, ends);
}

}  // namespace nitka
