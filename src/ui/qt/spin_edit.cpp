#include "ui/qt/spin_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace nitka {

namespace {

constexpr int kStartValue = 50;
constexpr int kArrowWidth = 15;
constexpr int kFrame = 2;

// An optional sign and decimal digits that fit an int; surrounding blanks (from
// a paste) are forgiven. Anything else, an overlong number included, is no
// integer, so it reads as MinValue and leaving the box keeps it as typed.
std::optional<int> integerIn(const QString& text) {
    // Characters outside Latin-1 become '?', which can never pass as a digit.
    const QByteArray latin = text.trimmed().toLatin1();
    std::string_view digits(latin.constData(), static_cast<std::size_t>(latin.size()));
    if (digits.starts_with('+')) {
        digits.remove_prefix(1);
        if (digits.starts_with('-')) {
            return std::nullopt;
        }
    }
    int number = 0;
    const char* const end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, number);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return number;
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Keys that may reach the text: the characters of a number and everything that
// types no character (cursor keys, Backspace, Tab, shortcuts). Enter is refused
// like a letter, since no button in the window is a default one.
bool isAllowedKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        return false;
    }
    const QString text = event.text();
    if (text.isEmpty() || (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        return true;
    }
    if (text == QLocale().decimalPoint()) {
        return true;
    }
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return isAsciiDigit(c) || c == QLatin1Char('+') || c == QLatin1Char('-') ||
               c.category() == QChar::Other_Control;
    });
}

}  // namespace

class SpinEdit::Editor final : public QLineEdit {
public:
    explicit Editor(SpinEdit& box) : QLineEdit(&box), m_box(box) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
            m_box.step(event->key() == Qt::Key_Up ? Increment : -Increment);
        } else if (!isAllowedKey(*event)) {
            m_box.refuse();
        } else {
            QLineEdit::keyPressEvent(event);
        }
    }

    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        // A click into the text puts the caret where it landed; a closing
        // context menu hands back a focus the box never lost.
        if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason) {
            selectAll();
        }
    }

    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        if (event->reason() != Qt::PopupFocusReason) {
            m_box.clampToBounds();
        }
    }

private:
    SpinEdit& m_box;
};

// One arrow. It steps when released over itself, and keeps the repeat clock
// running while held; the clock only steps while the pointer is on it.
class SpinEdit::ArrowButton final : public QWidget {
public:
    ArrowButton(SpinEdit& box, int delta) : QWidget(&box), m_box(box), m_delta(delta) {
        setFocusPolicy(Qt::NoFocus);
    }

    int delta() const { return m_delta; }
    bool isPressedDown() const { return m_held && m_pointerOn; }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton || m_held) {
            return;
        }
        // The box takes the focus before the arrow acts, so a value typed into
        // the other box is settled first.
        m_box.m_editor->setFocus(Qt::OtherFocusReason);
        m_held = true;
        m_pointerOn = true;
        update();
        m_box.beginRepeat(this);
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const bool on = rect().contains(event->position().toPoint());
        if (m_held && on != m_pointerOn) {
            m_pointerOn = on;
            update();
        }
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton || !m_held) {
            return;
        }
        letGo();
        if (rect().contains(event->position().toPoint())) {
            m_box.step(m_delta);
        }
    }

    // A hidden button gets no release; without this the clock would run on.
    void hideEvent(QHideEvent* event) override {
        letGo();
        QWidget::hideEvent(event);
    }

    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        QStyleOptionButton panel;
        panel.initFrom(this);
        panel.state |= isPressedDown() ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &panel, &painter, this);

        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = rect().adjusted(3, 2, -3, -2);
        if (isPressedDown()) {
            arrow.rect.translate(1, 1);
        }
        const auto shape =
            m_delta > 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown;
        style()->drawPrimitive(shape, &arrow, &painter, this);
    }

private:
    void letGo() {
        if (!m_held) {
            return;
        }
        m_held = false;
        m_pointerOn = false;
        m_box.endRepeat();
        update();
    }

    SpinEdit& m_box;
    const int m_delta;
    bool m_held = false;
    bool m_pointerOn = false;
};

SpinEdit::SpinEdit(QWidget* parent)
    : QWidget(parent),
      m_editor(new Editor(*this)),
      m_up(new ArrowButton(*this, Increment)),
      m_down(new ArrowButton(*this, -Increment)),
      m_repeat(new QTimer(this)) {
    setFocusProxy(m_editor);
    m_editor->setTextMargins(0, 0, kArrowWidth, 0);
    connect(m_repeat, &QTimer::timeout, this, &SpinEdit::repeatTick);
    setValue(kStartValue);
}

int SpinEdit::value() const {
    return integerIn(m_editor->text()).value_or(MinValue);
}

void SpinEdit::setValue(int value) {
    m_editor->setText(QString::number(std::clamp(value, MinValue, MaxValue)));
}

QLineEdit* SpinEdit::editor() const {
    return m_editor;
}

QWidget* SpinEdit::upButton() const {
    return m_up;
}

QWidget* SpinEdit::downButton() const {
    return m_down;
}

void SpinEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_editor->setGeometry(rect());
    const int x = width() - kFrame - kArrowWidth;
    const int inner = height() - 2 * kFrame;
    m_up->setGeometry(x, kFrame, kArrowWidth, inner / 2);
    m_down->setGeometry(x, kFrame + inner / 2, kArrowWidth, inner - inner / 2);
}

void SpinEdit::step(int delta) {
    // Keep a whole-text selection across the step, so the next digit typed
    // still replaces the number.
    const QString before = m_editor->text();
    const bool wholeSelected = !before.isEmpty() && m_editor->selectedText() == before;
    // A typed number may be any int; widen so a step next to its limits cannot overflow.
    const std::int64_t target = std::int64_t{value()} + delta;
    setValue(static_cast<int>(std::clamp<std::int64_t>(target, MinValue, MaxValue)));
    if (wholeSelected) {
        m_editor->selectAll();
    }
}

void SpinEdit::refuse() {
    QApplication::beep();
    emit beeped();
}

void SpinEdit::clampToBounds() {
    const std::optional<int> number = integerIn(m_editor->text());
    if (number && (*number < MinValue || *number > MaxValue)) {
        setValue(*number);
    }
}

void SpinEdit::beginRepeat(ArrowButton* button) {
    m_heldButton = button;
    m_repeat->start(kRepeatDelayMs);
}

void SpinEdit::endRepeat() {
    m_heldButton = nullptr;
    m_repeat->stop();
}

void SpinEdit::repeatTick() {
    if (m_heldButton == nullptr) {
        m_repeat->stop();
        return;
    }
    m_repeat->setInterval(kRepeatIntervalMs);
    if (m_heldButton->isPressedDown()) {
        step(m_heldButton->delta());
    }
}

}  // namespace nitka
