#include "shape/row_layout.h"

#include <utility>

namespace nitka {

RowLayout::RowLayout(CellMask mask) : m_mask(std::move(mask)), m_holeFree(m_mask.full()) {}

}  // namespace nitka
