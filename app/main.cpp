#include "main_window/main_window.h"
#include "platform/native_file_system.h"
#include "songbinder_version.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Songbinder"));
    QApplication::setApplicationVersion(QString::fromLatin1(songbinder::kVersion));
    QApplication::setDesktopFileName(QStringLiteral("org.songbinder.Songbinder"));

    NativeFileSystem fileSystem;
    MainWindow window(fileSystem);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    window.startUp(arguments);
    window.show();
    return QApplication::exec();
}
