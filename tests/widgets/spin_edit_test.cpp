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
#include <tuple>
#include <utility>

#include "ui/qt/spin_edit.h"

using nitka::SpinEdit;

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

// Drives the repeat clock one tick without waiting for it.
void fire(QTimer* clock) {
    QVERIFY(clock->isActive());
    QTimerEvent tick(clock->timerId());
    QCoreApplication::sendEvent(clock, &tick);
}

}  // namespace

// A window with the box under test before a push button in the tab order, so
// focus can arrive from the button and leave to it.
class SpinEditTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void readsTextWithoutClamping_data();
    void readsTextWithoutClamping();
    void stepsByTwoAndClamps_data();
    void stepsByTwoAndClamps();
    void heldArrowStepsOnReleaseAndRepeatsWhilePointerIsOnIt();
    void leavingClampsTypedNumber_data();
    void leavingClampsTypedNumber();
    void keyFilter_data();
    void keyFilter();
    void focusSelectsWholeTextUnlessClickedIntoText();

private:
    QLineEdit* editor() const { return m_box->editor(); }

    std::unique_ptr<QWidget> m_window;
    SpinEdit* m_box = nullptr;
    QPushButton* m_button = nullptr;
};

void SpinEditTest::init() {
    QLocale::setDefault(kEnglish);
    m_window = std::make_unique<QWidget>();
    m_box = new SpinEdit(m_window.get());
    m_box->setGeometry(10, 10, 65, 30);
    m_button = new QPushButton(QStringLiteral("Go"), m_window.get());
    m_button->setGeometry(10, 60, 80, 30);
    QWidget::setTabOrder(m_box, m_button);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_button->setFocus();
    QCOMPARE(editor()->text(), QStringLiteral("50"));
}

// Reading never clamps; setting back what was read does.
void SpinEditTest::readsTextWithoutClamping_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("read");
    QTest::addColumn<QString>("setBack");
    QTest::newRow("above range, still typing") << "150" << 150 << "100";
    QTest::newRow("plus sign") << "+12" << 12 << "12";
    QTest::newRow("pasted with blanks") << " -5 " << -5 << "8";
    QTest::newRow("largest int") << "2147483647" << INT_MAX << "100";
    QTest::newRow("smallest int") << "-2147483648" << INT_MIN << "8";
    QTest::newRow("empty") << "" << 8 << "8";
    QTest::newRow("lone minus") << "-" << 8 << "8";
    QTest::newRow("two signs") << "+-5" << 8 << "8";
    QTest::newRow("fraction") << "1.5" << 8 << "8";
    QTest::newRow("one past largest int") << "2147483648" << 8 << "8";
    QTest::newRow("non-Latin digits") << QStringLiteral("\u0665\u0660") << 8 << "8";
}

void SpinEditTest::readsTextWithoutClamping() {
    QFETCH(QString, text);
    QFETCH(int, read);
    QFETCH(QString, setBack);
    editor()->setText(text);
    QCOMPARE(m_box->value(), read);
    QCOMPARE(editor()->text(), text);
    m_box->setValue(read);
    QCOMPARE(editor()->text(), setBack);
}

// Every row runs twice: once by a click on an arrow, once by an arrow key.
void SpinEditTest::stepsByTwoAndClamps_data() {
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("shown");
    const std::tuple<const char*, bool, const char*> rows[] = {
        {"100", true, "100"},       {"8", false, "8"},   {"51", true, "53"},
        {"51", false, "49"},        {"99", true, "100"}, {"150", true, "100"},
        {"", true, "10"},           {"-", false, "8"},   {"2147483647", true, "100"},
        {"-2147483648", false, "8"}};
    for (const bool byKey : {false, true}) {
        for (const auto& [start, up, shown] : rows) {
            QTest::addRow("%s '%s' %s", byKey ? "key" : "click", start, up ? "up" : "down")
                << byKey << QString::fromLatin1(start) << up << QString::fromLatin1(shown);
        }
    }
}

void SpinEditTest::stepsByTwoAndClamps() {
    QFETCH(bool, byKey);
    QFETCH(QString, start);
    QFETCH(bool, up);
    QFETCH(QString, shown);
    editor()->setText(start);
    if (byKey) {
        editor()->setFocus();
        QTest::keyClick(editor(), up ? Qt::Key_Up : Qt::Key_Down);
    } else {
        QTest::mouseClick(up ? m_box->upButton() : m_box->downButton(), Qt::LeftButton);
    }
    QCOMPARE(editor()->text(), shown);
}

