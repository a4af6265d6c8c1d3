#pragma once

#include <cstdint>
#include <vector>

#include "render/end_marks.h"
#include "render/mark_places.h"
#include "render/picture_layout.h"

namespace nitka {

// The start's and target's marks on the window's one-bit picture of a
// width-wide rectangle, so that a marked picture keeps the window's crisp
// walls: an opening clears a side's pixels between its two corners, a letter
// is drawn without antialiasing. Rows hold a bit a pixel, the leftmost in the
// high bit, 1 for white.
class BitmapMarks {
public:
    // marks' cells and openings as placeEndMarks gives them for a rectangle
    // (cells in reading order, sides top, right, bottom, left), letters in
    // the maze's units.
    BitmapMarks(const PictureLayout& layout, int width, const EndMarks& marks,
                const std::vector<LetterPlace>& letters);

    // Whether pixel row y holds any of the marks.
    bool touches(int y) const { return y >= m_top && y < m_bottom; }
    // Puts the marks' pixels of pixel row y into row.
    void apply(std::vector<std::uint8_t>& row, int y) const;

private:
    // Pixels left .. right - 1 of rows top .. bottom - 1 made white.
    struct Gap {
        int left = 0;
        int right = 0;
        int top = 0;
        int bottom = 0;
    };
    // A letter's black pixels, row by row within its box.
    struct Stamp {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        std::vector<bool> ink;
    };

    void cover(int top, int bottom);

    std::vector<Gap> m_gaps;
    std::vector<Stamp> m_stamps;
    int m_top = 0;
    int m_bottom = 0;
};

}  // namespace nitka
