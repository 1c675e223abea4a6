#include "main_window/main_window.h"
#include "main_window/unsaved_edits_guard.h"
#include "platform/native_file_system.h"
#include "platform/recovery_folder.h"
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
    // Unsaved edits outlive a crash, a kill or a logout.
    UnsavedEditsGuard guard(window, fileSystem, RecoveryFolder::standardLocation());
    window.startUp(arguments, guard.offerRecoveryStep());
    guard.start();
    window.show();
    const int status = QApplication::exec();
    guard.finish();
    return status;
}