void SpinEditTest::heldArrowStepsOnReleaseAndRepeatsWhilePointerIsOnIt() {
    QWidget* const down = m_box->downButton();
    QTimer* const clock = m_box->repeatTimer();
    QTest::mousePress(down, Qt::LeftButton);
    QCOMPARE(clock->interval(), SpinEdit::kRepeatDelayMs);
    QCOMPARE(editor()->text(), QStringLiteral("50"));
    fire(clock);
    QCOMPARE(editor()->text(), QStringLiteral("48"));
    QCOMPARE(clock->interval(), SpinEdit::kRepeatIntervalMs);

    const QPoint outside(-4, down->height() / 2);
    QTest::mouseMove(down, outside);
    fire(clock);
    QCOMPARE(editor()->text(), QStringLiteral("48"));
    QTest::mouseMove(down, down->rect().center());
    fire(clock);
    QCOMPARE(editor()->text(), QStringLiteral("46"));

    QTest::mouseRelease(down, Qt::LeftButton, {}, outside);
    QCOMPARE(editor()->text(), QStringLiteral("46"));
    QVERIFY(!clock->isActive());
}

// Every row runs twice: leaving by Tab, and by a click on a push button whose
// handler must already read the settled value.
void SpinEditTest::leavingClampsTypedNumber_data() {
    QTest::addColumn<bool>("byClick");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const std::pair<const char*, const char*> rows[] = {{"150", "100"}, {"7", "8"}, {"-4", "8"},
                                                        {"51", "51"},   {"", ""},   {"-", "-"},
                                                        {"1.5", "1.5"}};
    for (const bool byClick : {false, true}) {
        for (const auto& [typed, shown] : rows) {
            QTest::addRow("%s: '%s' leaves '%s'", byClick ? "button click" : "tab", typed, shown)
                << byClick << QString::fromLatin1(typed) << QString::fromLatin1(shown);
        }
    }
}

void SpinEditTest::leavingClampsTypedNumber() {
    QFETCH(bool, byClick);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    editor()->setFocus();
    editor()->setText(typed);
    int readByHandler = -1;
    connect(m_button, &QPushButton::clicked, m_box, [&] { readByHandler = m_box->value(); });
    if (byClick) {
        QTest::mouseClick(m_button, Qt::LeftButton);
        QCOMPARE(readByHandler, m_box->value());
    } else {
        QTest::keyClick(editor(), Qt::Key_Tab);
    }
    QVERIFY(m_button->hasFocus());
    QCOMPARE(editor()->text(), shown);
}

// One key pressed after "50" with the caret at its end; a refused one beeps
// and leaves "50" as it was.
void SpinEditTest::keyFilter_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("result");
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    QTest::newRow("digit") << kEnglish << Qt::Key_7 << none << "507";
    QTest::newRow("plus") << kEnglish << Qt::Key_Plus << none << "50+";
    QTest::newRow("minus") << kEnglish << Qt::Key_Minus << none << "50-";
    QTest::newRow("English point") << kEnglish << Qt::Key_Period << none << "50.";
    QTest::newRow("German comma") << kGerman << Qt::Key_Comma << none << "50,";
    QTest::newRow("backspace") << kEnglish << Qt::Key_Backspace << none << "5";
    QTest::newRow("paste is not filtered") << kEnglish << Qt::Key_V << ctrl << "50x 1,y";
    QTest::newRow("letter") << kEnglish << Qt::Key_A << none << "50";
    QTest::newRow("alt and letter") << kEnglish << Qt::Key_X << alt << "50";
    QTest::newRow("return") << kEnglish << Qt::Key_Return << none << "50";
    QTest::newRow("keypad enter") << kEnglish << Qt::Key_Enter
                                  << Qt::KeyboardModifiers{Qt::KeypadModifier} << "50";
    QTest::newRow("English comma") << kEnglish << Qt::Key_Comma << none << "50";
    QTest::newRow("German point") << kGerman << Qt::Key_Period << none << "50";
}

void SpinEditTest::keyFilter() {
    QFETCH(QLocale, locale);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, result);
    QLocale::setDefault(locale);
    QApplication::clipboard()->setText(QStringLiteral("x 1,y"));
    editor()->setFocus();
    editor()->end(false);
    const QSignalSpy beeped(m_box, &SpinEdit::beeped);
    QTest::keyClick(editor(), key, modifiers);
    QCOMPARE(editor()->text(), result);
    QCOMPARE(beeped.count(), result == QStringLiteral("50") ? 1 : 0);
}

void SpinEditTest::focusSelectsWholeTextUnlessClickedIntoText() {
    m_box->setValue(64);
    QTest::keyClick(m_button, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(editor()->hasFocus());
    QCOMPARE(editor()->selectedText(), QStringLiteral("64"));

    m_button->setFocus();
    QTest::mouseClick(editor(), Qt::LeftButton, {}, QPoint(2, editor()->height() / 2));
    QVERIFY(editor()->hasFocus());
    QVERIFY(!editor()->hasSelectedText());

    // The arrow hands the focus to the text, and its step keeps the whole text
    // selected so that typing still replaces the number.
    m_button->setFocus();
    QTest::mouseClick(m_box->upButton(), Qt::LeftButton);
    QVERIFY(editor()->hasFocus());
    QCOMPARE(editor()->selectedText(), QStringLiteral("66"));
}

QTEST_MAIN(SpinEditTest)
#include "spin_edit_test.moc"
