// The main window offscreen: layout and texts, start-up, the refresh, the
// browser panel and Ctrl+A. The commands themselves are tested in their rooms.
#include "fake_file_system.h"
#include "main_window/main_window.h"
#include "scripted_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

struct Window {
    explicit Window(const QString& start = QStringLiteral("C:\\Music")) {
        fs.addFile(QStringLiteral("C:\\Music\\b.mp3"));
        fs.addFile(QStringLiteral("C:\\Music\\A.MP3"));
        fs.addFile(QStringLiteral("C:\\Music\\c.Wav"));
        fs.addFile(QStringLiteral("C:\\Music\\d.wma"));
        fs.addFile(QStringLiteral("C:\\Music\\notes.txt"));
        fs.addFile(QStringLiteral("C:\\Music\\h.mp3"), {}, {.hidden = true});
        fs.addFile(QStringLiteral("C:\\Music\\Rock\\r.mp3"));
        fs.addFolder(QStringLiteral("C:\\Music\\Empty"));
        fs.addFile(QStringLiteral("D:\\x.mp3"));
        fs.setCurrentFolder(start);
        form = std::make_unique<Form1>(fs, &dialogs);
    }
    // Start-up, then the window on screen (offscreen), as a user sees it.
    bool loadAndShow() {
        form->Form_Load({});
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }
    template <typename T> T* find(const char* name) {
        T* widget = form->findChild<T*>(QLatin1String(name));
        if (!widget)
            qWarning("no child %s", name);
        return widget;
    }
    QStringList fileNames() {
        QStringList names;
        auto* list = find<QListWidget>("File1");
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text());
        return names;
    }

    FakeFileSystem fs;
    ScriptedDialogs dialogs;
    std::unique_ptr<Form1> form;
};

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void controlsCarryTheirNamesAndTexts();
    void layoutIsFixedInTwips();
    void startUpNamesTheUntitledPlaylist_data();
    void startUpNamesTheUntitledPlaylist();
    void fileListShowsAudioFilesInAnyCase();
    void refreshFollowsFlagsAndSelection();
    void ctrlASelectsFilesWhereverTheFocusIs();
    void ctrlAOnEmptyFileListIsSwallowed();
    void highlightingAFolderMovesTheFileList();
    void openingAFolderThatCannotBeReadKeepsTheBrowser();
    void driveNotReadyKeepsThePreviousDrive();
    void driveRemembersItsLastFolder();
    void rootLabelShowsTheRootPath();
    void playlistSelectionSurvivesAMergedBatch();
    void hiddenTextEndsAtNul();
    void buttonsRunTheirCommands();
    void dropOnThePlaylistAddsTheFiles();
    void commandLinePlaylistIsOpenedAtStartUp();
    void closingAsksWhileChangesArePending();
    void closingDuringAWalkWaitsForItsEnd();
};

void TestForm1::cleanup() {
    // No dialog may be left open behind a test.
    QVERIFY(!QApplication::activeModalWidget());
}

