#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdint>

#include "ui/qt/spin_edit.h"
#include "ui/qt/tform1.h"

#ifndef NITKA_MAZE_EXE
#error "NITKA_MAZE_EXE must name the built nitka-maze"
#endif

namespace nitka {

// The promise that joins the two programs: for the window's sizes,
// `nitka-maze generate --seed S` writes the bytes the window's SAVE writes
// after its first "Depth-First" press in a window seeded with S.
class CompanionTest : public QObject {
    Q_OBJECT

private:
    template <typename T>
    static T* child(const TForm1& window, const char* name) {
        T* widget = window.findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no child %s", name);
        }
        return widget;
    }

    static QByteArray readAll(const QString& name) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return file.readAll();
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        QFile::remove(QStringLiteral("labird.txt"));
    }

    void generateWritesWhatTheWindowSaves_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<quint64>("seed");
        QTest::newRow("smallest") << 8 << 8 << quint64{1};
        QTest::newRow("default size") << 50 << 50 << quint64{2026};
        QTest::newRow("largest") << 100 << 100 << quint64{7};
        QTest::newRow("wide") << 100 << 8 << quint64{123456789};
        QTest::newRow("tall") << 14 << 96 << quint64{0};
        QTest::newRow("cell size 11") << 62 << 70 << quint64{42};
        QTest::newRow("largest seed") << 72 << 36 << quint64{UINT64_MAX};
    }

    void generateWritesWhatTheWindowSaves() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(quint64, seed);

        TForm1 window(seed);
        child<SpinEdit>(window, "SpinEdit1")->setValue(width);
        child<SpinEdit>(window, "SpinEdit2")->setValue(height);
        QTest::mouseClick(child<QPushButton>(window, "BtGo"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, "Button5"), Qt::LeftButton);
        const QByteArray saved = readAll(QStringLiteral("labird.txt"));
        QVERIFY(saved.startsWith(QByteArray::number(width) + "  " + QByteArray::number(height)));

        QProcess tool;
        tool.start(QStringLiteral(NITKA_MAZE_EXE),
                   {QStringLiteral("generate"), QStringLiteral("-W"), QString::number(width),
                    QStringLiteral("-H"), QString::number(height), QStringLiteral("--seed"),
                    QString::number(seed)});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(tool.readAllStandardError(), QByteArray());
        // Compared whole only after the sizes agree, so a failure shows little.
        const QByteArray generated = tool.readAllStandardOutput();
        QCOMPARE(generated.size(), saved.size());
        QVERIFY(generated == saved);
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace nitka

QTEST_MAIN(nitka::CompanionTest)
#include "companion_test.moc"
