#include "main_window/main_window.h"

#include "about/about.h"
#include "main_window/file_list_view.h"
#include "main_window/folder_list_view.h"
#include "main_window/missing_entries_commands.h"
#include "main_window/playlist_history.h"
#include "main_window/playlist_view.h"
#include "main_window/recent_playlists_menu.h"
#include "main_window/work_status_bar.h"
#include "platform/file_system.h"
#include "platform/qt_dialogs.h"
#include "platform/window_placement.h"
#include "playlist/add_commands.h"
#include "playlist/folder_walk.h"
#include "playlist/long_work.h"
#include "playlist/root_commands.h"
#include "playlist_file/closing.h"
#include "playlist_file/command_line.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_load.h"
#include "registry/association.h"
#include "tags/file_tag_command.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>

#include <algorithm>

namespace {

// The window's first size is its smallest; these are the sizes, in pixels
// at 96 dpi, that the lists never shrink below and the buttons keep.
constexpr QSize kFolderListSize(209, 201);
constexpr QSize kFileListSize(313, 210);
constexpr QSize kPlaylistSize(529, 195);
constexpr QSize kMakeRootSize(65, 25);
constexpr QSize kAddFolderTreeSize(137, 25);
constexpr QSize kAddSelectedFilesSize(297, 25);
constexpr QSize kClearRootSize(17, 17);
constexpr QSize kRemoveSize(137, 24);
constexpr int kDriveBoxHeight = 21;
constexpr int kLabelHeight = 17;
constexpr int kRootCaptionWidth = 33;
constexpr int kGap = 7;

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* fixedButton(const QString& text, const char* name, QSize size) {
    auto* button = named(new QPushButton(text), name);
    button->setFixedSize(size);
    return button;
}

// A row that leaves `right` pixels free at its right end.
QHBoxLayout* row(int right = 0) {
    auto* layout = new QHBoxLayout;
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, right, 0);
    return layout;
}

QVBoxLayout* column() {
    auto* layout = new QVBoxLayout;
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

QFont playlistTitleFont() {
    // The label was drawn for a sans-serif dialog face of 9.6 points that
    // Linux does not have: the platform's own sans-serif family stands in,
    // named outright so that no fallback of the font machinery decides.
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setFamily(font.defaultFamily());
    font.setPointSizeF(9.6);
    return font;
}

} // namespace

MainWindow::MainWindow(FileSystem& fs, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_fs(fs)
    , m_ownDialogs(dialogs ? nullptr : std::make_unique<QtDialogs>(this))
    , m_dialogs(dialogs ? *dialogs : *m_ownDialogs)
    , m_document(fs.rules()) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(tr("Songbinder"));
    setWindowIcon(QIcon(QStringLiteral(":/songbinder/songbinder.png")));
    buildControls();
    buildMenus();
    connectBrowser();
    connectCommands();
    // The first size is the smallest the layout allows.
    resize(minimumSizeHint());
}

MainWindow::~MainWindow() {
    // A walk still running stops before the document it adds to goes.
    qDeleteAll(findChildren<FolderTreeAdd*>(Qt::FindDirectChildrenOnly));
    delete m_missingEntries;
    // So does a load, which counts among the dialogs' open boxes.
    delete std::exchange(m_load, nullptr);
    // The stack empties as it goes, after this window has stopped being one.
    disconnect(&m_history->stack(), nullptr, this, nullptr);
}

