#include "ui/qt/message_boxes.h"

#include <QMessageBox>

#include "ui/error_text.h"
#include "ui/qt/app_identity.h"

namespace nitka {
namespace {

void showModal(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
               const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.setObjectName(icon == QMessageBox::NoIcon ? QStringLiteral("noticeBox")
                                                  : QStringLiteral("errorBox"));
    box.exec();
}

}  // namespace

void showNoticeBox(QWidget* parent, const QString& text) {
    showModal(parent, QMessageBox::NoIcon, QStringLiteral("Лабиринт"), text);
}

void showErrorBox(QWidget* parent, const QString& message) {
    const std::string text = errorBoxText(message.toStdString());
    showModal(parent, QMessageBox::Critical, applicationTitle(), QString::fromStdString(text));
}

}  // namespace nitka
