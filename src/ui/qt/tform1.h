#pragma once

#include <QWidget>
#include <cstdint>

#include "commands/window_controls.h"
#include "model/maze_state.h"
#include "model/seeded_random.h"
#include "picture/raster_picture.h"

class QLabel;
class QPushButton;

namespace nitka {

class PictureWidget;
class SpinEdit;

// The program's one window. It owns the maze state, the picture and the random
// source, lays out the controls, and hands each click to the maze command that
// serves it; a file error ends the command and lands in the error box here.
class TForm1 final : public QWidget, private WindowControls {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 953;
    static constexpr int kClientHeight = 850;

    // seed: where the window's random source starts; main passes the clock's.
    explicit TForm1(std::uint64_t seed, QWidget* parent = nullptr);
    ~TForm1() override;

    // Read-only views for tests.
    const MazeState& maze() const { return m_maze; }
    const RasterPicture& picture() const { return m_picture; }

    void BtGoClick();
    void BtCheminClick();
    void Button4Click();
    void Button5Click();
    void Button6Click();

private:
    void FormCreate(std::uint64_t seed);
    void createControls();
    // Runs one click handler; no exception gets past it into the event loop.
    template <typename Handler>
    void runHandler(Handler&& handler);

    int spinValue(SpinBox box) const override;
    void setSpinValue(SpinBox box, int value) override;
    void setRouteCaption(std::string_view caption) override;
    void showNotice(std::string_view text) override;

    MazeState m_maze;
    SeededRandom m_random;
    RasterPicture m_picture;

    PictureWidget* Laby = nullptr;
    SpinEdit* SpinEdit1 = nullptr;
    SpinEdit* SpinEdit2 = nullptr;
    QPushButton* BtGo = nullptr;
    QPushButton* BtChemin = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
};

}  // namespace nitka
