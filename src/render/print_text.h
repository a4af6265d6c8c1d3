#pragma once

#include <cairo.h>

#include <string>
#include <string_view>
#include <vector>

namespace nitka {

// Text as the PDFs print it: user's text made safe for cairo, which draws
// nothing more on a page once it is handed one malformed byte, and fitted to
// the room on the page.

// utf8 with every malformed or overlong sequence, surrogate and code point
// past U+10FFFF replaced by U+FFFD, and every control character by a space.
std::string printable(std::string_view utf8);

// code's UTF-8 bytes added to out. Requires: code is a Unicode scalar value.
void appendUtf8(std::string& out, char32_t code);

// The code points of printable text. Requires: utf8 is valid UTF-8.
std::vector<char32_t> codePoints(std::string_view utf8);

// The font every PDF prints its words in, bold or not, size points high.
void selectPrintFont(cairo_t* cr, double size, bool bold);

// Text broken into lines that print no wider than a width, at a size.
struct FittedText {
    double size = 0;
    std::vector<std::string> lines;
};

// text, printable, broken at spaces into lines of cr's print font no wider
// than width, at `size` points or as little smaller as lets it take at most
// mostLines lines, but never under `smallest`; a word wider than a line is
// broken between characters. What still does not fit ends with "…".
// Leaves cr's font selected at the size found.
FittedText fitText(cairo_t* cr, std::string_view text, double width, double size, double smallest,
                   int mostLines, bool bold);

}  // namespace nitka
