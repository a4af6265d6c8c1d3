#include <QApplication>
#include <QScreen>
#include <csignal>

#include "model/seeded_random.h"
#include "ui/qt/app_identity.h"
#include "ui/qt/tform1.h"

int main(int argc, char* argv[]) {
    // A file-size limit makes an oversized write fail with an error the SAVE
    // command reports, instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication application(argc, argv);
    // The title goes into the application name, not the display name: Qt would
    // append a display name to every window caption.
    QApplication::setApplicationName(nitka::applicationTitle());
    QApplication::setWindowIcon(nitka::applicationIcon());

    nitka::TForm1 window(nitka::clockSeed());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area(QPoint(0, 0), window.size());
        area.moveCenter(screen->availableGeometry().center());
        window.move(area.topLeft());
    }
    window.show();
    return QApplication::exec();
}
