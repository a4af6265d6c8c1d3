#pragma once

#include "shape/topology.h"

namespace nitka {

// The far corner of a layout's drawing, as Topology::extent() gives it, from
// the shape and its size alone: a request can be judged for paper and pixels
// before any of the layout is held. width is not read for polar, whose height
// is its rings. Requires: width, height >= 1.
Point layoutExtent(ShapeKind kind, int width, int height);

}  // namespace nitka
