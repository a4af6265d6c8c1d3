#include "shape/moved_ends.h"

#include <cassert>
#include <utility>

namespace nitka {
namespace {

class MovedEndsTopology final : public Topology {
public:
    MovedEndsTopology(std::shared_ptr<const Topology> base, CellId start, CellId target)
        : m_base(std::move(base)), m_start(start), m_target(target) {
        assert(m_base->isCell(start) && m_base->isCell(target));
    }

    ShapeKind kind() const override { return m_base->kind(); }
    int width() const override { return m_base->width(); }
    int height() const override { return m_base->height(); }
    CellId slotCount() const override { return m_base->slotCount(); }
    bool isCell(CellId id) const override { return m_base->isCell(id); }
    CellId cellCount() const override { return m_base->cellCount(); }
    int neighbours(CellId cell, NeighbourList out) const override {
        return m_base->neighbours(cell, out);
    }
    HeldSide heldSide(CellId a, CellId b) const override { return m_base->heldSide(a, b); }
    CellPosition position(CellId cell) const override { return m_base->position(cell); }
    CellId cellAt(CellPosition position) const override { return m_base->cellAt(position); }
    Point centre(CellId cell) const override { return m_base->centre(cell); }
    void outline(CellId cell, std::vector<Side>& out) const override { m_base->outline(cell, out); }
    Point extent() const override { return m_base->extent(); }
    CellId start() const override { return m_start; }
    CellId target() const override { return m_target; }
    const Topology& baseLayout() const override { return m_base->baseLayout(); }

    bool moved() const { return m_start != m_base->start() || m_target != m_base->target(); }

private:
    std::shared_ptr<const Topology> m_base;
    CellId m_start;
    CellId m_target;
};

}  // namespace

std::shared_ptr<const Topology> withEnds(std::shared_ptr<const Topology> base, CellId start,
                                         CellId target) {
    return std::make_shared<const MovedEndsTopology>(std::move(base), start, target);
}

bool hasMovedEnds(const Topology& topology) {
    const auto* moved = dynamic_cast<const MovedEndsTopology*>(&topology);
    return moved != nullptr && moved->moved();
}

}  // namespace nitka
