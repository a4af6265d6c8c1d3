#pragma once

#include <cstddef>
#include <streambuf>
#include <string_view>
#include <vector>

namespace nitka {

// A chunk of bytes made in place before it goes to a stream, so that a writer
// of any size holds one chunk. Throws FileError when the stream takes fewer
// bytes than it was given.
class ChunkWriter {
public:
    explicit ChunkWriter(std::streambuf& out);

    // Room left in the chunk, where next() points; wrote() counts what went in.
    std::size_t room() const { return m_chunk.size() - m_used; }
    char* next() { return m_chunk.data() + m_used; }
    void wrote(std::size_t count) { m_used += count; }

    void put(char c) {
        if (room() == 0) {
            flush();
        }
        m_chunk[m_used++] = c;
    }
    void put(std::string_view text);

    void flush();

    // Also pushes on what the stream may hold back itself, so that a failure
    // to write it shows here rather than after the file was reported written.
    void finish();

private:
    std::streambuf& m_out;
    std::vector<char> m_chunk;
    std::size_t m_used = 0;
};

}  // namespace nitka
