#pragma once

#include <cstdint>
#include <streambuf>

#include "render/render_options.h"
#include "shape/shape_maze.h"

namespace nitka {

// Writes maze, of any shape, as an 8-bit greyscale PNG in the pixel layout of
// ShapeLayout: antialiased black walls a tenth of a cell wide (at least a
// pixel) on white, with options.route the rectangle's dots at the centres of
// the cells whose scratch is not zero. Reads options.cell and options.route.
//
// Cost: the picture is drawn in bands of at most bandBytes (one byte a pixel)
// and written as each is done, so memory stays near bandBytes plus libpng's
// at any size; each band asks every cell for its centre and the cells near the
// band for their outline, so time grows with cells x bands (with 16 MB a band
// is at least 512 rows). Throws RenderError, before writing anything, for a
// cell size out of range, a picture wider than 32,767 pixels (cairo's limit)
// or larger than 2^30 pixels, and when a write fails.
inline constexpr std::int64_t kShapePngBandBytes = std::int64_t{16} << 20;
void renderShapePng(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out,
                    std::int64_t bandBytes = kShapePngBandBytes);

}  // namespace nitka