void MainWindow::buildControls() {
    auto* client = named(new QWidget(this), "client");
    // The layout was drawn for a small dialog font; captions fit at 8 points.
    QFont dialogFont = client->font();
    dialogFont.setPointSizeF(8);
    client->setFont(dialogFont);
    setCentralWidget(client);

    m_driveBox = named(new QComboBox, "driveBox");
    m_driveBox->setAccessibleName(tr("Drives"));
    m_driveBox->setFixedHeight(kDriveBoxHeight);
    m_driveBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_driveBox->setMinimumContentsLength(1);
    m_folderList = named(new FolderListView(m_fs), "folderList");
    m_folderList->setAccessibleName(tr("Folders"));
    m_folderList->setMinimumSize(kFolderListSize);
    m_fileList = named(new FileListView(m_fs), "fileList");
    m_fileList->setAccessibleName(tr("Files"));
    m_fileList->setMinimumSize(kFileListSize);
    m_makeRootButton = fixedButton(tr("Make Root"), "makeRootButton", kMakeRootSize);
    m_addFolderTreeButton =
        fixedButton(tr("Add Entire Dir To Playlist"), "addFolderTreeButton", kAddFolderTreeSize);
    m_addSelectedFilesButton = fixedButton(tr("Add Selected Files To Playist"),
                                           "addSelectedFilesButton", kAddSelectedFilesSize);
    m_addSelectedFilesButton->setEnabled(false);

    auto* separator = named(new QFrame, "browserSeparator");
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setFixedHeight(2);

    m_playlistTitleLabel = named(new QLabel(tr("Current Playlist")), "playlistTitleLabel");
    m_playlistTitleLabel->setAlignment(Qt::AlignCenter);
    m_playlistTitleLabel->setFixedHeight(kLabelHeight);
    m_playlistTitleLabel->setFont(playlistTitleFont());

    auto* rootCaption = named(new QLabel(tr("Root:")), "rootCaptionLabel");
    // Wider only where a translation needs it.
    const int captionWidth = QFontMetrics(dialogFont).horizontalAdvance(rootCaption->text()) + 2;
    rootCaption->setFixedSize(std::max(kRootCaptionWidth, captionWidth), kLabelHeight);
    m_rootLabel = named(new QLabel, "rootLabel");
    m_rootLabel->setFixedHeight(kLabelHeight);
    m_rootLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_rootLabel->setTextFormat(Qt::PlainText);
    m_rootLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QPalette rootColours = m_rootLabel->palette();
    rootColours.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_rootLabel->setPalette(rootColours);
    m_rootLabel->setAccessibleDescription(tr("Root path"));
    m_clearRootButton = fixedButton(tr("x"), "clearRootButton", kClearRootSize);
    m_clearRootButton->setAccessibleName(tr("Clear root"));

    m_playlistView = named(new PlaylistView, "playlistView");
    m_playlistView->setAccessibleName(tr("Playlist"));
    m_playlistView->setMinimumSize(kPlaylistSize);
    m_playlistView->setModel(m_document.model());
    m_history = new PlaylistHistory(m_document, *m_playlistView->selectionModel(), this);

    m_removeButton = fixedButton(tr("Remove Selected Items"), "removeButton", kRemoveSize);
    // Hidden while idle: the window keeps its size until long work shows.
    m_workStatus = new WorkStatusBar(this);
    setStatusBar(m_workStatus);

    // The browser: drives and folders on the left, files on the right, each
    // with its buttons below. The two lists take the extra height alike, so
    // the buttons stay in one row.
    QHBoxLayout* folderButtons = row();
    folderButtons->addWidget(m_makeRootButton);
    folderButtons->addSpacing(kGap);
    folderButtons->addWidget(m_addFolderTreeButton);
    folderButtons->addStretch();
    QVBoxLayout* folderSide = column();
    folderSide->addWidget(m_driveBox);
    folderSide->addSpacing(3);
    folderSide->addWidget(m_folderList, 1);
    folderSide->addSpacing(kGap);
    folderSide->addLayout(folderButtons);

    QHBoxLayout* fileButtons = row();
    fileButtons->addSpacing(8);
    fileButtons->addWidget(m_addSelectedFilesButton);
    fileButtons->addStretch();
    QVBoxLayout* fileSide = column();
    fileSide->addWidget(m_fileList, 1);
    fileSide->addSpacing(22);
    fileSide->addLayout(fileButtons);

    QHBoxLayout* browser = row(8);
    browser->addLayout(folderSide, kFolderListSize.width());
    browser->addSpacing(kGap);
    browser->addLayout(fileSide, kFileListSize.width());

    QHBoxLayout* separatorRow = row(8);
    separatorRow->addWidget(separator);
    QHBoxLayout* titleRow = row(16);
    titleRow->addWidget(m_playlistTitleLabel);
    QHBoxLayout* rootRow = row(8);
    rootRow->addWidget(rootCaption);
    rootRow->addSpacing(kGap);
    rootRow->addWidget(m_rootLabel, 1);
    rootRow->addSpacing(kGap);
    rootRow->addWidget(m_clearRootButton);
    QHBoxLayout* playlistRow = row(8);
    playlistRow->addWidget(m_playlistView);
    QHBoxLayout* removeRow = row();
    removeRow->addStretch();
    removeRow->addWidget(m_removeButton);

    // The browser and the playlist share the height alike, so most of the
    // room the window gains goes to the playlist.
    auto* layout = new QVBoxLayout(client);
    layout->setSpacing(0);
    layout->setContentsMargins(8, 8, 2, 4);
    layout->addLayout(browser, 1);
    layout->addSpacing(kGap);
    layout->addLayout(separatorRow);
    layout->addLayout(titleRow);
    layout->addSpacing(5);
    layout->addLayout(rootRow);
    layout->addSpacing(kGap);
    layout->addLayout(playlistRow, 1);
    layout->addSpacing(13);
    layout->addLayout(removeRow);

    // Tab order: drives, files, folders, playlist, then the buttons.
    const QList<QWidget*> order = {m_driveBox,
                                   m_fileList,
                                   m_folderList,
                                   m_playlistView,
                                   m_removeButton,
                                   m_addFolderTreeButton,
                                   m_addSelectedFilesButton,
                                   m_makeRootButton,
                                   m_clearRootButton};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void MainWindow::buildMenus() {
    QMenu* file = named(menuBar()->addMenu(tr("File")), "fileMenu");
    m_newAction = named(file->addAction(tr("New")), "newAction");
    m_newAction->setShortcut(QKeySequence::New);
    m_openAction = named(file->addAction(tr("Open...")), "openAction");
    m_openAction->setShortcut(QKeySequence::Open);
    m_recentMenu = new RecentPlaylistsMenu(m_fs, this);
    file->addMenu(m_recentMenu)->setObjectName(QStringLiteral("recentMenuAction"));
    m_saveAction = named(file->addAction(tr("Save")), "saveAction");
    m_saveAction->setShortcut(QKeySequence::Save);
    m_saveAsAction = named(file->addAction(tr("Save As...")), "saveAsAction");
    named(file->addSeparator(), "fileMenuSeparator");
    m_exitAction = named(file->addAction(tr("Exit")), "exitAction");

    QMenu* edit = named(menuBar()->addMenu(tr("Edit")), "editMenu");
    m_undoAction = named(edit->addAction(tr("Undo")), "undoAction");
    m_undoAction->setShortcut(QKeySequence::Undo);
    m_redoAction = named(edit->addAction(tr("Redo")), "redoAction");
    m_redoAction->setShortcut(QKeySequence::Redo);
    named(edit->addSeparator(), "editMenuSeparator");
    m_missingEntries = new MissingEntriesCommands(
        m_document, m_fs, m_dialogs, *m_history, [this] { return m_folderList->path(); }, this);
    edit->addAction(m_missingEntries->findMovedFilesAction());
    edit->addAction(m_missingEntries->removeMissingAction());

    QMenu* help = named(menuBar()->addMenu(tr("Help")), "helpMenu");
    m_associateAction = named(help->addAction(tr("Associate Program")), "associateAction");
    m_aboutAction = named(help->addAction(tr("About")), "aboutAction");

    // Ctrl+A selects every file in the file list, whichever control of the
    // window has the focus; that control never sees the key. Shift makes no
    // difference, as it does not to the character Ctrl+A types.
    m_selectAllFilesAction =
        named(new QAction(tr("Select All Files"), this), "selectAllFilesAction");
    m_selectAllFilesAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)});
    m_selectAllFilesAction->setShortcutContext(Qt::WindowShortcut);
    addAction(m_selectAllFilesAction);

    // The Delete key in the playlist does what Remove Selected Items does.
    m_removeAction =
        named(new QAction(tr("Remove Selected Items"), m_playlistView), "removeAction");
    m_removeAction->setShortcut(QKeySequence::Delete);
    m_removeAction->setShortcutContext(Qt::WidgetShortcut);
    m_playlistView->addAction(m_removeAction);
}

