#pragma once

#include <QWidget>

class QLineEdit;

namespace nitka {

// A numeric box with arrow buttons that keeps 8..100 in steps of 2 the way the
// program's users know it: reading never clamps, setting and stepping do, and
// leaving the box clamps what was typed.
class SpinEdit final : public QWidget {
    Q_OBJECT
public:
    static constexpr int MinValue = 8;
    static constexpr int MaxValue = 100;
    static constexpr int Increment = 2;

    explicit SpinEdit(QWidget* parent = nullptr);

    // The text as an integer, unclamped; text that is no integer reads as MinValue.
    int value() const;
    // Clamps into MinValue..MaxValue and shows the result.
    void setValue(int value);

    QLineEdit* editor() const { return m_editor; }

private:
    QLineEdit* m_editor;
};

}  // namespace nitka
