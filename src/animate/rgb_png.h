#pragma once

#include <streambuf>

#include "animate/rgb_frame.h"

namespace nitka {

// Writes the frame as an 8-bit RGB PNG. Throws RenderError when it cannot.
void writeRgbPng(const RgbFrame& frame, std::streambuf& out);

}  // namespace nitka
