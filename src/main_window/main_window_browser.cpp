// The file browser: the drive box, the folder tree and the file list follow
// one another; the file list shows the folder highlighted in the tree.
#include "main_window/main_window.h"

#include "main_window/file_list_view.h"
#include "main_window/folder_list_view.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

#include <QComboBox>
#include <QPushButton>

void MainWindow::connectBrowser() {
    for (const DriveInfo& drive : m_fs.drives())
        m_driveBox->addItem(drive.label, drive.rootPath);
    connect(m_driveBox, &QComboBox::activated, this, &MainWindow::onDriveChosen);
    connect(m_folderList, &FolderListView::openRequested, this, &MainWindow::openFolder);
    connect(m_folderList, &FolderListView::entryHighlighted, this,
            &MainWindow::followHighlightedFolder);
    connect(m_fileList, &QListWidget::itemSelectionChanged, this,
            &MainWindow::updateAddSelectedFilesButton);
}

void MainWindow::warnCannotOpen(const QString& folder, const QString& reason) {
    m_dialogs.warn(tr("Cannot open the folder \"%1\": %2").arg(folder, reason));
}

bool MainWindow::openFolder(const QString& folder) {
    QString error;
    if (!m_folderList->setPath(folder, &error)) {
        warnCannotOpen(folder, error);
        return false;
    }
    selectDriveFor(folder);
    showOpenedFolderFiles();
    return true;
}

int MainWindow::driveIndexOf(const QString& folder) const {
    // The mount point with the longest path that is the folder itself or one
    // of its ancestors. Both end in a separator before they are compared, so
    // /mnt/data2/x is not taken to be on /mnt/data.
    const PathRules& rules = m_fs.rules();
    const QString inside = rules.withTrailingSeparator(folder);
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < m_driveBox->count(); ++i) {
        const QString root = rules.withTrailingSeparator(m_driveBox->itemData(i).toString());
        if (rules.startsWithPath(inside, root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void MainWindow::selectDriveFor(const QString& folder) {
    const int drive = driveIndexOf(folder);
    if (drive < 0) {
        // On no drive the box lists: any pick is a change.
        m_shownDrive.clear();
        return;
    }
    m_driveBox->setCurrentIndex(drive);
    m_shownDrive = m_driveBox->itemData(drive).toString();
    m_driveFolders.insert(m_fs.rules().identityKey(m_shownDrive), folder);
}

void MainWindow::onDriveChosen() {
    const QString root = m_driveBox->currentData().toString();
    // The drive already shown: the folder tree keeps its highlight and the
    // file list its selection.
    if (m_fs.rules().samePath(root, m_shownDrive))
        return;
    const QString remembered = m_driveFolders.value(m_fs.rules().identityKey(root));
    QString error;
    // The folder last opened on that drive, else its top folder.
    for (const QString& target : {remembered, root}) {
        if (target.isEmpty())
            continue;
        if (m_folderList->setPath(target, &error)) {
            selectDriveFor(target);
            showOpenedFolderFiles();
            return;
        }
    }
    warnCannotOpen(root, error);
    // Keep the previous drive and folder.
    selectDriveFor(m_folderList->path());
}

void MainWindow::showOpenedFolderFiles() {
    QString error;
    if (!m_fileList->setPath(m_folderList->path(), &error))
        warnCannotOpen(m_folderList->path(), error);
    updateAddSelectedFilesButton();
}

void MainWindow::followHighlightedFolder() {
    const QString highlighted = m_folderList->highlightedPath();
    if (m_fs.rules().samePath(highlighted, m_fileList->path()))
        return;
    QString error;
    if (!m_fileList->setPath(highlighted, &error)) {
        // Point the highlight back at the folder the file list shows, so the
        // message is not repeated by every refresh.
        if (!m_folderList->highlightQuietly(m_fileList->path()))
            m_folderList->highlightQuietly(m_folderList->path());
        warnCannotOpen(highlighted, error);
        return;
    }
    updateAddSelectedFilesButton();
}

void MainWindow::updateAddSelectedFilesButton() {
    m_addSelectedFilesButton->setEnabled(m_fileList->hasSelectedFile());
}
