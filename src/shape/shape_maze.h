#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

#include "shape/topology.h"

namespace nitka {

// A maze on any topology in one byte a layout place: bit s (s < kMaxHeldSides)
// set when the s-th side the cell holds is open, bits 4-7 scratch that one
// algorithm at a time may use (as on a WallGrid). Every side starts closed.
class ShapeMaze {
public:
    static constexpr std::uint8_t kScratchMask = 0xF0;

    explicit ShapeMaze(std::shared_ptr<const Topology> topology);

    const Topology& topology() const { return *m_topology; }
    const std::shared_ptr<const Topology>& sharedTopology() const { return m_topology; }

    // Whether the side between two neighbours is open. Requires: neighbours.
    bool isOpen(CellId a, CellId b) const {
        const HeldSide side = m_topology->heldSide(a, b);
        return (m_cells[side.holder] >> side.slot & 1u) != 0;
    }
    void setOpen(CellId a, CellId b, bool open) {
        const HeldSide side = m_topology->heldSide(a, b);
        const auto bit = static_cast<std::uint8_t>(1u << side.slot);
        m_cells[side.holder] = static_cast<std::uint8_t>(open ? m_cells[side.holder] | bit
                                                              : m_cells[side.holder] & ~bit);
    }

    // The sides a cell holds, bit s for slot s, as files store them.
    std::uint8_t heldBits(CellId cell) const { return m_cells[cell] & 0x0Fu; }
    void setHeldBits(CellId cell, std::uint8_t bits) {
        assert(bits < 16);
        m_cells[cell] = static_cast<std::uint8_t>((m_cells[cell] & kScratchMask) | bits);
    }

    std::uint8_t scratch(CellId cell) const { return m_cells[cell] >> 4; }
    void setScratch(CellId cell, std::uint8_t value) {
        assert(value < 16);
        m_cells[cell] = static_cast<std::uint8_t>((m_cells[cell] & 0x0Fu) | value << 4);
    }
    void clearScratch();

private:
    std::shared_ptr<const Topology> m_topology;
    std::vector<std::uint8_t> m_cells;
};

}  // namespace nitka
