#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTimerEvent>
#include <QtTest>
#include <climits>
#include <memory>

#include "ui/qt/spin_edit.h"

using nitka::SpinEdit;

namespace {

// Drives the repeat clock one tick without waiting for it.
void fire(QTimer* clock) {
    QVERIFY(clock->isActive());
    QTimerEvent tick(clock->timerId());
    QCoreApplication::sendEvent(clock, &tick);
}

}  // namespace

// A window with the box under test between another box and a push button, in
// that tab order, so focus can arrive from either side and leave to a button.
class SpinEditTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsAtFifty();
    void readsTextWithoutClamping_data();
    void readsTextWithoutClamping();
    void setValueClampsAndShows_data();
    void setValueClampsAndShows();
    void stepsByTwoAndClamps_data();
    void stepsByTwoAndClamps();
    void arrowStepsOnlyWhenReleasedOverIt();
    void heldArrowRepeatsWhilePointerIsOnIt();
    void leavingClampsTypedNumber_data();
    void leavingClampsTypedNumber();
    void acceptedKeysEdit_data();
    void acceptedKeysEdit();
    void refusedKeysBeepAndChangeNothing_data();
    void refusedKeysBeepAndChangeNothing();
    void decimalSeparatorFollowsLocale_data();
    void decimalSeparatorFollowsLocale();
    void pastedTextIsNotFiltered();
    void focusFromElsewhereSelectsWholeText_data();
    void focusFromElsewhereSelectsWholeText();
    void clickIntoTextPlacesCaret();
    void arrowsSitInsideRightEdge();

private:
    void typeInto(const QString& text);

    std::unique_ptr<QWidget> m_window;
    SpinEdit* m_other = nullptr;
    SpinEdit* m_box = nullptr;
    QPushButton* m_button = nullptr;
};

void SpinEditTest::init() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_window = std::make_unique<QWidget>();
    m_window->resize(200, 160);
    m_other = new SpinEdit(m_window.get());
    m_other->setGeometry(10, 10, 65, 30);
    m_box = new SpinEdit(m_window.get());
    m_box->setGeometry(10, 60, 65, 30);
    m_button = new QPushButton(QStringLiteral("Go"), m_window.get());
    m_button->setGeometry(10, 110, 80, 30);
    QWidget::setTabOrder(m_other, m_box);
    QWidget::setTabOrder(m_box, m_button);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_button->setFocus();
    QVERIFY(m_button->hasFocus());
}

void SpinEditTest::cleanup() {
    m_window.reset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// Replaces the box's text by keystrokes, as a user would, leaving the focus in it.
void SpinEditTest::typeInto(const QString& text) {
    QLineEdit* editor = m_box->editor();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Backspace);  // the focus selected everything
    QTest::keyClicks(editor, text);
    QCOMPARE(editor->text(), text);
}

void SpinEditTest::startsAtFifty() {
    const SpinEdit box;
    QCOMPARE(box.value(), 50);
    QCOMPARE(box.editor()->text(), QStringLiteral("50"));
}

void SpinEditTest::readsTextWithoutClamping_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("in range") << "50" << 50;
    QTest::newRow("above range, still typing") << "150" << 150;
    QTest::newRow("below range") << "7" << 7;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("plus sign") << "+12" << 12;
    QTest::newRow("leading zeros") << "0050" << 50;
    QTest::newRow("pasted with blanks") << " 60 " << 60;
    QTest::newRow("largest int") << "2147483647" << INT_MAX;
    QTest::newRow("empty") << "" << 8;
    QTest::newRow("lone minus") << "-" << 8;
    QTest::newRow("lone plus") << "+" << 8;
    QTest::newRow("two signs") << "+-5" << 8;
    QTest::newRow("fraction") << "1.5" << 8;
    QTest::newRow("letters") << "abc" << 8;
    QTest::newRow("digits then letter") << "12a" << 8;
    QTest::newRow("one past largest int") << "2147483648" << 8;
    QTest::newRow("overlong digits") << "123456789012345678901234567890" << 8;
    QTest::newRow("overlong negative") << "-99999999999" << 8;
    QTest::newRow("non-Latin digits") << QStringLiteral("\u0665\u0660") << 8;
}

void SpinEditTest::readsTextWithoutClamping() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    m_box->editor()->setText(text);
    QCOMPARE(m_box->value(), expected);
    QCOMPARE(m_box->editor()->text(), text);
}

