// Start-up, the window state refresh and the browser panel's events.
#include "main_window/main_window.h"

#include "main_window/dir_list_box.h"
#include "main_window/file_list_box.h"
#include "main_window/playlist_view.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "playlist_file/command_line.h"
#include "playlist_file/untitled.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void Form1::Form_Load(const QStringList& arguments) {
    sGenres.fill();
    centreOnScreen();
    const QString candidate = captureCommandLineCandidate(arguments);
    m_state.bBoundFile = false;
    m_state.bUnsaved = false;

    const QString start = m_fs.currentFolder();
    if (!openFolder(start)) {
        // The start-up folder cannot be read: start on the first drive.
        const QString fallback = Drive1->count() > 0 ? Drive1->itemData(0).toString() : start;
        openFolder(fallback);
    }
    m_state.sCurrentPlaylist = untitledPlaylistPath(Dir1->path(), m_fs.rules());
    File1->setPattern(QStringLiteral("*.mp3;*.wav;*.wma"));
    openCommandLineCandidate(m_context, candidate);
    RefreshWindowState();
}

void Form1::RefreshWindowState() {
    mnuFileSave->setEnabled(m_state.bUnsaved);
    cmdRemove->setEnabled(List1->selectionModel()->hasSelection());
    setWindowTitle(QStringLiteral("Songbinder - ") + m_state.sCurrentPlaylist);
    Label1->setText(QStringLiteral("Current Playlist (") + m_state.sCurrentPlaylist +
                    QLatin1Char(')'));
    Dir1_Click();
    File1_Click();
}

void Form1::warnCannotOpen(const QString& folder, const QString& reason) {
    m_dialogs.warn(QStringLiteral("Cannot open the folder \"%1\": %2").arg(folder, reason));
}

bool Form1::openFolder(const QString& folder) {
    QString error;
    if (!Dir1->setPath(folder, &error)) {
        warnCannotOpen(folder, error);
        return false;
    }
    selectDriveFor(folder);
    Dir1_Change();
    return true;
}

void Form1::selectDriveFor(const QString& folder) {
    // The drive is the one whose top folder is the longest prefix of the folder.
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = Drive1->itemData(i).toString();
        if (m_fs.rules().startsWithPath(folder, root) ||
            m_fs.rules().samePath(folder + m_fs.rules().separator(), root)) {
            if (root.size() > bestLength) {
                best = i;
                bestLength = root.size();
            }
        }
    }
    if (best < 0)
        return;
    Drive1->setCurrentIndex(best);
    m_driveFolders.insert(m_fs.rules().identityKey(Drive1->itemData(best).toString()), folder);
}

void Form1::Drive1_Change() {
    const QString root = Drive1->currentData().toString();
    const QString remembered = m_driveFolders.value(m_fs.rules().identityKey(root));
    QString error;
    // The folder last opened on that drive, else its top folder.
    for (const QString& target : {remembered, root}) {
        if (target.isEmpty())
            continue;
        if (Dir1->setPath(target, &error)) {
            selectDriveFor(target);
            Dir1_Change();
            return;
        }
    }
    warnCannotOpen(root, error);
    // Keep the previous drive and folder.
    selectDriveFor(Dir1->path());
}

void Form1::Dir1_Change() {
    QString error;
    if (!File1->setPath(Dir1->path(), &error))
        warnCannotOpen(Dir1->path(), error);
    File1_Click();
}

void Form1::Dir1_Click() {
    const QString highlighted = Dir1->highlightedPath();
    if (m_fs.rules().samePath(highlighted, File1->path()))
        return;
    QString error;
    if (!File1->setPath(highlighted, &error)) {
        // Point the highlight back at the folder the file list shows, so the
        // message is not repeated by every refresh.
        if (!Dir1->highlightQuietly(File1->path()))
            Dir1->highlightQuietly(Dir1->path());
        warnCannotOpen(highlighted, error);
        return;
    }
    File1_Click();
}

void Form1::File1_Click() {
    const QList<bool> selected = File1->selection();
    cmdAddFiles->setEnabled(selected.contains(true));
}

void Form1::List1_Click() {
    RefreshWindowState();
}

void Form1::processPendingEvents() {
    QCoreApplication::processEvents();
}

void Form1::setBusy(bool busy) {
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

QString Form1::dirPath() const {
    return Dir1->path();
}

QString Form1::highlightedFolder() const {
    return Dir1->highlightedPath();
}

QString Form1::fileListFolder() const {
    return File1->path();
}

QStringList Form1::fileListItems() const {
    return File1->names();
}

QList<bool> Form1::fileListSelection() const {
    return File1->selection();
}

QList<int> Form1::selectedPlaylistRows() const {
    QList<int> rows;
    for (const QModelIndex& index : List1->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString Form1::hiddenText() const {
    return Text1->text();
}

void Form1::setHiddenText(const QString& text) {
    // A text box ends its text at the first NUL character.
    const qsizetype nul = text.indexOf(QChar(0));
    Text1->setText(nul < 0 ? text : text.left(nul));
}