void MainWindow::connectCommands() {
    PlaylistDocument* document = &m_document;
    connect(document, &PlaylistDocument::modifiedChanged, this, &MainWindow::refreshWindowState);
    connect(document, &PlaylistDocument::filePathChanged, this, &MainWindow::refreshWindowState);
    connect(document, &PlaylistDocument::rootPathChanged, this, &MainWindow::showRootPath);
    // Remove follows the playlist selection, also when rows go away under it.
    connect(m_playlistView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::refreshWindowState);
    connect(document->model(), &QAbstractItemModel::modelReset, this,
            &MainWindow::refreshWindowState);
    connect(document->model(), &QAbstractItemModel::rowsRemoved, this,
            &MainWindow::refreshWindowState);
    connect(document->model(), &QAbstractItemModel::layoutChanged, this,
            &MainWindow::refreshWindowState);
    connect(m_missingEntries, &MissingEntriesCommands::missingCountChanged, this,
            &MainWindow::refreshWindowState);
    connect(m_missingEntries, &MissingEntriesCommands::workStarted, this,
            &MainWindow::showLongWork);

    connect(m_newAction, &QAction::triggered, this,
            [this] { newPlaylist(m_document, m_fs, m_dialogs, m_folderList->path()); });
    connect(m_openAction, &QAction::triggered, this, [this] {
        if (const std::optional<QString> path = choosePlaylistToOpen(
                m_document, m_fs, m_dialogs, m_folderList->path(), m_dialogFileName))
            loadInBackground(*path, [this](bool loaded) { noteRecentPlaylist(loaded); });
    });
    connect(m_recentMenu, &RecentPlaylistsMenu::chosen, this, &MainWindow::openRecentPlaylist);
    connect(m_saveAction, &QAction::triggered, this,
            [this] { noteRecentPlaylist(savePlaylist(m_document, m_fs, m_dialogs)); });
    connect(m_saveAsAction, &QAction::triggered, this, [this] {
        noteRecentPlaylist(savePlaylistAs(m_document, m_fs, m_dialogs, m_dialogFileName));
    });
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);
    QUndoStack* stack = &m_history->stack();
    connect(m_undoAction, &QAction::triggered, stack, &QUndoStack::undo);
    connect(m_redoAction, &QAction::triggered, stack, &QUndoStack::redo);
    connect(stack, &QUndoStack::indexChanged, this, &MainWindow::refreshUndoActions);
    connect(stack, &QUndoStack::cleanChanged, this, &MainWindow::refreshUndoActions);
    connect(m_removeAction, &QAction::triggered, this, [this] {
        if (m_removeButton->isEnabled())
            removeSelectedEntries();
    });
    connect(m_associateAction, &QAction::triggered, this,
            [this] { associateWithPlaylists(m_dialogs, m_fs); });
    connect(m_aboutAction, &QAction::triggered, this, [this] { showAboutWindow(this); });
    connect(m_selectAllFilesAction, &QAction::triggered, m_fileList, &QListWidget::selectAll);

    using Step = PlaylistHistory::Kind;
    connect(m_addSelectedFilesButton, &QPushButton::clicked, this, [this] {
        m_history->run(Step::Add, [this] {
            addSelectedFiles(m_document, m_dialogs, m_fileList->path(),
                             m_fileList->selectedNames());
        });
    });
    connect(m_addFolderTreeButton, &QPushButton::clicked, this, &MainWindow::addFolderTree);
    connect(m_removeButton, &QPushButton::clicked, this, &MainWindow::removeSelectedEntries);
    connect(m_makeRootButton, &QPushButton::clicked, this, [this] {
        m_history->run(Step::MakeRoot, [this] {
            makeRoot(m_document, m_dialogs, m_folderList->highlightedPath());
        });
    });
    connect(m_clearRootButton, &QPushButton::clicked, this, [this] {
        m_history->run(Step::ClearRoot, [this] { clearRoot(m_document, m_dialogs); });
    });
    connect(m_playlistView, &PlaylistView::dropped, this,
            [this](const std::optional<QStringList>& paths) {
                // A load that began since the drop replaces the playlist anyway.
                if (!m_load)
                    m_history->run(Step::Add,
                                   [&] { addDroppedPaths(m_document, m_dialogs, paths); });
            });
    connect(m_fileList, &QListWidget::itemDoubleClicked, this, [this] {
        showFileTag(m_fs, m_dialogs, m_fileList->path(), m_fileList->selectedNames());
    });
}