void SpinEditTest::setValueClampsAndShows_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("in range") << 64 << "64";
    QTest::newRow("odd in range") << 51 << "51";
    QTest::newRow("lower bound") << 8 << "8";
    QTest::newRow("upper bound") << 100 << "100";
    QTest::newRow("just below") << 7 << "8";
    QTest::newRow("just above") << 101 << "100";
    QTest::newRow("negative") << -3 << "8";
    QTest::newRow("smallest int") << INT_MIN << "8";
    QTest::newRow("largest int") << INT_MAX << "100";
}

void SpinEditTest::setValueClampsAndShows() {
    QFETCH(int, value);
    QFETCH(QString, shown);
    m_box->setValue(value);
    QCOMPARE(m_box->editor()->text(), shown);
}

// Every row runs twice: once by a click on an arrow, once by an arrow key.
void SpinEditTest::stepsByTwoAndClamps_data() {
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("shown");
    struct Row {
        const char* label;
        const char* start;
        bool up;
        const char* shown;
    };
    const Row rows[] = {
        {"up at 100 stays", "100", true, "100"},
        {"down at 8 stays", "8", false, "8"},
        {"up from 50", "50", true, "52"},
        {"down from 50", "50", false, "48"},
        {"odd 51 up stays odd", "51", true, "53"},
        {"odd 51 down stays odd", "51", false, "49"},
        {"99 up is clamped", "99", true, "100"},
        {"9 down is clamped", "9", false, "8"},
        {"typed 150 up", "150", true, "100"},
        {"typed 7 up", "7", true, "9"},
        {"empty reads 8 then up", "", true, "10"},
        {"lone minus down", "-", false, "8"},
        {"largest int up", "2147483647", true, "100"},
        {"smallest int down", "-2147483648", false, "8"},
    };
    for (const bool byKey : {false, true}) {
        for (const Row& row : rows) {
            const QByteArray label = QByteArray(byKey ? "key: " : "click: ") + row.label;
            QTest::newRow(label.constData()) << byKey << QString::fromLatin1(row.start) << row.up
                                             << QString::fromLatin1(row.shown);
        }
    }
}

void SpinEditTest::stepsByTwoAndClamps() {
    QFETCH(bool, byKey);
    QFETCH(QString, start);
    QFETCH(bool, up);
    QFETCH(QString, shown);
    m_box->editor()->setText(start);
    if (byKey) {
        m_box->editor()->setFocus();
        QTest::keyClick(m_box->editor(), up ? Qt::Key_Up : Qt::Key_Down);
    } else {
        QTest::mouseClick(up ? m_box->upButton() : m_box->downButton(), Qt::LeftButton);
    }
    QCOMPARE(m_box->editor()->text(), shown);
}

void SpinEditTest::arrowStepsOnlyWhenReleasedOverIt() {
    QWidget* const up = m_box->upButton();
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(m_box->editor()->text(), QStringLiteral("50"));

    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(-4, -4));
    QCOMPARE(m_box->editor()->text(), QStringLiteral("50"));
    QVERIFY(!m_box->repeatTimer()->isActive());

    QTest::mouseClick(up, Qt::RightButton);
    QCOMPARE(m_box->editor()->text(), QStringLiteral("50"));

    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(m_box->editor()->text(), QStringLiteral("52"));
}

void SpinEditTest::heldArrowRepeatsWhilePointerIsOnIt() {
    QWidget* const down = m_box->downButton();
    QTimer* const clock = m_box->repeatTimer();
    QVERIFY(!clock->isActive());

    QTest::mousePress(down, Qt::LeftButton);
    QVERIFY(clock->isActive());
    QCOMPARE(clock->interval(), SpinEdit::kRepeatDelayMs);
    QCOMPARE(m_box->editor()->text(), QStringLiteral("50"));

    fire(clock);
    QCOMPARE(m_box->editor()->text(), QStringLiteral("48"));
    QCOMPARE(clock->interval(), SpinEdit::kRepeatIntervalMs);
    fire(clock);
    QCOMPARE(m_box->editor()->text(), QStringLiteral("46"));

    QTest::mouseMove(down, QPoint(-4, down->height() / 2));
    fire(clock);
    QCOMPARE(m_box->editor()->text(), QStringLiteral("46"));

    QTest::mouseMove(down, down->rect().center());
    fire(clock);
    QCOMPARE(m_box->editor()->text(), QStringLiteral("44"));

    QTest::mouseRelease(down, Qt::LeftButton);
    QCOMPARE(m_box->editor()->text(), QStringLiteral("42"));
    QVERIFY(!clock->isActive());
}

