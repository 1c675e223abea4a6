#include "main_window/main_window.h"
#include "main_window/unsaved_edits_guard.h"
#include "platform/native_file_system.h"
#include "platform/recovery_folder.h"
#include "platform/settings_store.h"
#include "platform/translations.h"
#include "playlist_file/information_request.h"
#include "songbinder_version.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>

namespace {

void nameTheProgram() {
    // Also where QSettings keeps the settings: ~/.config/Songbinder/Songbinder.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("Songbinder"));
    QCoreApplication::setApplicationName(QStringLiteral("Songbinder"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(songbinder::kVersion));
}

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// --help and --version answer in a terminal without a display.
int answerInTerminal(int argc, char* argv[], InformationRequest request) {
    QCoreApplication app(argc, argv);
    nameTheProgram();
    installTranslations(app, QLocale());
    std::fputs(informationText(request).toLocal8Bit().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const InformationRequest request = informationRequested(argumentsOf(argc, argv));
        request != InformationRequest::None)
        return answerInTerminal(argc, argv, request);

    QApplication app(argc, argv);
    nameTheProgram();
    QApplication::setDesktopFileName(QStringLiteral("org.songbinder.Songbinder"));
    installTranslations(app, QLocale());
    const std::unique_ptr<SettingsStore> settings =
        SettingsStore::forThisRun(QGuiApplication::platformName());

    // Never freed: a folder listing hung in a read on a dead mount is not
    // waited for when the program ends, and may still be inside it then.
    static NativeFileSystem* const nativeFileSystem = new NativeFileSystem;
    NativeFileSystem& fileSystem = *nativeFileSystem;
    MainWindow window(fileSystem);
    window.useSettings(*settings);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    // Unsaved edits outlive a crash, a kill or a logout.
    UnsavedEditsGuard guard(window, fileSystem, RecoveryFolder::standardLocation());
    window.startUp(arguments, guard.offerRecoveryStep());
    guard.start();
    // After the command-line playlist's boxes, as ever.
    window.showAfterStartUp();
    const int status = QApplication::exec();
    guard.finish();
    return status;
}
