#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <streambuf>

namespace nitka::fuzzing {

// Reads the fuzzer's bytes in place, so that reading past them is caught.
class ByteBuffer final : public std::streambuf {
public:
    ByteBuffer(const std::uint8_t* data, std::size_t size) {
        char* begin = reinterpret_cast<char*>(const_cast<std::uint8_t*>(data));
        setg(begin, begin, begin + size);
    }
};

// A property the fuzzer must never see broken: abort, so it keeps the input.
inline void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace nitka::fuzzing
