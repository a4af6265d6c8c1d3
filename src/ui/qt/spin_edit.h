#pragma once

#include <QWidget>

class QLineEdit;
class QTimer;

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
    static constexpr int kRepeatDelayMs = 400;
    static constexpr int kRepeatIntervalMs = 100;

    explicit SpinEdit(QWidget* parent = nullptr);

    // The text as an integer, unclamped; text that is no 32-bit integer (empty,
    // a lone sign, a fraction, too many digits) reads as MinValue.
    int value() const;
    // Clamps into MinValue..MaxValue and shows the result.
    void setValue(int value);

    QLineEdit* editor() const;
    QWidget* upButton() const;
    QWidget* downButton() const;
    // The clock of a held arrow button: it runs only while one is held, first
    // with kRepeatDelayMs, then kRepeatIntervalMs. Exposed so tests can fire
    // it instead of waiting for it.
    QTimer* repeatTimer() const { return m_repeat; }

signals:
    // Emitted with every refusal beep, so a refusal can be observed without sound.
    void beeped();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Editor;
    class ArrowButton;

    void step(int delta);
    void refuse();
    void clampToBounds();
    void beginRepeat(ArrowButton* button);
    void endRepeat();
    void repeatTick();

    Editor* m_editor;
    ArrowButton* m_up;
    ArrowButton* m_down;
    QTimer* m_repeat;
    ArrowButton* m_heldButton = nullptr;
};

}  // namespace nitka