void MainWindow::startUp(const QStringList& arguments, const StartUpStep& beforeCommandLine) {
    const QString candidate = commandLineCandidate(arguments);
    const QString start = m_fs.currentFolder();
    if (!openFolder(start)) {
        // The start-up folder cannot be read: start on the first drive.
        const QString fallback =
            m_driveBox->count() > 0 ? m_driveBox->itemData(0).toString() : start;
        openFolder(fallback);
    }
    m_document.startUntitled(untitledPlaylistPath(m_folderList->path(), m_fs.rules()));
    m_fileList->setPattern(QStringLiteral("*.mp3;*.wav;*.wma"));
    if (!beforeCommandLine || !beforeCommandLine(m_document, m_dialogs)) {
        if (const std::optional<QString> path = commandLinePlaylist(m_fs, candidate)) {
            m_startingUp = true;
            loadInBackground(*path, [this](bool loaded) {
                noteRecentPlaylist(loaded);
                m_startingUp = false;
                Q_EMIT startUpFinished();
            });
            showStartUpProgress();
        }
    }
    refreshWindowState();
    refreshUndoActions();
}

void MainWindow::refreshWindowState() {
    // While a playlist loads, nothing may change or replace the one it will
    // replace; Exit stays (it cancels the load) and so do Help's commands.
    const bool idle = !m_load;
    centralWidget()->setEnabled(idle);
    for (QAction* action : {m_newAction, m_openAction, m_recentMenu->menuAction(), m_saveAsAction})
        action->setEnabled(idle);
    m_missingEntries->setPaused(!idle);
    m_saveAction->setEnabled(idle && m_document.isModified());
    markModified(m_document.isModified());
    m_removeButton->setEnabled(m_playlistView->selectionModel()->hasSelection());
    setWindowTitle(tr("Songbinder - %1").arg(m_document.filePath()));
    const int missing = m_missingEntries->missingCount();
    m_playlistTitleLabel->setText(
        missing > 0
            ? tr("Current Playlist (%1) - %Ln missing", nullptr, missing).arg(m_document.filePath())
            : tr("Current Playlist (%1)").arg(m_document.filePath()));
    followHighlightedFolder();
    updateAddSelectedFilesButton();
}

