#include "storage/grid_writer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "storage/byte_sink.h"

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

// Lines written in place a batch at a time: a call per cell would cost more
// than the copying.
constexpr std::size_t kBatchLines = ByteSink::kBlock / kLineLength;

}  // namespace

void writeGrid(std::streambuf& out, const WallGrid& grid) {
    ByteSink sink(out);
    sink << static_cast<std::int64_t>(grid.width()) << "  "
         << static_cast<std::int64_t>(grid.height()) << "\r\n";
    const std::size_t cells = grid.cellCount();
    for (std::size_t cell = 0; cell < cells;) {
        const std::size_t bytes = std::min(cells - cell, kBatchLines) * kLineLength;
        char* const first = sink.room(bytes);
        for (char* line = first; line < first + bytes; ++cell, line += kLineLength) {
            const auto bits =
                static_cast<unsigned>(grid.top(cell)) | static_cast<unsigned>(grid.left(cell)) << 2;
            std::memcpy(line, kCellLines[bits].data(), kLineLength);
        }
        sink.wrote(bytes);
    }
    sink.flush();
}

std::uint64_t gridFileBytes(int width, int height) {
    const std::string header = std::to_string(width) + "  " + std::to_string(height) + "\r\n";
    return header.size() +
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * kLineLength;
}

}  // namespace nitka
