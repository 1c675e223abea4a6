#pragma once

#include "platform/window_services.h"
#include "playlist/form_state.h"
#include "tags/genres.h"

#include <QHash>
#include <QMainWindow>

#include <memory>

class DirListBox;
class FileListBox;
class PlaylistView;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class Dialogs;
class FileSystem;

// The main window: the browser (Drive1, Dir1, File1), the playlist (List1)
// with its root path (lblRoot), the command buttons and the File and Help
// menus. It owns the editing state and hands it to the commands, and it is
// the commands' window services.
class Form1 : public QMainWindow, public WindowServices {
    Q_OBJECT

public:
    // `fs` and `dialogs` must outlive the window. Without dialogs the window
    // shows real Qt message boxes and file dialogs.
    Form1(FileSystem& fs, Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence; runs before the window is first shown.
    // `arguments` are the command-line arguments after the program's path.
    void Form_Load(const QStringList& arguments);

    FormState& state() { return m_state; }
    CommandContext& context() { return m_context; }
    const GenreTable& genres() const { return sGenres; }

    // WindowServices
    void RefreshWindowState() override;
    void processPendingEvents() override;
    void setBusy(bool busy) override;
    QString dirPath() const override;
    QString highlightedFolder() const override;
    QString fileListFolder() const override;
    QStringList fileListItems() const override;
    QList<bool> fileListSelection() const override;
    QList<int> selectedPlaylistRows() const override;
    QString hiddenText() const override;
    void setHiddenText(const QString& text) override;

    // Browser events, also run as plain procedures.
    void Drive1_Change();
    void Dir1_Change();
    void Dir1_Click();
    void File1_Click();
    void List1_Click();

    // Opens a folder in Dir1 as a double click would. False, with a message,
    // when it cannot be read; the browser then stays where it was.
    bool openFolder(const QString& folder);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void setTabOrderChain();
    void centreOnScreen();
    void selectDriveFor(const QString& folder);
    void warnCannotOpen(const QString& folder, const QString& reason);
    void wireCommands();

    FileSystem& m_fs;
    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs& m_dialogs;
    FormState m_state;
    CommandContext m_context;
    GenreTable sGenres;
    // The last folder opened on each drive, like a drive's current directory.
    QHash<QString, QString> m_driveFolders;
    bool m_closeAfterWalk = false;

    QComboBox* Drive1 = nullptr;
    DirListBox* Dir1 = nullptr;
    FileListBox* File1 = nullptr;
    QPushButton* cmdMakeRoot = nullptr;
    QPushButton* cmdAddDir = nullptr;
    QPushButton* cmdAddFiles = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblRoot = nullptr;
    QPushButton* cmdNoRoot = nullptr;
    PlaylistView* List1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* cmdRemove = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFileSep = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpAss = nullptr;
    QAction* mnuHelpAbout = nullptr;
};
