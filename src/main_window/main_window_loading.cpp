// The main window while a playlist loads: the load runs beside the window,
// which keeps drawing and offers Cancel, but takes no command that would
// change the playlist the load is about to replace.
#include "main_window/main_window.h"

#include "playlist_file/playlist_load.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

#include <algorithm>
#include <climits>
#include <memory>

namespace {

// How long a start-up load may take before its progress window shows.
constexpr int kProgressDelayMs = 300;

} // namespace

void MainWindow::loadInBackground(const QString& path, std::function<void(bool loaded)> done) {
    auto* load = new PlaylistLoad(m_document, m_fs, m_dialogs, path, this);
    m_load = load;
    // The control that had the focus gets it back when the commands return.
    const QPointer<QWidget> focused = QApplication::focusWidget();
    connect(load, &LongWork::finished, this, [this, load, focused, done = std::move(done)] {
        m_load = nullptr;
        load->deleteLater();
        refreshWindowState();
        refreshUndoActions();
        if (focused && isActiveWindow())
            focused->setFocus();
        done(load->loaded());
    });
    refreshWindowState();
    refreshUndoActions();
    showLongWork(load);
    load->start();
}

void MainWindow::showStartUpProgress() {
    // The window is not on screen yet, so no status bar can show the load: a
    // window of its own does, once the load has taken a moment, and steps
    // aside while one of the load's boxes is open.
    auto* progress = new QProgressDialog(this);
    progress->setObjectName(QStringLiteral("startUpProgress"));
    progress->setWindowTitle(tr("Songbinder"));
    progress->setAutoReset(false);
    progress->setAutoClose(false);
    progress->setRange(0, 0);
    // Shown here, not by the dialog's own clock, which knows nothing of boxes.
    progress->setMinimumDuration(INT_MAX);
    // Stops the clock it started on its own when it was made.
    progress->reset();
    PlaylistLoad* load = m_load;
    progress->setLabelText(load->statusText());
    auto previousHook = std::make_shared<std::function<void()>>();
    *previousHook = m_dialogs.setBeforeShowing([progress, previousHook] {
        progress->hide();
        if (*previousHook)
            (*previousHook)();
    });
    QElapsedTimer running;
    running.start();
    connect(load, &LongWork::progressChanged, progress, [this, progress, load, running] {
        progress->setLabelText(load->statusText());
        const auto total = static_cast<int>(std::min<qint64>(load->progressTotal(), INT_MAX));
        progress->setRange(0, total);
        progress->setValue(static_cast<int>(std::min<qint64>(load->progressDone(), total)));
        // Only the load itself counts as open: no box is.
        if (running.elapsed() >= kProgressDelayMs && m_dialogs.modalCount() <= 1)
            progress->show();
    });
    connect(progress, &QProgressDialog::canceled, load, &LongWork::cancel);
    connect(load, &LongWork::finished, progress, [this, progress, previousHook] {
        m_dialogs.setBeforeShowing(std::move(*previousHook));
        progress->deleteLater();
    });
}

void MainWindow::showAfterStartUp() {
    if (!m_startingUp) {
        show();
        return;
    }
    // Until the window is there, closing a box or the progress window is
    // no reason to end the program.
    const bool quitOnClose = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    connect(
        this, &MainWindow::startUpFinished, this,
        [this, quitOnClose] {
            show();
            QApplication::setQuitOnLastWindowClosed(quitOnClose);
        },
        Qt::SingleShotConnection);
}
