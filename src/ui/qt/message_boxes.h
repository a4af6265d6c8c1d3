#pragma once

#include <QString>

class QWidget;

namespace nitka {

// The program's own notices: caption "Лабиринт", one OK button, no icon.
void showNoticeBox(QWidget* parent, const QString& text);

// The error box: the application title as caption, the stop icon, one OK
// button, and the message with its full stop rule applied.
void showErrorBox(QWidget* parent, const QString& message);

}  // namespace nitka
