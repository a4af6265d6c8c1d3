#include "ui/qt/fonts.h"

#include <QStringList>

namespace nitka {

QFont msSansSerif(int pixelHeight, bool bold) {
    QFont font;
    // Liberation Sans is about as wide as the face asked for, so the captions
    // fit the fixed button sizes; DejaVu Sans covers machines without it.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

}  // namespace nitka
