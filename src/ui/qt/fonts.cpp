#include "ui/qt/fonts.h"

#include <QStringList>

namespace nitka {

QFont msSansSerif(int pixelHeight, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Sans Serif")});
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

}  // namespace nitka
