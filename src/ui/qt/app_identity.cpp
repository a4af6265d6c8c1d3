#include "ui/qt/app_identity.h"

#include <QPixmap>

namespace nitka {
namespace {
#include "ui/qt/icon/nitka.xpm"
}  // namespace

QString applicationTitle() {
    return QStringLiteral("Лабиринт Nitka");
}

QIcon applicationIcon() {
    return QIcon(QPixmap(nitka_xpm));
}

}  // namespace nitka