void TestForm1::controlsCarryTheirNamesAndTexts() {
    Window w;
    w.form->Form_Load({});
    const QList<std::pair<const char*, const char*>> buttons = {
        {"cmdMakeRoot", "Make Root"},
        {"cmdAddDir", "Add Entire Dir To Playlist"},
        {"cmdAddFiles", "Add Selected Files To Playist"},
        {"cmdNoRoot", "x"},
        {"cmdRemove", "Remove Selected Items"}};
    for (const auto& [name, text] : buttons)
        QCOMPARE(w.find<QPushButton>(name)->text(), QLatin1String(text));
    QCOMPARE(w.find<QLabel>("Label2")->text(), QStringLiteral("Root:"));
    QVERIFY(!w.find<QLineEdit>("Text1")->isVisible());

    const QList<std::tuple<const char*, const char*, QKeySequence>> items = {
        {"mnuFileNew", "New", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"mnuFileOpen", "Open...", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"mnuFileSave", "Save", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"mnuFileSaveAs", "Save As...", QKeySequence()},
        {"mnuFileExit", "Exit", QKeySequence()},
        {"mnuHelpAss", "Associate Program", QKeySequence()},
        {"mnuHelpAbout", "About", QKeySequence()}};
    for (const auto& [name, text, keys] : items) {
        auto* action = w.find<QAction>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), QLatin1String(text));
        QCOMPARE(action->shortcut(), keys);
    }
    QVERIFY(w.find<QAction>("mnuFileSep")->isSeparator());

    const QList<std::pair<const char*, const char*>> spoken = {{"Drive1", "Drives"},
                                                               {"Dir1", "Folders"},
                                                               {"File1", "Files"},
                                                               {"List1", "Playlist"},
                                                               {"cmdNoRoot", "Clear root"}};
    for (const auto& [name, text] : spoken)
        QCOMPARE(w.find<QWidget>(name)->accessibleName(), QLatin1String(text));
    QCOMPARE(w.find<QLabel>("lblRoot")->accessibleDescription(), QStringLiteral("Root path"));

    // Tab order: Drive1, File1, Dir1, List1, then the buttons.
    QStringList order;
    QWidget* at = w.find<QWidget>("Drive1");
    for (int i = 0; i < 9; ++i, at = at->nextInFocusChain()) {
        while (at->focusPolicy() == Qt::NoFocus || !at->isVisibleTo(w.form.get()))
            at = at->nextInFocusChain();
        order.append(at->objectName());
    }
    QCOMPARE(order, (QStringList{"Drive1", "File1", "Dir1", "List1", "cmdRemove", "cmdAddDir",
                                 "cmdAddFiles", "cmdMakeRoot", "cmdNoRoot"}));
}

void TestForm1::layoutIsFixedInTwips() {
    Window w;
    w.form->Form_Load({});
    QCOMPARE(w.form->centralWidget()->size(), QSize(547, 556));
    QCOMPARE(w.find<QWidget>("List1")->geometry(), QRect(8, 320, 529, 195));
    QCOMPARE(w.find<QWidget>("File1")->geometry(), QRect(224, 8, 313, 210));
    QCOMPARE(w.find<QWidget>("cmdRemove")->geometry(), QRect(408, 528, 137, 24));
    QCOMPARE(w.form->minimumSize(), w.form->maximumSize());
}

void TestForm1::startUpNamesTheUntitledPlaylist_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("name");
    QTest::newRow("folder") << "C:\\Music"
                            << "C:\\Music\\untitled.m3u";
    QTest::newRow("drive top") << "D:\\"
                               << "D:\\untitled.m3u";
}

void TestForm1::startUpNamesTheUntitledPlaylist() {
    QFETCH(QString, start);
    QFETCH(QString, name);
    Window w(start);
    w.form->Form_Load({});
    QCOMPARE(w.form->state().sCurrentPlaylist, name);
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Songbinder - ") + name);
    QCOMPARE(w.find<QLabel>("Label1")->text(), QStringLiteral("Current Playlist (") + name + ')');
    QCOMPARE(w.form->state().playlist.count(), 0);
    QVERIFY(!w.find<QAction>("mnuFileSave")->isEnabled());
    QVERIFY(!w.find<QPushButton>("cmdRemove")->isEnabled());
    QVERIFY(!w.find<QPushButton>("cmdAddFiles")->isEnabled());
    QVERIFY(!w.form->state().bUnsaved);
    QVERIFY(!w.form->state().bBoundFile);
    QVERIFY(w.dialogs.shown().isEmpty());
}

void TestForm1::fileListShowsAudioFilesInAnyCase() {
    Window w;
    w.form->Form_Load({});
    QCOMPARE(w.fileNames(), (QStringList{"A.MP3", "b.mp3", "c.Wav", "d.wma"}));
    QCOMPARE(w.form->fileListFolder(), QStringLiteral("C:\\Music"));
}

