#include "about/about.h"

#include "songbinder_version.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

// The window was laid out in twips, 15 to a pixel.
int px(int twips) {
    return qRound(twips / 15.0);
}

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QFont labelFont(qreal points, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setGeometry(geometry);
    return label;
}

} // namespace

QString aboutVersionLine(int major, int minor, int revision) {
    return QStringLiteral("Songbinder %1.%2.%3").arg(major).arg(minor).arg(revision);
}

About::About(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About Songbinder"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setFixedSize(px(3204), px(2436));

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(twipsRect(30, 30, 3135, 2370));

    lblAbout = addLabel(this, "lblAbout", QStringLiteral("Author:"), twipsRect(60, 630, 3075, 255));
    lblAbout2 = addLabel(this, "lblAbout2", QStringLiteral("The Songbinder developers"),
                         twipsRect(150, 930, 2925, 495));
    lblAbout2->setFont(labelFont(9.6, false));
    Label1 = addLabel(this, "Label1",
                      aboutVersionLine(songbinder::kVersionMajor, songbinder::kVersionMinor,
                                       songbinder::kVersionPatch),
                      twipsRect(120, 150, 2925, 375));
    Label1->setFont(labelFont(12, true));

    cmdClose = new QPushButton(QStringLiteral("OK"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(twipsRect(1140, 1680, 855, 375));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void About::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen, not on the main window, by its outer size;
    // move() places the outer frame.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = frameGeometry().size();
    move(area.topLeft() +
         QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2));
}

void showAboutWindow(QWidget* parent) {
    About about(parent);
    about.exec();
}
