#include "main_window/unsaved_edits_guard.h"

#include "platform/recovery_folder.h"
#include "platform/termination_signals.h"
#include "playlist_file/closing.h"
#include "playlist_file/recovery_keeper.h"

#include <QGuiApplication>
#include <QSessionManager>

UnsavedEditsGuard::UnsavedEditsGuard(MainWindow& window, FileSystem& fs,
                                     const QString& recoveryFolder)
    : QObject(&window)
    , m_window(window)
    , m_fs(fs)
    , m_folder(std::make_unique<RecoveryFolder>(recoveryFolder)) {}

UnsavedEditsGuard::~UnsavedEditsGuard() = default;

MainWindow::StartUpStep UnsavedEditsGuard::offerRecoveryStep() {
    return [this](PlaylistDocument& document, Dialogs& dialogs) {
        return offerRecovery(document, dialogs, *m_folder);
    };
}

void UnsavedEditsGuard::start() {
    m_keeper = std::make_unique<RecoveryKeeper>(m_window.document(), *m_folder);
    m_signals = new TerminationSignals(this);
    connect(m_signals, &TerminationSignals::received, this, &UnsavedEditsGuard::endBySignal);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &UnsavedEditsGuard::commitData);
}

void UnsavedEditsGuard::finish() {
    if (m_keeper)
        m_keeper->discard();
}

void UnsavedEditsGuard::endBySignal(int signalNumber) {
    // Whatever dialog is open, the edits go to the copy before the end.
    m_keeper->writeNow();
    TerminationSignals::endAs(signalNumber);
}

void UnsavedEditsGuard::commitData(QSessionManager& manager) {
    PlaylistDocument& document = m_window.document();
    if (!document.isModified())
        return;
    // Where the session manager allows no question, the copy keeps the
    // edits for the next start.
    if (!manager.allowsInteraction()) {
        m_keeper->writeNow();
        return;
    }
    const bool mayEnd = mayClosePlaylist(document, m_fs, m_window.dialogs());
    manager.release();
    if (!mayEnd)
        manager.cancel();
    else if (document.isModified())
        m_keeper->discard(); // answered No: the edits are given up
}
