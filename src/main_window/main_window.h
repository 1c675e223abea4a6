#pragma once

#include "playlist/playlist_document.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <memory>

class Dialogs;
class FileListView;
class FileSystem;
class FolderListView;
class LongWork;
class MissingEntriesCommands;
class PlaylistHistory;
class PlaylistLoad;
class PlaylistView;
class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class RecentPlaylistsMenu;
class SettingsStore;
class WorkStatusBar;

// The main window: the file browser (drives, folder tree, file list) above,
// the playlist with its root path below, the command buttons and the File,
// Edit and Help menus. It shows the playlist document and the browser, turns the
// user's clicks into commands, and follows the document's signals: title,
// labels and enabled states are derived in one place, refreshWindowState().
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `fs` and `dialogs` must outlive the window. Without dialogs the window
    // shows real Qt message boxes and file dialogs.
    explicit MainWindow(FileSystem& fs, Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: opens the start-up folder in the browser, names the untitled
    // playlist and opens the playlist named by `arguments` (the command line
    // after the program's own path). Runs before the window is first shown.
    // `beforeCommandLine` runs once the untitled playlist is named; when it
    // puts a playlist of its own in place (a restored recovery copy, true),
    // the command-line playlist is not opened over it.
    using StartUpStep = std::function<bool(PlaylistDocument&, Dialogs&)>;
    void startUp(const QStringList& arguments, const StartUpStep& beforeCommandLine = {});

    // Start-up goes on until the command-line playlist has loaded (or failed
    // to, or was cancelled): its boxes come before the window, and a progress
    // window shows meanwhile when it takes a while.
    bool isStartingUp() const { return m_startingUp; }
    // Shows the window now, or when start-up has ended.
    void showAfterStartUp();

    // Opens at the remembered size (never below the smallest) and keeps the
    // recent playlists and, when the window closes, its size there.
    // `settings` must outlive the window. Call before startUp().
    void useSettings(SettingsStore& settings);

    PlaylistDocument& document() { return m_document; }
    Dialogs& dialogs() { return m_dialogs; }

    // Long work under way (a folder walk, a load): the status bar shows what
    // it does, with Cancel, for as long as it runs.
    void showLongWork(LongWork* work);

Q_SIGNALS:
    void startUpFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectCommands();
    void connectBrowser();

    // Title, playlist label, Save and Remove, and the file list following
    // the highlighted folder: everything derived from the document and the
    // selections.
    void refreshWindowState();
    void markModified(bool modified);
    // Undo and Redo name the step they take back or do again, and rest
    // while a walk is adding.
    void refreshUndoActions();
    void showRootPath(const QString& root);

    // The browser.
    bool openFolder(const QString& folder);
    void onDriveChosen();
    int driveIndexOf(const QString& folder) const;
    void selectDriveFor(const QString& folder);
    void showOpenedFolderFiles();
    void followHighlightedFolder();
    void updateAddSelectedFilesButton();
    void warnCannotOpen(const QString& folder, const QString& reason);

    // Commands that need more than one call.
    void addFolderTree();
    void removeSelectedEntries();
    void openRecentPlaylist(const QString& path);
    // Loads the playlist at `path` without holding up the window; the
    // commands that would change or replace the playlist rest meanwhile.
    // `done` runs at the end, told whether it loaded.
    void loadInBackground(const QString& path, std::function<void(bool loaded)> done);
    void showStartUpProgress();
    // A playlist was opened or saved: it heads Open Recent.
    void noteRecentPlaylist(bool openedOrSaved);
    void rememberOnClose();

    FileSystem& m_fs;
    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs& m_dialogs;
    PlaylistDocument m_document;
    SettingsStore* m_settings = nullptr;

    // The name the open and save dialogs offer: the last one chosen.
    QString m_dialogFileName;
    // The last folder opened on each drive, like a drive's current folder.
    QHash<QString, QString> m_driveFolders;
    // The drive of the open folder: the drive box's choice until the user
    // picks another.
    QString m_shownDrive;
    // Add Entire Dir walks under way: the busy pointer shows while there is
    // one.
    int m_runningWalks = 0;
    bool m_shownBefore = false;
    // The playlist being loaded, while one is.
    PlaylistLoad* m_load = nullptr;
    bool m_startingUp = false;

    QComboBox* m_driveBox = nullptr;
    FolderListView* m_folderList = nullptr;
    FileListView* m_fileList = nullptr;
    QPushButton* m_makeRootButton = nullptr;
    QPushButton* m_addFolderTreeButton = nullptr;
    QPushButton* m_addSelectedFilesButton = nullptr;
    QLabel* m_playlistTitleLabel = nullptr;
    QLabel* m_rootLabel = nullptr;
    QPushButton* m_clearRootButton = nullptr;
    PlaylistView* m_playlistView = nullptr;
    QPushButton* m_removeButton = nullptr;
    PlaylistHistory* m_history = nullptr;
    MissingEntriesCommands* m_missingEntries = nullptr;
    WorkStatusBar* m_workStatus = nullptr;

    QAction* m_newAction = nullptr;
    QAction* m_openAction = nullptr;
    RecentPlaylistsMenu* m_recentMenu = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QAction* m_exitAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_removeAction = nullptr;
    QAction* m_associateAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_selectAllFilesAction = nullptr;
};
