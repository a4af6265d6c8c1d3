#pragma once

#include <streambuf>
#include <string>
#include <string_view>

namespace nitka {

// The writers' way out to a stream buffer: a short write or a failed flush is
// a RenderError, never a silently shorter file.
class ByteSink {
public:
    explicit ByteSink(std::streambuf& out) : m_out(out) {}
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    void put(std::string_view bytes);
    // put() for the write callbacks of C libraries, which must not see an
    // exception: false when it failed, with the reason in failure().
    bool tryPut(std::string_view bytes) noexcept;
    // Why the last tryPut failed; empty while none has.
    const std::string& failure() const { return m_failure; }
    // Pushes buffered bytes on to their destination, so that a failure there
    // shows before the writer reports success.
    void flush();

private:
    std::streambuf& m_out;
    std::string m_failure;
};

}  // namespace nitka
