#pragma once

#include <QFont>

namespace nitka {

// "MS Sans Serif" at a character height in pixels, falling back to an installed
// sans-serif face with Cyrillic glyphs where that font is missing.
QFont msSansSerif(int pixelHeight, bool bold);

}  // namespace nitka
