#pragma once

#include <QWidget>

#include "picture/raster_picture.h"

namespace nitka {

// Shows a RasterPicture and nothing else: no input, no state of its own. Before
// the picture has a bitmap it shows the window's background.
class PictureWidget final : public QWidget, private PictureDisplay {
    Q_OBJECT
public:
    // Registers itself as the picture's display; the owner of both detaches it
    // before the picture goes.
    PictureWidget(RasterPicture& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void scheduleRedraw() override;
    void redrawNow() override;

    RasterPicture& m_picture;
};

}  // namespace nitka
