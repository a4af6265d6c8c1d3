#include "ui/qt/tform1.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "ui/qt/spin_edit.h"

namespace nitka {

// Drives the real window under the offscreen platform.
class TForm1Test : public QObject {
    Q_OBJECT

private:
    static constexpr std::uint64_t kSeed = 2026;

    template <typename T>
    T* child(const TForm1& window, const char* name) {
        T* widget = window.findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no child %s", name);
        }
        return widget;
    }

    // Clicks a button whose handler opens a modal box; records the box and closes it.
    struct SeenBox {
        int count = 0;
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };
    SeenBox clickThroughBoxes(QPushButton* button) {
        SeenBox seen;
        // The boxes are modal: their own event loop runs this timer.
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&seen] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++seen.count;
                seen.title = box->windowTitle();
                seen.text = box->text();
                seen.icon = box->icon();
                box->accept();
            }
        });
        watcher.start(10);
        QTest::mouseClick(button, Qt::LeftButton);
        return seen;
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
    }

    void laysOutEveryControlWhereUsersExpectIt_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Laby") << "Laby" << QRect(0, 0, 825, 820);
        QTest::newRow("BtGo") << "BtGo" << QRect(834, 87, 97, 34);
        QTest::newRow("BtChemin") << "BtChemin" << QRect(836, 142, 95, 33);
        QTest::newRow("SpinEdit1") << "SpinEdit1" << QRect(853, 225, 65, 30);
        QTest::newRow("SpinEdit2") << "SpinEdit2" << QRect(854, 305, 65, 30);
        QTest::newRow("Button4") << "Button4" << QRect(834, 369, 97, 33);
        QTest::newRow("Button5") << "Button5" << QRect(834, 420, 97, 33);
        QTest::newRow("Button6") << "Button6" << QRect(834, 471, 97, 33);
    }

    void laysOutEveryControlWhereUsersExpectIt() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        TForm1 window(kSeed);
        auto* widget = window.findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->geometry(), geometry);
    }

    void windowIsFixedSizeWithItsCaptionAndNoMaximise() {
        TForm1 window(kSeed);
        QCOMPARE(window.size(), QSize(953, 850));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.windowTitle(), QStringLiteral("Depth-First метод построения лабиринтов"));
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    void labelsAndButtonsCarryTheirTextsAndFonts() {
        TForm1 window(kSeed);
        const auto* title = child<QLabel>(window, "Label2");
        QCOMPARE(title->text(), QStringLiteral("Лабиринт"));
        QCOMPARE(title->font().pixelSize(), 19);
        QVERIFY(title->font().bold());
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(child<QLabel>(window, "Label4")->palette().color(QPalette::WindowText),
                 QColor(0, 128, 128));
        QCOMPARE(child<QLabel>(window, "Label6")->text(), QStringLiteral("width"));
        QCOMPARE(child<QLabel>(window, "Label5")->text(), QStringLiteral("height"));
        QCOMPARE(child<QLabel>(window, "Label6")->pos(), QPoint(863, 195));
        QCOMPARE(child<QPushButton>(window, "BtGo")->text(), QStringLiteral("Depth-First"));
        QCOMPARE(child<QPushButton>(window, "BtChemin")->text(), QStringLiteral("SOLVE"));
        QCOMPARE(child<QPushButton>(window, "Button6")->font().pixelSize(), 16);
        QCOMPARE(child<SpinEdit>(window, "SpinEdit1")->value(), 50);
        QCOMPARE(child<SpinEdit>(window, "SpinEdit2")->value(), 50);
        QVERIFY(!child<QPushButton>(window, "BtGo")->isDefault());
        QVERIFY(!child<QPushButton>(window, "BtGo")->autoDefault());
    }

    void tabOrderRunsFromDepthFirstToExit() {
        TForm1 window(kSeed);
        const char* order[] = {"BtGo",    "BtChemin", "SpinEdit1", "SpinEdit2",
                               "Button4", "Button5",  "Button6"};
        for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
            QWidget* from = child<QWidget>(window, order[i]);
            QWidget* to = child<QWidget>(window, order[i + 1]);
            QWidget* next = from->focusProxy() != nullptr ? from->focusProxy() : from;
            do {
                next = next->nextInFocusChain();
            } while (!(next->focusPolicy() & Qt::TabFocus) || !next->isEnabledTo(&window));
            QVERIFY2(next == to || next == to->focusProxy() || to->isAncestorOf(next),
                     order[i + 1]);
        }
    }

    void oddSizeBringsExactlyOneNotice() {
        TForm1 window(kSeed);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        child<SpinEdit>(window, "SpinEdit1")->setValue(9);
        child<SpinEdit>(window, "SpinEdit2")->setValue(9);
        const SeenBox seen = clickThroughBoxes(child<QPushButton>(window, "BtGo"));
        QCOMPARE(seen.count, 1);
        QCOMPARE(seen.title, QStringLiteral("Лабиринт"));
        QCOMPARE(seen.text, QStringLiteral("Числа ширины и высоты должны быть чётными!"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(window.maze().MazeReady, std::uint8_t{1});
    }

    void fileErrorEndsTheClickInTheErrorBox() {
        TForm1 window(kSeed);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const SeenBox seen = clickThroughBoxes(child<QPushButton>(window, "Button4"));
        QCOMPARE(seen.count, 1);
        QCOMPARE(seen.title, QStringLiteral("Лабиринт Nitka"));
        QCOMPARE(seen.text, QStringLiteral("File not found."));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(window.maze().MazeReady, std::uint8_t{0});
        QCOMPARE(child<QPushButton>(window, "BtChemin")->text(), QStringLiteral("SOLVE"));
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace nitka

QTEST_MAIN(nitka::TForm1Test)
#include "tform1_test.moc"
