#pragma once

#include <cstdint>
#include <streambuf>
#include <string>

#include "plan/requests.h"
#include "tool/maze_batch.h"

namespace nitka {

// A batch as an .npz archive that numpy.load reads without pickle: every
// array of MazeBatch under the name Python's Batch gives it (seeds, grids
// for rectangles, passages, passage_offsets, starts, targets, route_lengths,
// difficulty), and under "options" a JSON text of what made it, so that the
// file alone tells how to make every maze again. The same batch always
// makes the same bytes.
void writeDataset(std::streambuf& out, const MazeBatch& batch, const BatchRequest& request);

// The bytes writeDataset writes.
std::uint64_t datasetBytes(const MazeBatch& batch, const BatchRequest& request);

// The options as "options" holds them: {"count": 100, "width": 15, ...}.
std::string datasetOptions(const MazeBatch& batch, const BatchRequest& request);

}  // namespace nitka
