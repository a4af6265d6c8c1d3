#include "cli/maze_input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <optional>

#include "cli/memory_need.h"
#include "cli/standard_streams.h"
#include "cli/tool_error.h"
#include "storage/grid_reader.h"
#include "storage/maze_file.h"
#include "storage/maze_reader.h"
#include "storage/shape_file.h"

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

std::string shortened(const std::string& line) {
    constexpr std::size_t kShown = 40;
    std::string text;
    for (const char c : line.substr(0, kShown)) {
        text += c >= ' ' && c <= '~' ? c : '?';
    }
    return line.size() > kShown ? text + "..." : text;
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

AnyMaze readMazeInput(const std::string& name, const MemoryNeed& need) {
    const std::string shown = inputName(name);
    return blamingFile(shown, [&]() -> AnyMaze {
        // A named file must be a regular one, as for the window: a FIFO or
        // device named by mistake is refused rather than waited on.
        std::optional<InputFile> file;
        std::optional<StandardInput> standard;
        std::streambuf& in = name == "-" ? static_cast<std::streambuf&>(standard.emplace())
                                         : file.emplace(name).stream();
        // A window file starts with a number, perhaps hexadecimal after an x;
        // a word opens the shape format or nothing this tool reads.
        if (const auto first = in.sgetc(); std::isalpha(first) && first != 'x' && first != 'X') {
            std::string line = firstLine(in);
            if (!isShapeFileFirstLine(line)) {
                throw ToolError(shown, "line 1: \"" + shortened(line) + "\" opens no maze file");
            }
            ShapeMaze maze = readShapeMaze(line, in);
            if (file) {
                file->close();
            }
            return maze;
        }
        MazeReader reader(in);
        const MazeSize size = readMazeHeader(reader);
        if (size.width < 1 || size.height < 1) {
            throw ToolError(shown, "no maze: its width or height is below 1");
        }
        if (const auto why =
                memoryRefusal(size.width, size.height, need(size.width, size.height))) {
            throw ToolError(shown, *why);
        }
        WallGrid grid(size.width, size.height);
        if (const std::uint64_t read = readGridCells(reader, grid); read < grid.cellCount()) {
            throw ToolError(shown, "ends after " + std::to_string(read) + " of " +
                                       std::to_string(size.width) + " x " +
                                       std::to_string(size.height) + " cells");
        }
        if (file) {
            file->close();
        }
        return grid;
    });
}

}  // namespace nitka