void TestForm1::refreshFollowsFlagsAndSelection() {
    Window w;
    w.form->Form_Load({});
    auto* list = w.find<QListView>("List1");
    w.form->state().playlist.insertSorted(QStringLiteral("C:\\a.mp3"));
    w.form->state().playlist.insertSorted(QStringLiteral("C:\\b.mp3"));
    w.form->state().bUnsaved = true;
    w.form->state().sCurrentPlaylist = QStringLiteral("D:\\Lists\\party.m3u");
    w.form->RefreshWindowState();
    QVERIFY(w.find<QAction>("mnuFileSave")->isEnabled());
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Songbinder - D:\\Lists\\party.m3u"));
    QVERIFY(!w.find<QPushButton>("cmdRemove")->isEnabled());

    // Selecting a playlist item is a List1 click: Remove follows it.
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select);
    QVERIFY(w.find<QPushButton>("cmdRemove")->isEnabled());
    QCOMPARE(w.form->selectedPlaylistRows(), QList<int>{1});
    list->clearSelection();
    QVERIFY(!w.find<QPushButton>("cmdRemove")->isEnabled());
}

void TestForm1::ctrlASelectsFilesWhereverTheFocusIs() {
    Window w;
    QVERIFY(w.loadAndShow());
    auto* list = w.find<QListView>("List1");
    w.form->state().playlist.insertSorted(QStringLiteral("C:\\a.mp3"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(w.form->fileListSelection(), (QList<bool>{true, true, true, true}));
    QVERIFY(w.find<QPushButton>("cmdAddFiles")->isEnabled());
    QVERIFY(!list->selectionModel()->hasSelection());
}

void TestForm1::ctrlAOnEmptyFileListIsSwallowed() {
    Window w(QStringLiteral("C:\\Music\\Empty"));
    QVERIFY(w.loadAndShow());
    auto* list = w.find<QListView>("List1");
    w.form->state().playlist.insertSorted(QStringLiteral("C:\\a.mp3"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(!list->selectionModel()->hasSelection());
    QVERIFY(!w.find<QPushButton>("cmdAddFiles")->isEnabled());
}

void TestForm1::highlightingAFolderMovesTheFileList() {
    Window w;
    w.form->Form_Load({});
    auto* dirs = w.find<QListWidget>("Dir1");
    auto* files = w.find<QListWidget>("File1");
    files->item(0)->setSelected(true);
    QVERIFY(w.find<QPushButton>("cmdAddFiles")->isEnabled());
    const QList<QListWidgetItem*> rock = dirs->findItems(QStringLiteral("Rock"), Qt::MatchExactly);
    QCOMPARE(rock.size(), 1);
    dirs->setCurrentItem(rock.first());
    QCOMPARE(w.form->fileListFolder(), QStringLiteral("C:\\Music\\Rock"));
    QCOMPARE(w.fileNames(), QStringList{"r.mp3"});
    QCOMPARE(w.form->dirPath(), QStringLiteral("C:\\Music"));
    QCOMPARE(w.form->highlightedFolder(), QStringLiteral("C:\\Music\\Rock"));
    QVERIFY(!w.find<QPushButton>("cmdAddFiles")->isEnabled());

    // The refresh keeps the file list where it is and its selection.
    files->item(0)->setSelected(true);
    w.form->RefreshWindowState();
    QCOMPARE(w.form->fileListSelection(), QList<bool>{true});

    // Opening it (double click or Enter) makes it the open folder.
    QVERIFY(w.form->openFolder(QStringLiteral("C:\\Music\\Rock")));
    QCOMPARE(w.form->dirPath(), QStringLiteral("C:\\Music\\Rock"));
    QCOMPARE(w.form->fileListSelection(), QList<bool>{false});
}

void TestForm1::openingAFolderThatCannotBeReadKeepsTheBrowser() {
    Window w;
    w.fs.setUnreadable(QStringLiteral("C:\\Music\\Locked"));
    w.form->Form_Load({});
    w.dialogs.expectMessage({});
    QVERIFY(!w.form->openFolder(QStringLiteral("C:\\Music\\Locked")));
    QCOMPARE(w.dialogs.lastMessage().icon, MessageIcon::Exclamation);
    QVERIFY(w.dialogs.lastMessage().text.contains(QStringLiteral("C:\\Music\\Locked")));
    QCOMPARE(w.form->dirPath(), QStringLiteral("C:\\Music"));

    // Highlighting it tells once; the refresh afterwards does not repeat it.
    auto* dirs = w.find<QListWidget>("Dir1");
    w.dialogs.expectMessage({});
    dirs->setCurrentItem(dirs->findItems(QStringLiteral("Locked"), Qt::MatchExactly).first());
    QCOMPARE(w.form->fileListFolder(), QStringLiteral("C:\\Music"));
    w.form->RefreshWindowState();
    QVERIFY(w.dialogs.done());
}

void TestForm1::driveNotReadyKeepsThePreviousDrive() {
    Window w;
    w.fs.addDrive(QStringLiteral("E:\\"), false);
    w.form = std::make_unique<Form1>(w.fs, &w.dialogs);
    w.form->Form_Load({});
    auto* drives = w.find<QComboBox>("Drive1");
    QCOMPARE(drives->currentData().toString(), QStringLiteral("C:\\"));
    w.dialogs.expectMessage({});
    drives->setCurrentIndex(drives->findData(QStringLiteral("E:\\")));
    w.form->Drive1_Change();
    QVERIFY(w.dialogs.done());
    QCOMPARE(drives->currentData().toString(), QStringLiteral("C:\\"));
    QCOMPARE(w.form->dirPath(), QStringLiteral("C:\\Music"));
}

void TestForm1::driveRemembersItsLastFolder() {
    Window w;
    w.form->Form_Load({});
    auto* drives = w.find<QComboBox>("Drive1");
    drives->setCurrentIndex(drives->findData(QStringLiteral("D:\\")));
    w.form->Drive1_Change();
    QCOMPARE(w.form->dirPath(), QStringLiteral("D:\\"));
    QCOMPARE(w.fileNames(), QStringList{"x.mp3"});
    drives->setCurrentIndex(drives->findData(QStringLiteral("C:\\")));
    w.form->Drive1_Change();
    QCOMPARE(w.form->dirPath(), QStringLiteral("C:\\Music"));
}

void TestForm1::rootLabelShowsTheRootPath() {
    Window w;
    w.form->Form_Load({});
    w.form->state().playlist.setRootPath(QStringLiteral("C:\\Music\\"));
    auto* label = w.find<QLabel>("lblRoot");
    QCOMPARE(label->text(), QStringLiteral("C:\\Music\\"));
    QCOMPARE(label->accessibleName(), QStringLiteral("C:\\Music\\"));
}

void TestForm1::playlistSelectionSurvivesAMergedBatch() {
    Window w;
    w.form->Form_Load({});
    PlaylistModel& playlist = w.form->state().playlist;
    for (const char* e : {"C:\\m\\b.mp3", "C:\\m\\q.mp3"})
        playlist.insertSorted(QLatin1String(e));
    auto* list = w.find<QListView>("List1");
    list->selectionModel()->select(playlist.index(1), QItemSelectionModel::Select);
    playlist.beginBatch();
    for (int i = 0; i < 200; ++i)
        playlist.insertSorted(QStringLiteral("C:\\m\\a%1.mp3").arg(i));
    playlist.endBatch();
    QCOMPARE(playlist.count(), 202);
    const QList<int> rows = w.form->selectedPlaylistRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(playlist.entry(rows.first()), QStringLiteral("C:\\m\\q.mp3"));
    QVERIFY(w.find<QPushButton>("cmdRemove")->isEnabled());
}

void TestForm1::hiddenTextEndsAtNul() {
    Window w;
    w.form->setHiddenText(QStringLiteral("m3ufile") + QChar(0) + QStringLiteral("junk"));
    QCOMPARE(w.form->hiddenText(), QStringLiteral("m3ufile"));
}

void TestForm1::buttonsRunTheirCommands() {
    Window w;
    w.form->Form_Load({});
    auto* files = w.find<QListWidget>("File1");
    files->item(1)->setSelected(true);
    files->item(3)->setSelected(true);
    QTest::mouseClick(w.find<QPushButton>("cmdAddFiles"), Qt::LeftButton);
    QCOMPARE(w.form->state().playlist.entries(),
             (QStringList{"C:\\Music\\b.mp3", "C:\\Music\\d.wma"}));
    QVERIFY(w.find<QAction>("mnuFileSave")->isEnabled());

    QTest::mouseClick(w.find<QPushButton>("cmdMakeRoot"), Qt::LeftButton);
    QCOMPARE(w.find<QLabel>("lblRoot")->text(), QStringLiteral("C:\\Music\\"));
    QCOMPARE(w.form->state().playlist.entries(), (QStringList{"b.mp3", "d.wma"}));
    QTest::mouseClick(w.find<QPushButton>("cmdNoRoot"), Qt::LeftButton);
    QCOMPARE(w.find<QLabel>("lblRoot")->text(), QString());

    auto* list = w.find<QListView>("List1");
    list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::Select);
    QTest::mouseClick(w.find<QPushButton>("cmdRemove"), Qt::LeftButton);
    QCOMPARE(w.form->state().playlist.entries(), QStringList{"C:\\Music\\d.wma"});
    QVERIFY(!w.find<QPushButton>("cmdRemove")->isEnabled());

    w.form->state().playlist.clear();
    QTest::mouseClick(w.find<QPushButton>("cmdAddDir"), Qt::LeftButton);
    QCOMPARE(w.form->state().playlist.count(), 6); // the walk takes hidden files too
}

void TestForm1::dropOnThePlaylistAddsTheFiles() {
    Window w;
    QVERIFY(w.loadAndShow());
    auto* list = w.find<QListView>("List1");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/music/b b.mp3")),
                  QUrl::fromLocalFile(QStringLiteral("/music/a.mp3"))});
    const QPoint at = list->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &drop);
    QCOMPARE(w.form->state().playlist.entries(), (QStringList{"/music/a.mp3", "/music/b b.mp3"}));
    QVERIFY(w.find<QAction>("mnuFileSave")->isEnabled());
}