void MainWindow::refreshUndoActions() {
    const QUndoStack& stack = m_history->stack();
    // A walk adding is one step still open: nothing may be taken back under it.
    const bool idle = m_runningWalks == 0 && !m_load;
    m_undoAction->setEnabled(idle && stack.canUndo());
    m_redoAction->setEnabled(idle && stack.canRedo());
    m_undoAction->setText(stack.canUndo() ? tr("Undo %1").arg(stack.undoText()) : tr("Undo"));
    m_redoAction->setText(stack.canRedo() ? tr("Redo %1").arg(stack.redoText()) : tr("Redo"));
}

void MainWindow::markModified(bool modified) {
    // The title keeps its exact text, so it has no "[*]" placeholder: where
    // the platform marks a modified window itself (macOS) it is told;
    // elsewhere the window only records the state, since the placeholder
    // would put an asterisk into the title.
#ifdef Q_OS_MACOS
    setWindowModified(modified);
#else
    setAttribute(Qt::WA_WindowModified, modified);
#endif
}

void MainWindow::showRootPath(const QString& root) {
    m_rootLabel->setText(root);
    // The label speaks the path itself.
    m_rootLabel->setAccessibleName(root);
}

void MainWindow::removeSelectedEntries() {
    m_history->run(PlaylistHistory::Kind::Remove,
                   [this] { removeEntries(m_document, m_playlistView->selectedRowNumbers()); });
}

void MainWindow::addFolderTree() {
    auto* walk =
        new FolderTreeAdd(m_document, m_fs, m_dialogs, m_folderList->highlightedPath(), this);
    if (m_runningWalks++ == 0)
        setCursor(Qt::WaitCursor);
    // The whole walk is one step, however many turns it takes. New or Open
    // meanwhile start a new history: the rest of the walk is one step there.
    auto step = std::make_shared<int>(m_history->begin(PlaylistHistory::Kind::Add));
    refreshUndoActions();
    connect(walk, &FolderTreeAdd::aboutToAdd, this, [this, step] {
        if (!m_history->isOpen(*step))
            *step = m_history->begin(PlaylistHistory::Kind::Add);
    });
    connect(walk, &FolderTreeAdd::finished, this, [this, walk, step] {
        walk->deleteLater();
        m_history->end(*step);
        --m_runningWalks;
        refreshUndoActions();
        if (m_runningWalks == 0)
            unsetCursor();
    });
    showLongWork(walk);
    walk->start();
}

void MainWindow::showLongWork(LongWork* work) {
    m_workStatus->watch(work);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!std::exchange(m_shownBefore, true))
        centreOnScreen(this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close box, Exit and the window manager's close all arrive here.
    // A look for missing files has changed nothing yet: it just stops.
    m_missingEntries->cancel();
    // A load in progress stops; the playlist stays the one it would replace.
    if (m_load)
        m_load->cancel();
    // Walks stop first, keeping what they added: the question is about
    // the playlist as it stays. A listing hung in a read is not waited for.
    for (FolderTreeAdd* walk : findChildren<FolderTreeAdd*>(Qt::FindDirectChildrenOnly))
        walk->stop();
    if (mayClosePlaylist(m_document, m_fs, m_dialogs)) {
        rememberOnClose();
        event->accept();
    } else
        event->ignore();
}
