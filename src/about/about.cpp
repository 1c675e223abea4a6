#include "about/about.h"

#include "platform/window_placement.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

QFont labelFont(qreal points, bool bold) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

template <typename W> W* placed(W* widget, const char* name, const QRect& geometry) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* centredLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
    auto* label = placed(new QLabel(text, parent), name, rect);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

} // namespace

QString aboutVersionLine(const QString& version) {
    return AboutWindow::tr("Songbinder %1").arg(version);
}

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(tr("About Songbinder"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    // A small card of fixed size: a frame around the name, the author and OK.
    setFixedSize(214, 162);
    auto* frame = placed(new QFrame(this), "frame", QRect(2, 2, 209, 158));
    frame->setFrameShape(QFrame::Box);

    QLabel* version =
        centredLabel(this, "versionLabel", aboutVersionLine(QCoreApplication::applicationVersion()),
                     QRect(8, 10, 195, 25));
    version->setFont(labelFont(12, true));
    centredLabel(this, "authorCaptionLabel", tr("Author:"), QRect(4, 42, 205, 17));
    QLabel* author =
        centredLabel(this, "authorLabel", tr("The Songbinder developers"), QRect(10, 62, 195, 33));
    author->setFont(labelFont(9.6, false));

    auto* ok = placed(new QPushButton(tr("OK"), this), "okButton", QRect(76, 112, 57, 25));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen, not on the main window, each time it opens.
    centreOnScreen(this);
}

void showAboutWindow(QWidget* parent) {
    AboutWindow about(parent);
    about.exec();
}
