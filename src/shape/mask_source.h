#pragma once

#include <streambuf>
#include <string>

#include "shape/cell_mask.h"

namespace nitka {

// A mask from a picture of it, a place a pixel or a character, told apart by
// the PNG signature at the start, whatever the file's name:
//
// PNG: any colour type and depth; a pixel is a cell when it is dark and
// opaque enough: its luminance 0.2126 R + 0.7152 G + 0.0722 B, on the 8-bit
// stored values, below 128 of 255, and its alpha at least 128 of 255 (no
// alpha channel: opaque). Interlaced pictures are refused.
//
// Text, in UTF-8: a line a row, a character (not a byte) a place. "." and
// spaces (the ASCII one and the Unicode space characters such as U+00A0 and
// U+3000) are holes, any other character is a cell. Lines end in LF or CR LF;
// a last line break adds no row, but empty lines elsewhere are rows of
// holes. The width is the longest line's, shorter lines end in holes; empty
// borders stay. A byte order mark at the start is skipped. Tabs, other
// control characters and bytes that are no UTF-8 are refused.
//
// Throws ShapeError with a message that says what to fix ("line 3: ...",
// "no cells", the size past the largest mask), and lets the stream's own
// errors through.
CellMask readMask(std::streambuf& in);

// The same from a file, or standard input for "-": a pipe or other stream
// too, as InputStream opens it. Throws FileError when it cannot be read (a
// folder, a missing file) and ShapeError, which names no file: the caller
// names the file once.
CellMask readMaskFile(const std::string& path);

}  // namespace nitka
