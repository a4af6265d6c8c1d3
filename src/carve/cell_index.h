#pragma once

#include <cstdint>

namespace nitka {

// Methods that keep a list of cells or edges store each entry in 32 bits while
// every edge number of the maze fits (two a cell), else in 64: the smaller
// entries halve their memory for any maze that fits a computer today.
inline bool fitsNarrowIndex(std::uint64_t cells) {
    return cells <= std::uint64_t{1} << 31;
}

// Bytes one list entry takes for a maze of that many cells.
inline std::uint64_t indexBytes(std::uint64_t cells) {
    return fitsNarrowIndex(cells) ? 4 : 8;
}

// Calls run.template operator()<Index>() with the narrowest fitting entry type.
template <typename Run>
void withCellIndex(std::uint64_t cells, Run&& run) {
    if (fitsNarrowIndex(cells)) {
        run.template operator()<std::uint32_t>();
    } else {
        run.template operator()<std::uint64_t>();
    }
}

}  // namespace nitka
