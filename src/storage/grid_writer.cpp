#include "storage/grid_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <vector>

#include "storage/chunk_writer.h"
#include "storage/maze_file.h"

namespace nitka {
namespace {

constexpr std::size_t kLineLength = 6;  // "t  l\r\n"

// The line of every cell byte's low four bits: top class in bits 0-1, left
// class in bits 2-3. Class 3 never occurs.
constexpr std::array<std::array<char, kLineLength>, 16> kCellLines = [] {
    std::array<std::array<char, kLineLength>, 16> lines{};
    for (unsigned bits = 0; bits < 16; ++bits) {
        lines[bits] = {static_cast<char>('0' + (bits & 3u)), ' ',  ' ',
                       static_cast<char>('0' + (bits >> 2)), '\r', '\n'};
    }
    return lines;
}();

void writeHeader(ChunkWriter& writer, int width, int height) {
    char* const begin = writer.next();
    char* end = std::to_chars(begin, begin + 11, width).ptr;
    end = std::copy_n("  ", 2, end);
    end = std::to_chars(end, end + 11, height).ptr;
    end = std::copy_n("\r\n", 2, end);
    writer.wrote(static_cast<std::size_t>(end - begin));
}

}  // namespace

void writeGrid(std::streambuf& out, const WallGrid& grid) {
    ChunkWriter writer(out);
    writeHeader(writer, grid.width(), grid.height());
    const std::size_t cells = grid.cellCount();
    for (std::size_t cell = 0; cell < cells;) {
        if (writer.room() < kLineLength) {
            writer.flush();
        }
        const std::size_t end = std::min(cells, cell + writer.room() / kLineLength);
        char* line = writer.next();
        for (; cell < end; ++cell, line += kLineLength) {
            const auto bits =
                static_cast<unsigned>(grid.top(cell)) | static_cast<unsigned>(grid.left(cell)) << 2;
            std::memcpy(line, kCellLines[bits].data(), kLineLength);
        }
        writer.wrote(static_cast<std::size_t>(line - writer.next()));
    }
    writer.finish();
}

std::uint64_t gridFileBytes(int width, int height) {
    const std::string header = std::to_string(width) + "  " + std::to_string(height) + "\r\n";
    return header.size() +
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * kLineLength;
}

}  // namespace nitka