// Every row runs twice: leaving by Tab, and by a click on a push button whose
// handler must already read the settled value.
void SpinEditTest::leavingClampsTypedNumber_data() {
    QTest::addColumn<bool>("byClick");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("read");
    struct Row {
        const char* label;
        const char* typed;
        const char* shown;
        int read;
    };
    const Row rows[] = {
        {"150 becomes 100", "150", "100", 100}, {"101 becomes 100", "101", "100", 100},
        {"7 becomes 8", "7", "8", 8},           {"0 becomes 8", "0", "8", 8},
        {"negative becomes 8", "-4", "8", 8},   {"in range stays", "50", "50", 50},
        {"odd stays odd", "51", "51", 51},      {"emptied stays empty", "", "", 8},
        {"lone minus stays", "-", "-", 8},      {"fraction stays", "1.5", "1.5", 8},
    };
    for (const bool byClick : {false, true}) {
        for (const Row& row : rows) {
            const QByteArray label = QByteArray(byClick ? "button click: " : "tab: ") + row.label;
            QTest::newRow(label.constData()) << byClick << QString::fromLatin1(row.typed)
                                             << QString::fromLatin1(row.shown) << row.read;
        }
    }
}

void SpinEditTest::leavingClampsTypedNumber() {
    QFETCH(bool, byClick);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, read);
    typeInto(typed);
    int readByHandler = -1;
    connect(m_button, &QPushButton::clicked, m_box, [&] { readByHandler = m_box->value(); });
    if (byClick) {
        QTest::mouseClick(m_button, Qt::LeftButton);
        QCOMPARE(readByHandler, read);
    } else {
        QTest::keyClick(m_box->editor(), Qt::Key_Tab);
    }
    QVERIFY(m_button->hasFocus());
    QCOMPARE(m_box->editor()->text(), shown);
    QCOMPARE(m_box->value(), read);
}

void SpinEditTest::acceptedKeysEdit_data() {
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("result");
    const auto list = [](std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys) {
        QTestEventList events;
        for (const auto& [key, modifiers] : keys) {
            events.addKeyClick(key, modifiers);
        }
        return events;
    };
    QTest::newRow("digit") << list({{Qt::Key_7, {}}}) << "507";
    QTest::newRow("plus") << list({{Qt::Key_Plus, {}}}) << "50+";
    QTest::newRow("minus") << list({{Qt::Key_Minus, {}}}) << "50-";
    QTest::newRow("decimal point") << list({{Qt::Key_Period, {}}}) << "50.";
    QTest::newRow("keypad digit") << list({{Qt::Key_5, Qt::KeypadModifier}}) << "505";
    QTest::newRow("backspace") << list({{Qt::Key_Backspace, {}}}) << "5";
    QTest::newRow("home, delete") << list({{Qt::Key_Home, {}}, {Qt::Key_Delete, {}}}) << "0";
    QTest::newRow("left, digit") << list({{Qt::Key_Left, {}}, {Qt::Key_1, {}}}) << "510";
    QTest::newRow("select all, digit")
        << list({{Qt::Key_A, Qt::ControlModifier}, {Qt::Key_9, {}}}) << "9";
    QTest::newRow("digit, undo") << list({{Qt::Key_1, {}}, {Qt::Key_Z, Qt::ControlModifier}})
                                 << "50";
    QTest::newRow("escape") << list({{Qt::Key_Escape, {}}}) << "50";
    QTest::newRow("end, page up") << list({{Qt::Key_End, {}}, {Qt::Key_PageUp, {}}}) << "50";
}

void SpinEditTest::acceptedKeysEdit() {
    QFETCH(QTestEventList, keys);
    QFETCH(QString, result);
    QLineEdit* editor = m_box->editor();
    editor->setFocus();
    editor->end(false);
    const QSignalSpy beeps(m_box, &SpinEdit::beeped);
    keys.simulate(editor);
    QCOMPARE(editor->text(), result);
    QCOMPARE(beeps.count(), 0);
}

void SpinEditTest::refusedKeysBeepAndChangeNothing_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("letter") << int{Qt::Key_A} << Qt::KeyboardModifiers{};
    QTest::newRow("capital letter") << int{Qt::Key_Z} << Qt::KeyboardModifiers{Qt::ShiftModifier};
    QTest::newRow("alt and letter") << int{Qt::Key_X} << Qt::KeyboardModifiers{Qt::AltModifier};
    QTest::newRow("space") << int{Qt::Key_Space} << Qt::KeyboardModifiers{};
    QTest::newRow("return") << int{Qt::Key_Return} << Qt::KeyboardModifiers{};
    QTest::newRow("keypad enter") << int{Qt::Key_Enter}
                                  << Qt::KeyboardModifiers{Qt::KeypadModifier};
    QTest::newRow("comma in English") << int{Qt::Key_Comma} << Qt::KeyboardModifiers{};
    QTest::newRow("asterisk") << int{Qt::Key_Asterisk} << Qt::KeyboardModifiers{};
    QTest::newRow("equals") << int{Qt::Key_Equal} << Qt::KeyboardModifiers{};
}

