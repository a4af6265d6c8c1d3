// The maze file of the compact grid in ns a cell: writing to a stream that
// drops the bytes, and reading from memory served in 64 KiB chunks as a file
// is, from 100 x 100 up to 10,000 x 10,000 (a 600 MB file).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <streambuf>
#include <string>

#include "carve/carvers.h"
#include "model/seeded_random.h"
#include "storage/grid_reader.h"
#include "storage/grid_writer.h"

namespace nitka {
namespace {

// Time an iteration divided by the cells it handles, in seconds ("12.3ns").
benchmark::Counter nsPerCell(std::uint64_t cells) {
    return benchmark::Counter(
        static_cast<double>(cells),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

WallGrid carvedGrid(int side) {
    WallGrid grid(side, side);
    SeededRandom random(2026);
    carveDepthFirst(grid, random);
    return grid;
}

class NullSink final : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

// Appends to a string reserved up front, so a 600 MB text is built without
// the copies of a growing std::stringbuf.
class StringSink final : public std::streambuf {
public:
    explicit StringSink(std::string& text) : m_text(text) {}

protected:
    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        m_text.append(bytes, static_cast<std::size_t>(count));
        return count;
    }

private:
    std::string& m_text;
};

// Serves a text 64 KiB at a time, as the file edge does.
class ChunkSource final : public std::streambuf {
public:
    explicit ChunkSource(const std::string& text) : m_text(text) {}

protected:
    int_type underflow() override {
        if (m_served == m_text.size()) {
            return traits_type::eof();
        }
        const std::size_t count = std::min<std::size_t>(64 * 1024, m_text.size() - m_served);
        char* const begin = const_cast<char*>(m_text.data()) + m_served;
        setg(begin, begin, begin + count);
        m_served += count;
        return traits_type::to_int_type(*begin);
    }

private:
    const std::string& m_text;
    std::size_t m_served = 0;
};

void BM_WriteGrid(benchmark::State& state) {
    const WallGrid grid = carvedGrid(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        NullSink sink;
        writeGrid(sink, grid);
    }
    state.counters["ns_per_cell"] = nsPerCell(grid.cellCount());
}
BENCHMARK(BM_WriteGrid)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteGrid)->Arg(10'000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ReadGrid(benchmark::State& state) {
    std::string text;
    std::uint64_t cells = 0;
    {
        const WallGrid grid = carvedGrid(static_cast<int>(state.range(0)));
        cells = grid.cellCount();
        text.reserve(cells * 6 + 32);
        StringSink sink(text);
        writeGrid(sink, grid);
    }
    for (auto _ : state) {
        ChunkSource source(text);
        MazeReader reader(source);
        const MazeSize size = readMazeHeader(reader);
        WallGrid grid(size.width, size.height);
        readGridCells(reader, grid);
        benchmark::DoNotOptimize(grid);
    }
    state.counters["ns_per_cell"] = nsPerCell(cells);
}
BENCHMARK(BM_ReadGrid)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadGrid)->Arg(10'000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nitka
