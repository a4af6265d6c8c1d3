#pragma once

#include <array>
#include <cassert>
#include <cmath>
#include <numbers>
#include <vector>

#include "shape/topology.h"

namespace nitka::testing {

// A round maze with arcs for the writers' tests: a centre disc of radius 1,
// a ring of 4 cells out to radius 2 and one of 8 out to radius 3, around the
// point (3, 3). Cells 0, 1-4, 5-12, each ring clockwise from the right.
// A cell holds the side to its inner neighbour (slot 0) and to the cell before
// it in its ring (slot 1).
class RingTopology final : public Topology {
public:
    static constexpr std::array<int, 3> kRingSizes = {1, 4, 8};
    static constexpr std::array<CellId, 3> kFirst = {0, 1, 5};

    ShapeKind kind() const override { return ShapeKind::Polar; }
    int width() const override { return 8; }
    int height() const override { return 2; }
    CellId slotCount() const override { return 13; }
    bool isCell(CellId id) const override { return id < 13; }
    CellId cellCount() const override { return 13; }

    int neighbours(CellId cell, NeighbourList out) const override {
        const auto [index, ring] = position(cell);
        int count = 0;
        const auto add = [&](CellId next) { out[static_cast<std::size_t>(count++)] = next; };
        if (ring == 0) {
            for (CellId k = 0; k < 4; ++k) {
                add(1 + k);
            }
            return count;
        }
        if (ring == 1) {
            add(5 + 2 * static_cast<CellId>(index));
            add(6 + 2 * static_cast<CellId>(index));
        }
        add(next(cell));
        add(ring == 1 ? 0 : 1 + static_cast<CellId>(index) / 2);
        add(previous(cell));
        return count;
    }

    HeldSide heldSide(CellId a, CellId b) const override {
        const std::int64_t ringA = position(a).y;
        const std::int64_t ringB = position(b).y;
        if (ringA != ringB) {
            return {ringA > ringB ? a : b, 0};
        }
        assert(previous(a) == b || previous(b) == a);
        return {previous(a) == b ? a : b, 1};
    }

    CellPosition position(CellId cell) const override {
        const std::int64_t ring = cell >= 5 ? 2 : cell >= 1 ? 1 : 0;
        return {static_cast<std::int64_t>(cell - kFirst[static_cast<std::size_t>(ring)]), ring};
    }
    CellId cellAt(CellPosition at) const override {
        if (at.y < 0 || at.y > 2 || at.x < 0 ||
            at.x >= kRingSizes[static_cast<std::size_t>(at.y)]) {
            return kNoCell;
        }
        return kFirst[static_cast<std::size_t>(at.y)] + static_cast<CellId>(at.x);
    }

    Point centre(CellId cell) const override {
        const auto [index, ring] = position(cell);
        if (ring == 0) {
            return {3, 3};
        }
        const int span = 8 / kRingSizes[static_cast<std::size_t>(ring)];
        return at(static_cast<double>(ring) + 0.5, (2.0 * index + 1) * span / 2);
    }

    void outline(CellId cell, std::vector<Side>& out) const override {
        out.clear();
        const auto [index, ring] = position(cell);
        const Point middle{3, 3};
        const auto arc = [&](double radius, int from, int to, CellId across) {
            out.push_back({at(radius, from), at(radius, to), true, middle, across});
        };
        if (ring == 0) {
            for (int k = 0; k < 4; ++k) {
                arc(1, 2 * k, 2 * k + 2, 1 + static_cast<CellId>(k));
            }
            return;
        }
        const int span = 8 / kRingSizes[static_cast<std::size_t>(ring)];
        const int first = static_cast<int>(index) * span;
        const int last = first + span;
        const auto inner = static_cast<double>(ring);
        const double outer = inner + 1;
        if (ring == 1) {
            arc(outer, first, first + 1, 5 + 2 * static_cast<CellId>(index));
            arc(outer, first + 1, last, 6 + 2 * static_cast<CellId>(index));
        } else {
            arc(outer, first, last, kNoCell);
        }
        out.push_back({at(outer, last), at(inner, last), false, {}, next(cell)});
        arc(inner, last, first, ring == 1 ? 0 : 1 + static_cast<CellId>(index) / 2);
        out.push_back({at(inner, first), at(outer, first), false, {}, previous(cell)});
    }

    Point extent() const override { return {6, 6}; }
    CellId start() const override { return 0; }
    CellId target() const override { return 12; }

    // The point at radius and angle eighth / 8 of a turn, clockwise from the
    // right, the same bits whichever cell asks.
    static Point at(double radius, double eighth) {
        const double angle = 2 * std::numbers::pi * std::fmod(eighth, 8.0) / 8;
        return {3 + radius * std::cos(angle), 3 + radius * std::sin(angle)};
    }

private:
    CellId next(CellId cell) const {
        const auto [index, ring] = position(cell);
        const int size = kRingSizes[static_cast<std::size_t>(ring)];
        return kFirst[static_cast<std::size_t>(ring)] + static_cast<CellId>((index + 1) % size);
    }
    CellId previous(CellId cell) const {
        const auto [index, ring] = position(cell);
        const int size = kRingSizes[static_cast<std::size_t>(ring)];
        return kFirst[static_cast<std::size_t>(ring)] +
               static_cast<CellId>((index + size - 1) % size);
    }
};

}  // namespace nitka::testing
