#pragma once

#include <string_view>
#include <vector>

namespace nitka {

// The characters of utf8 that the PDFs' print font has no glyph for, each
// once, in the order they first appear: they would print as empty boxes. A
// malformed byte counts as U+FFFD, what it prints as. The caller decides
// whom to tell; cairo itself says nothing.
std::vector<char32_t> charactersWithoutGlyph(std::string_view utf8, bool bold);

}  // namespace nitka
