// Wiring of the buttons, menus and drops to the commands.
#include "main_window/main_window.h"

#include "main_window/file_list_box.h"
#include "main_window/playlist_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QPushButton>

void Form1::wireCommands() {}

QString Form1::captureCandidate(const QStringList& arguments) const {
    return arguments.join(QLatin1Char(' ')).remove(QLatin1Char('"')).trimmed();
}

void Form1::openCandidate(const QString& candidate) {
    Q_UNUSED(candidate);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
}
