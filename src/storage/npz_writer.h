#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace nitka {

// One array of an .npz archive, in C order. Its NumPy dtype is kind and item
// size: 'b' bool (1 byte), 'i' signed and 'u' unsigned (1, 2, 4 or 8), 'f'
// float (2, 4 or 8), 'U' text of itemBytes / 4 UTF-32 characters. The data
// is exactly product(shape) * itemBytes bytes, already little-endian, and is
// only looked at: it must outlive the write and stay unchanged through it, as
// its CRC is taken before it is written.
struct NpyArray {
    std::string name;  // NumPy's key; the archive's entry is name + ".npy"
    char kind = 0;
    int itemBytes = 0;
    std::vector<std::int64_t> shape;  // empty for a 0-d array
    std::span<const std::byte> data;
};

// A 0-d text array, for metadata such as the options a maze was made with.
// It holds its own UTF-32 bytes, which array() lends out: the NpyText must
// outlive what array() returns. Throws std::invalid_argument for text that is
// not UTF-8, or that holds a NUL, which NumPy would cut off on reading.
class NpyText {
public:
    NpyText(std::string name, std::string_view utf8);

    NpyArray array() const;

private:
    std::string m_name;
    std::vector<std::byte> m_utf32;
};

// Writes the arrays as an .npz archive that numpy.load reads without pickle:
// every entry stored uncompressed with ZIP64 sizes, so one layout serves
// archives past 4 GiB, and a fixed date, so the same arrays always make the
// same bytes. Written in one pass with no seeking, each entry's data read
// twice (its CRC comes before it) and never copied whole; syncs the stream
// at the end.
//
// Checks every array before writing a byte, and throws std::invalid_argument
// for an empty, repeated or non-printable-ASCII name, a kind and item size
// NumPy has no dtype for, a negative size, more than 32 dimensions (what
// every NumPy reads), or data of another size than the shape asks. Throws
// FileError when the stream takes fewer bytes than it was given or fails to
// sync.
void writeNpz(std::streambuf& out, std::span<const NpyArray> arrays);

// Exactly the bytes writeNpz writes for the arrays, to plan disk and memory
// before writing. Throws what writeNpz throws for invalid arrays.
std::uint64_t npzBytes(std::span<const NpyArray> arrays);

}  // namespace nitka