void SpinEditTest::refusedKeysBeepAndChangeNothing() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QLineEdit* editor = m_box->editor();
    editor->setFocus();
    QCOMPARE(editor->selectedText(), QStringLiteral("50"));
    const QSignalSpy beeps(m_box, &SpinEdit::beeped);
    QTest::keyClick(editor, static_cast<Qt::Key>(key), modifiers);
    QCOMPARE(beeps.count(), 1);
    QCOMPARE(editor->text(), QStringLiteral("50"));
    QCOMPARE(editor->selectedText(), QStringLiteral("50"));
}

void SpinEditTest::decimalSeparatorFollowsLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<char>("typed");
    QTest::addColumn<bool>("accepted");
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("English point") << english << '.' << true;
    QTest::newRow("English comma") << english << ',' << false;
    QTest::newRow("German comma") << german << ',' << true;
    QTest::newRow("German point") << german << '.' << false;
}

void SpinEditTest::decimalSeparatorFollowsLocale() {
    QFETCH(QLocale, locale);
    QFETCH(char, typed);
    QFETCH(bool, accepted);
    QLocale::setDefault(locale);
    typeInto(QStringLiteral("1"));
    const QSignalSpy beeps(m_box, &SpinEdit::beeped);
    QTest::keyClick(m_box->editor(), typed);
    QCOMPARE(m_box->editor()->text(), accepted ? QStringLiteral("1") + QLatin1Char(typed) : "1");
    QCOMPARE(beeps.count(), accepted ? 0 : 1);
}

void SpinEditTest::pastedTextIsNotFiltered() {
    QApplication::clipboard()->setText(QStringLiteral("x 1,y"));
    QLineEdit* editor = m_box->editor();
    editor->setFocus();
    const QSignalSpy beeps(m_box, &SpinEdit::beeped);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor->text(), QStringLiteral("x 1,y"));
    QCOMPARE(beeps.count(), 0);
    QCOMPARE(m_box->value(), 8);

    QTest::keyClick(editor, Qt::Key_Tab);
    QCOMPARE(editor->text(), QStringLiteral("x 1,y"));
}

void SpinEditTest::focusFromElsewhereSelectsWholeText_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Tab from the box before") << "tab";
    QTest::newRow("Backtab from the button after") << "backtab";
    QTest::newRow("programmatic") << "call";
    QTest::newRow("press on an arrow") << "arrow";
}

void SpinEditTest::focusFromElsewhereSelectsWholeText() {
    QFETCH(QString, how);
    m_box->setValue(64);
    if (how == "tab") {
        m_other->setFocus();
        QTest::keyClick(m_other->editor(), Qt::Key_Tab);
    } else if (how == "backtab") {
        QTest::keyClick(m_button, Qt::Key_Backtab, Qt::ShiftModifier);
    } else if (how == "call") {
        m_box->setFocus();
    } else {
        QTest::mousePress(m_box->upButton(), Qt::LeftButton);
    }
    QVERIFY(m_box->editor()->hasFocus());
    QCOMPARE(m_box->editor()->selectedText(), QStringLiteral("64"));

    if (how == "arrow") {
        // The step that follows keeps the selection, so typing still replaces the number.
        QTest::mouseRelease(m_box->upButton(), Qt::LeftButton);
        QCOMPARE(m_box->editor()->selectedText(), QStringLiteral("66"));
    }
}

void SpinEditTest::clickIntoTextPlacesCaret() {
    QLineEdit* editor = m_box->editor();
    QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(2, editor->height() / 2));
    QVERIFY(editor->hasFocus());
    QVERIFY(!editor->hasSelectedText());
    QCOMPARE(editor->cursorPosition(), 0);
}

void SpinEditTest::arrowsSitInsideRightEdge() {
    const QRect box = m_box->rect();
    const QRect up = m_box->upButton()->geometry();
    const QRect down = m_box->downButton()->geometry();
    QVERIFY(box.contains(up));
    QVERIFY(box.contains(down));
    QVERIFY(box.right() - up.right() <= 3);
    QVERIFY(up.left() > box.width() / 2);
    QCOMPARE(up.left(), down.left());
    QVERIFY(up.bottom() < down.top());
    QCOMPARE(m_box->upButton()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(m_box->downButton()->focusPolicy(), Qt::NoFocus);
    QVERIFY(m_box->editor()->textMargins().right() >= up.width());
}

QTEST_MAIN(SpinEditTest)
#include "spin_edit_test.moc"
