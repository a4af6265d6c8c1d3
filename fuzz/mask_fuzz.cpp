// Feeds arbitrary bytes to the reader of a mask, a PNG or a text picture as
// the first bytes tell. Beyond the sanitizers' checks it requires that the
// only failure is a mask refused or a stream's own error, and that a mask
// read has a size, at least one cell, and as many cells as its places say.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_input.h"
#include "shape/cell_mask.h"
#include "shape/mask_source.h"
#include "shape/shape_error.h"
#include "storage/file_error.h"

namespace {

using nitka::fuzzing::ByteBuffer;
using nitka::fuzzing::require;

// Counting every place costs a pass over a mask that may be large.
constexpr std::uint64_t kMaxCountedPlaces = std::uint64_t{1} << 22;

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::uint32_t bigEndian(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// libpng refuses a chunk whose checksum is wrong, so a mutated PNG would
// almost never reach the pixels: put right every whole chunk's checksum.
void fixChunkChecksums(std::vector<std::uint8_t>& png) {
    std::size_t at = kPngSignature.size();
    while (png.size() - at >= 12) {
        const std::uint32_t length = bigEndian(&png[at]);
        if (length > png.size() - at - 12) {
            return;
        }
        const std::uint32_t crc = crc32(&png[at + 4], length + 4);
        std::uint8_t* stored = &png[at + 8 + length];
        for (int i = 0; i < 4; ++i) {
            stored[i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        }
        at += 12 + length;
    }
}

void checkMask(const nitka::CellMask& mask) {
    require(mask.width() >= 1 && mask.height() >= 1);
    require(mask.cellCount() >= 1 && mask.cellCount() <= mask.places());
    require(mask.isCell(mask.first()) && mask.isCell(mask.last()));
    require(mask.first() <= mask.last() && mask.last() < mask.places());
    if (mask.places() > kMaxCountedPlaces) {
        return;
    }
    std::uint64_t cells = 0;
    for (std::uint64_t place = 0; place < mask.places(); ++place) {
        if (mask.isCell(place)) {
            require(cells > 0 || place == mask.first());
            ++cells;
        }
    }
    require(cells == mask.cellCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> input(data, data + size);
    if (size >= kPngSignature.size() &&
        std::memcmp(data, kPngSignature.data(), kPngSignature.size()) == 0) {
        fixChunkChecksums(input);
    }
    ByteBuffer bytes(input.data(), input.size());
    try {
        checkMask(nitka::readMask(bytes));
    } catch (const nitka::ShapeError&) {
    } catch (const nitka::FileError&) {
    }
    return 0;
}
