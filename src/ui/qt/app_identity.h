#pragma once

#include <QIcon>
#include <QString>

namespace nitka {

// "Лабиринт" and the program's short name: the task bar's name for the program
// and the caption of every error box.
QString applicationTitle();

// The 32 x 32, 16-colour icon of the program and its window.
QIcon applicationIcon();

}  // namespace nitka
