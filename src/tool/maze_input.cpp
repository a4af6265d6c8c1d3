#include "tool/maze_input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

#include "grid/size_limits.h"
#include "storage/grid_reader.h"
#include "storage/maze_reader.h"
#include "storage/shape_file.h"
#include "tool/memory_limit.h"
#include "tool/tool_error.h"

namespace nitka {

namespace {

// The first line of a stream, without its line break, at most a screenful.
std::string firstLine(std::streambuf& in) {
    constexpr std::size_t kLongest = 4096;
    std::string line;
    for (auto c = in.sbumpc(); c != std::streambuf::traits_type::eof() && c != '\n';
         c = in.sbumpc()) {
        if (line.size() < kLongest) {
            line += static_cast<char>(c);
        }
    }
    if (line.ends_with('\r')) {
        line.pop_back();
    }
    return line;
}

// The most a header line may take, blanks before it included; the window
// writes a dozen bytes.
constexpr std::uint64_t kHeaderBytes = 64 * 1024;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string shortened(const std::string& line) {
    constexpr std::size_t kShown = 40;
    std::string text;
    for (const char c : line.substr(0, kShown)) {
        text += c >= ' ' && c <= '~' ? c : '?';
    }
    return line.size() > kShown ? text + "..." : text;
}

std::string opensNoMaze(const std::string& line) {
    return "line 1: \"" + shortened(line) + "\" opens no maze file";
}

}  // namespace

std::string mazeFileOrDefault(const std::string& given) {
    if (!given.empty()) {
        return given;
    }
    return ::isatty(STDIN_FILENO) == 1 ? "labird.txt" : "-";
}

double expectedCells(const std::string& name) {
    struct stat status {};
    const int result = name == "-" ? ::fstat(STDIN_FILENO, &status) : ::stat(name.c_str(), &status);
    return result == 0 && S_ISREG(status.st_mode) ? static_cast<double>(status.st_size) / 6 : 0;
}

MazeInput::MazeInput(const std::string& name) : m_shown(inputName(name)) {
    blamingFile(m_shown, [&] {
        m_input = std::make_unique<InputStream>(name);
        readHeader();
    });
}

MazeInput::~MazeInput() = default;

bool MazeInput::isStream() const {
    return !m_input->size();
}

void MazeInput::readHeader() {
    std::streambuf& in = m_input->stream();
    // An endless stream (/dev/zero: blanks, to the window's reader) must not
    // keep the tool looking for a header that never comes.
    m_input->limitTo(kHeaderBytes);
    const auto first = in.sgetc();
    if (first == std::streambuf::traits_type::eof()) {
        throw ToolError(m_shown, "is empty");
    }
    if (first == static_cast<unsigned char>(kByteOrderMark.front())) {
        // Refused, not skipped: the window reads no such file, and a file this
        // tool reads should load there as it is.
        const std::string line = firstLine(in);
        if (line.starts_with(kByteOrderMark)) {
            throw ToolError(m_shown, "starts with a byte-order mark; save it without one");
        }
        throw ToolError(m_shown, opensNoMaze(line));
    }
    // A window file starts with a number, perhaps hexadecimal after an x;
    // a word opens the shape format or nothing this tool reads.
    if (std::isalpha(first) && first != 'x' && first != 'X') {
        readShapeHeader();
    } else {
        m_reader = std::make_unique<MazeReader>(in);
        const MazeSize size = readMazeHeader(*m_reader);
        refuseLongHeader();
        if (m_reader->missedNumber()) {
            throw ToolError(m_shown, "no maze: it ends before its header's width and height");
        }
        if (size.width < 1 || size.height < 1) {
            throw ToolError(m_shown, "no maze: its width or height is below 1");
        }
        m_header = {false, ShapeKind::Rect, size.width, size.height};
        // Past the caps no file or stream can be taken, whatever its bytes.
        if (const auto why = refusal(size.width, size.height, 0, UINT64_MAX)) {
            throw ToolError(m_shown, *why);
        }
    }
    m_input->limitTo(std::nullopt);
    refuseSizeBeyondBytes();
}

void MazeInput::readShapeHeader() {
    const std::string line = firstLine(m_input->stream());
    refuseLongHeader();
    if (!isShapeFileFirstLine(line)) {
        throw ToolError(m_shown, opensNoMaze(line));
    }
    m_shapeHeader = parseShapeFileHeader(line);
    m_header = {true, m_shapeHeader.kind, m_shapeHeader.width, m_shapeHeader.height};
}

void MazeInput::refuseLongHeader() const {
    if (m_input->reachedLimit()) {
        throw ToolError(m_shown, "no maze: its first " + std::to_string(kHeaderBytes) +
                                     " bytes hold no header line");
    }
}

void MazeInput::refuseSizeBeyondBytes() const {
    const std::optional<std::uint64_t> size = m_input->size();
    if (!size) {
        return;
    }
    const std::uint64_t body = *size - std::min(*size, m_input->consumed());
    const std::string sides =
        std::to_string(m_header.width) + " x " + std::to_string(m_header.height);
    const std::string bytes = "its " + std::to_string(*size) + " bytes";
    if (m_header.shapeFormat) {
        if (body < shapeBodyLeastBytes(m_shapeHeader)) {
            throw ToolError(m_shown, "its header says a " + sides + " " +
                                         std::string(shapeName(m_header.shape)) +
                                         " maze, more than " + bytes + " can hold");
        }
        return;
    }
    const std::uint64_t most = mostCellsIn(body);
    if (static_cast<std::uint64_t>(m_header.width) * static_cast<std::uint64_t>(m_header.height) >
        most) {
        throw ToolError(m_shown, "its header says " + sides + " cells, but " + bytes +
                                     " hold at most " + std::to_string(most));
    }
}

AnyMaze MazeInput::read() {
    return readBody(UINT64_MAX, "");
}

AnyMaze MazeInput::read(const MemoryNeed& need) {
    const std::int64_t width = m_header.width;
    const std::int64_t height = m_header.height;
    if (m_header.shapeFormat) {
        return read();
    }
    const std::uint64_t bytes = need(width, height);
    const std::uint64_t room = processMemoryLimit();
    const std::optional<std::string> why = refusal(width, height, bytes, room);
    if (!why) {
        return read();
    }
    if (!isStream()) {
        // The header's size is within the caps (readHeader): memory is short.
        throw MemoryShortage(m_shown, *why);
    }
    // A stream may end long before its header's size, so it is read as far
    // as fits: its need a cell, and the byte a cell of the pieces it comes in.
    const std::uint64_t perCell = bytes / cellsOf(width, height) + 1;
    return readBody(room / perCell, *why);
}

AnyMaze MazeInput::readBody(std::uint64_t mostHeld, const std::string& tooLarge) {
    return blamingFile(m_shown, [&]() -> AnyMaze {
        AnyMaze maze = m_header.shapeFormat
                           ? AnyMaze(readShapeMaze(m_shapeHeader, m_input->stream()))
                           : AnyMaze(readGrid(mostHeld, tooLarge));
        m_input->close();
        return maze;
    });
}

WallGrid MazeInput::readGrid(std::uint64_t mostHeld, const std::string& tooLarge) {
    const auto width = static_cast<int>(m_header.width);
    const auto height = static_cast<int>(m_header.height);
    const auto endsAfter = [&](std::uint64_t whole) {
        return ToolError(m_shown, "ends after " + std::to_string(whole) + " of " +
                                      std::to_string(width) + " x " + std::to_string(height) +
                                      " cells");
    };
    if (isStream()) {
        StreamedCells cells(*m_reader, width, height, mostHeld);
        if (cells.cutShort()) {
            throw endsAfter(cells.whole());
        }
        if (cells.whole() <
            static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height)) {
            throw MemoryShortage(m_shown, tooLarge);
        }
        return std::move(cells).takeGrid();
    }
    WallGrid grid(width, height);
    if (const std::uint64_t whole = readGridCells(*m_reader, grid); whole < grid.cellCount()) {
        throw endsAfter(whole);
    }
    return grid;
}

AnyMaze readMazeInput(const std::string& name, const MemoryNeed& need) {
    return MazeInput(name).read(need);
}

}  // namespace nitka
