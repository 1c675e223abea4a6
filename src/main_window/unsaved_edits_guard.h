#pragma once

#include "main_window/main_window.h"

#include <QObject>

#include <memory>

class FileSystem;
class QSessionManager;
class RecoveryFolder;
class RecoveryKeeper;
class TerminationSignals;

// What keeps the window's unsaved edits beyond the program's end: the
// recovery copy written a few seconds after each change and offered at the
// next start, a copy written at once when SIGTERM, SIGHUP or SIGINT ends
// the program, and the exit question when the session manager asks before
// a logout.
class UnsavedEditsGuard final : public QObject {
    Q_OBJECT

public:
    UnsavedEditsGuard(MainWindow& window, FileSystem& fs, const QString& recoveryFolder);
    ~UnsavedEditsGuard() override;

    // For MainWindow::startUp(): offers the copies left by a Songbinder that
    // ended without saving.
    MainWindow::StartUpStep offerRecoveryStep();
    // Starts keeping copies and listening for the signals; after start-up.
    void start();
    // The program ends as the user asked: the copy goes.
    void finish();

private:
    void commitData(QSessionManager& manager);
    void endBySignal(int signalNumber);

    MainWindow& m_window;
    FileSystem& m_fs;
    std::unique_ptr<RecoveryFolder> m_folder;
    std::unique_ptr<RecoveryKeeper> m_keeper;
    TerminationSignals* m_signals = nullptr;
};