void TestForm1::commandLinePlaylistIsOpenedAtStartUp() {
    Window w;
    w.fs.addFile(QStringLiteral("C:\\Lists\\my list.m3u"), "C:\\Music\\b.mp3\r\n");
    w.form->Form_Load({QStringLiteral("\"C:\\Lists\\my"), QStringLiteral("list.m3u\"")});
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Songbinder - C:\\Lists\\my list.m3u"));
    QCOMPARE(w.form->state().playlist.entries(), QStringList{"C:\\Music\\b.mp3"});
    QVERIFY(w.form->state().bBoundFile);
    QVERIFY(!w.find<QAction>("mnuFileSave")->isEnabled());
}

void TestForm1::closingAsksWhileChangesArePending() {
    Window w;
    QVERIFY(w.loadAndShow());
    w.form->state().bUnsaved = true;
    w.dialogs.expectMessage(QStringLiteral("Save File Before Exiting?"), MessageAnswer::Cancel);
    w.find<QAction>("mnuFileExit")->trigger();
    QVERIFY(w.form->isVisible());
    w.dialogs.expectMessage(QStringLiteral("Save File Before Exiting?"), MessageAnswer::No);
    QVERIFY(w.form->close());
    QVERIFY(w.dialogs.done());
    QCOMPARE(w.fs.writeCount(), 0);
}

void TestForm1::closingDuringAWalkWaitsForItsEnd() {
    Window w;
    for (int i = 0; i < 30; ++i)
        w.fs.addFile(QStringLiteral("C:\\Music\\Deep\\%1\\t.mp3").arg(i));
    QVERIFY(w.loadAndShow());
    // The first time the walk looks at a folder, the user closes the window.
    bool closedDuringWalk = true;
    bool asked = false;
    w.fs.setBeforeSearch([&](const QString&) {
        if (!std::exchange(asked, true))
            closedDuringWalk = w.form->close();
    });
    w.dialogs.expectMessage(QStringLiteral("Save File Before Exiting?"), MessageAnswer::No);
    QTest::mouseClick(w.find<QPushButton>("cmdAddDir"), Qt::LeftButton);
    QVERIFY(!closedDuringWalk);
    QCOMPARE(w.form->state().playlist.count(), 36);
    QVERIFY(w.dialogs.done());
    QVERIFY(!w.form->isVisible());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
