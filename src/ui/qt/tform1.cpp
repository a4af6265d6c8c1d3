#include "ui/qt/tform1.h"

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <exception>

#include "commands/file_commands.h"
#include "commands/generate_command.h"
#include "commands/solve_command.h"
#include "storage/file_error.h"
#include "ui/qt/app_identity.h"
#include "ui/qt/fonts.h"
#include "ui/qt/message_boxes.h"
#include "ui/qt/picture_widget.h"
#include "ui/qt/spin_edit.h"

namespace nitka {
namespace {

const QColor kNavy(0, 0, 128);
const QColor kTeal(0, 128, 128);

// The window's colour is the style's button face; the picture paints it as its
// background colour too, so that cleared areas match the window.
QColor buttonFace() {
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

Pixel toPixel(const QColor& colour) {
    return rgb(colour.red(), colour.green(), colour.blue());
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                  int pixelHeight, const QColor* colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(msSansSerif(pixelHeight, true));
    if (colour != nullptr) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, *colour);
        label->setPalette(palette);
    }
    label->move(left, top);
    label->adjustSize();
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text,
                        const QRect& geometry, bool blackText) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(msSansSerif(16, true));
    button->setAutoDefault(false);
    button->setDefault(false);
    if (blackText) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, Qt::black);
        button->setPalette(palette);
    }
    button->setGeometry(geometry);
    return button;
}

}  // namespace

TForm1::TForm1(std::uint64_t seed, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_picture(toPixel(buttonFace())) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Depth-First метод построения лабиринтов"));
    setWindowIcon(applicationIcon());
    setFixedSize(kClientWidth, kClientHeight);
    setFont(msSansSerif(11, false));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, buttonFace());
    setPalette(palette);
    setAutoFillBackground(true);

    createControls();
    FormCreate(seed);
}

TForm1::~TForm1() {
    // The picture dies with the window's members, before Qt deletes the child
    // widget that shows it: nothing may tell that widget to redraw any more.
    m_picture.setDisplay(nullptr);
}

void TForm1::FormCreate(std::uint64_t seed) {
    // The maze state took its start-up values with the window; only the random
    // source is left to seed, once per run.
    m_random.seed(seed);
}

void TForm1::createControls() {
    Laby = new PictureWidget(m_picture, this);
    Laby->setObjectName(QStringLiteral("Laby"));
    Laby->setGeometry(0, 0, RasterPicture::kWidth, RasterPicture::kHeight);

    makeLabel(this, "Label2", QStringLiteral("Лабиринт"), 838, 10, 19, &kNavy);
    makeLabel(this, "Label3", QStringLiteral("Nitka"), 857, 38, 19, &kNavy);
    makeLabel(this, "Label4", QStringLiteral("Nitka: лабиринт, путь и файл labird.txt"), 32, 821,
              16, &kTeal);
    makeLabel(this, "Label6", QStringLiteral("width"), 863, 195, 16, nullptr);
    makeLabel(this, "Label5", QStringLiteral("height"), 860, 276, 16, nullptr);

    BtGo = makeButton(this, "BtGo", QStringLiteral("Depth-First"), {834, 87, 97, 34}, false);
    BtChemin = makeButton(this, "BtChemin", QStringLiteral("SOLVE"), {836, 142, 95, 33}, false);

    SpinEdit1 = new SpinEdit(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setGeometry(853, 225, 65, 30);
    SpinEdit2 = new SpinEdit(this);
    SpinEdit2->setObjectName(QStringLiteral("SpinEdit2"));
    SpinEdit2->setGeometry(854, 305, 65, 30);
    for (SpinEdit* box : {SpinEdit1, SpinEdit2}) {
        box->setFont(msSansSerif(16, false));
    }

    Button4 = makeButton(this, "Button4", QStringLiteral("LOAD"), {834, 369, 97, 33}, true);
    Button5 = makeButton(this, "Button5", QStringLiteral("SAVE"), {834, 420, 97, 33}, true);
    Button6 = makeButton(this, "Button6", QStringLiteral("EXIT"), {834, 471, 97, 33}, true);

    QWidget::setTabOrder(BtGo, BtChemin);
    QWidget::setTabOrder(BtChemin, SpinEdit1);
    QWidget::setTabOrder(SpinEdit1, SpinEdit2);
    QWidget::setTabOrder(SpinEdit2, Button4);
    QWidget::setTabOrder(Button4, Button5);
    QWidget::setTabOrder(Button5, Button6);

    connect(BtGo, &QPushButton::clicked, this, &TForm1::BtGoClick);
    connect(BtChemin, &QPushButton::clicked, this, &TForm1::BtCheminClick);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
}

template <typename Handler>
void TForm1::runHandler(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        // What the handler changed before the error stays changed.
        showErrorBox(this, QString::fromStdString(error.what()));
    } catch (...) {
        showErrorBox(this, QStringLiteral("Unexpected error"));
    }
}

void TForm1::BtGoClick() {
    runHandler([this] { nitka::BtGoClick(m_maze, *this, m_picture, m_random); });
}

void TForm1::BtCheminClick() {
    runHandler([this] { nitka::BtCheminClick(m_maze, *this, m_picture); });
}

void TForm1::Button4Click() {
    runHandler([this] { nitka::Button4Click(m_maze, *this, m_picture); });
}

void TForm1::Button5Click() {
    runHandler([this] { nitka::Button5Click(m_maze); });
}

void TForm1::Button6Click() {
    // Ends the run as closing the window does: nothing is asked, nothing saved.
    QCoreApplication::exit(0);
}

int TForm1::spinValue(SpinBox box) const {
    return (box == SpinBox::SpinEdit1 ? SpinEdit1 : SpinEdit2)->value();
}

void TForm1::setSpinValue(SpinBox box, int value) {
    (box == SpinBox::SpinEdit1 ? SpinEdit1 : SpinEdit2)->setValue(value);
}

void TForm1::setRouteCaption(std::string_view caption) {
    BtChemin->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void TForm1::showNotice(std::string_view text) {
    showNoticeBox(this, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace nitka
