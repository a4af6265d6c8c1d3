#include "ui/qt/spin_edit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <algorithm>

namespace nitka {

SpinEdit::SpinEdit(QWidget* parent) : QWidget(parent), m_editor(new QLineEdit(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);
    setValue(50);
}

int SpinEdit::value() const {
    bool ok = false;
    const int number = m_editor->text().toInt(&ok);
    return ok ? number : MinValue;
}

void SpinEdit::setValue(int value) {
    m_editor->setText(QString::number(std::clamp(value, MinValue, MaxValue)));
}

}  // namespace nitka
