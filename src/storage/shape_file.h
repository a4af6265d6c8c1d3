#pragma once

#include <cstdint>
#include <streambuf>
#include <string_view>

#include "shape/shape_maze.h"

namespace nitka {

// The file of a maze of any shape, described in docs/file-format.md: a first
// line "nitka-maze-shape 1 <shape> <width> <height>", header lines up to one
// that reads "cells", then a line a row (polar: a ring, from the centre) of a
// character a place: "." for a hole, else the hex digit of the cell's held
// sides.

// Whether a file's first line (without its line break) opens this format
// rather than the window's.
bool isShapeFileFirstLine(std::string_view line);

// Writes maze in bounded memory and syncs the stream. Throws FileError when
// the stream takes fewer bytes than it was given or fails to sync.
void writeShapeMaze(std::streambuf& out, const ShapeMaze& maze);

// What the first line of a maze shape file says.
struct ShapeFileHeader {
    ShapeKind kind = ShapeKind::Rect;
    int width = 0;
    int height = 0;
};

// Reads the first line (without its line break): a shape this program knows,
// of a size a maze may have. Throws FileError(kInvalidNumber) "line 1: ...".
ShapeFileHeader parseShapeFileHeader(std::string_view firstLine);

// The fewest bytes after the first line that hold a maze of header's size: a
// "cells" line, then a byte a place and a line feed between rows (the last
// row may lack its own). Header lines between only add to them.
std::uint64_t shapeBodyLeastBytes(const ShapeFileHeader& header);

// Reads a maze from the start of in, or after its first line, already taken
// from in (or already parsed). Strict: anything malformed throws FileError(kInvalidNumber) with
// "line N: ..." and a file cut short FileError(kReadBeyondEnd) with "ends
// after N of W x H cells". Header lines this reader does not know are
// skipped, so that later ones stay readable. Holds a bit and a half a place
// beside the maze it returns.
ShapeMaze readShapeMaze(std::streambuf& in);
ShapeMaze readShapeMaze(std::string_view firstLine, std::streambuf& rest);
ShapeMaze readShapeMaze(const ShapeFileHeader& header, std::streambuf& rest);

}  // namespace nitka
