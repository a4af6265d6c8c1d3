#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace nitka {

enum class Paper { A4, Letter };

// How a picture shows where the route starts and ends (see end_marks.h).
enum class Marks { None, Openings, Letters };

// Sizes in millimetres of a plotter's SVG and a printer's STL: a unit of the
// drawing (a square cell's side), the pen's stroke, and the solid's walls
// (thickness, height above the base) and base plate.
struct Millimetres {
    double cell = 5;
    double pen = 0.3;
    double wall = 1;
    double height = 4;
    double base = 1.5;
};
// The most millimetres a side of such a drawing or solid may span: a
// kilometre, past which a solid's single-precision corners blur.
inline constexpr double kMostDrawingMm = 1'000'000;

// What the picture writers draw besides the walls. Each writer reads only the
// fields that make sense for its format.
struct RenderOptions {
    // Side of a cell in pixels (PNG, SVG); 0 takes defaultCellSize.
    int cell = 0;
    // Dots in the cells whose scratch bits are not zero (see markRoute).
    bool route = false;
    // Sheet size of the PDF.
    Paper paper = Paper::A4;
    // PDF only: a second page with the same maze and its route.
    bool answer = false;
    // The start and target: openings in the outer wall, letters, or nothing.
    Marks marks = Marks::None;
    // PDF only: the creation date its metadata gives, in seconds since
    // 1970-01-01 UTC (0 .. kLastPdfSecond); none gives no date, so that the
    // same maze always makes the same file.
    std::optional<std::int64_t> created = std::nullopt;
    // SVG only: every wall as few long strokes for a pen plotter or a cutter,
    // sized in millimetres (see plotter_svg.h).
    bool plotter = false;
    Millimetres mm = {};
};

// The last second of the year 9999, as far as a PDF's four-digit year goes.
inline constexpr std::int64_t kLastPdfSecond = 253'402'300'799;

// A picture that cannot be made: a size out of range or a failed write. The
// message is a sentence for the user.
class RenderError : public std::runtime_error {
public:
    explicit RenderError(const std::string& message) : std::runtime_error(message) {}
};

// A picture writer's failed write (a WriteFailure of its ByteSink): the
// RenderError "cannot write the picture", whatever the system's reason.
[[noreturn]] void failPictureWrite(int error);

// The most a picture writer holds besides the maze, however large the
// picture: the rows in flight and the libraries' own state.
inline constexpr std::uint64_t kPictureWriterBytes = std::uint64_t{64} << 20;

// The cell size a picture gets unless told otherwise. Up to 100 x 100 cells it
// is the window's own (16, 11 or 8 pixels, see cellSizeFor), so the picture
// matches the screen. A bigger maze gets the largest of 8, 4 and 2 pixels that
// keeps its longer side under 20,000 pixels, and 2 when none does.
int defaultCellSize(int width, int height);

// options.cell, or defaultCellSize when it is 0.
int cellSizeOf(const RenderOptions& options, int width, int height);

}  // namespace nitka
