// The main window offscreen, driven through its widgets: layout, start-up,
// how it follows the document, drops and closing (the browser has tests of
// its own). The commands themselves are tested in their rooms.
#include "about/about.h"
#include "held_file_system.h"
#include "main_window/work_status_bar.h"
#include "main_window_fixture.h"
#include "playlist/long_work.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

using window_test::Window;

namespace {

// The window as it was designed, in twips (15 to a pixel at 96 dpi):
// left, top, width, height of each control in the client area.
struct Designed {
    const char* name;
    int left, top, width, height;
};
constexpr Designed kDesignedLayout[] = {
    {"driveBox", 120, 120, 3135, 315},
    {"fileList", 3360, 120, 4695, 3144},
    {"folderList", 120, 480, 3135, 3015},
    {"makeRootButton", 120, 3600, 975, 375},
    {"addFolderTreeButton", 1200, 3600, 2055, 375},
    {"addSelectedFilesButton", 3480, 3600, 4455, 375},
    {"playlistTitleLabel", 120, 4110, 7815, 255},
    {"rootCaptionLabel", 120, 4440, 495, 255},
    {"rootLabel", 720, 4440, 6975, 255},
    {"clearRootButton", 7800, 4440, 255, 255},
    {"playlistView", 120, 4800, 7935, 2928},
    {"removeButton", 6120, 7920, 2055, 360},
};
constexpr QSize kDesignedClient(8208 / 15, 8340 / 15);

// The outer frame in the middle of the screen's free area, to the pixel the
// halving leaves.
bool centredOnItsScreen(const QWidget* window) {
    const QRect area = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    return qAbs(2 * (frame.left() - area.left()) + frame.width() - area.width()) <= 1 &&
           qAbs(2 * (frame.top() - area.top()) + frame.height() - area.height()) <= 1;
}

QString placement(const QWidget* window) {
    const QRect area = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    return u"frame %1,%2 %3x%4 on %5,%6 %7x%8"_s.arg(frame.left())
        .arg(frame.top())
        .arg(frame.width())
        .arg(frame.height())
        .arg(area.left())
        .arg(area.top())
        .arg(area.width())
        .arg(area.height());
}

bool near(const QRect& a, const QRect& b, int tolerance = 2) {
    return qAbs(a.left() - b.left()) <= tolerance && qAbs(a.top() - b.top()) <= tolerance &&
           qAbs(a.width() - b.width()) <= tolerance && qAbs(a.height() - b.height()) <= tolerance;
}

// The window over `fs`, which wraps the fixture's, on screen.
bool openOver(Window& w, FileSystem& fs) {
    w.window = std::make_unique<MainWindow>(fs, &w.dialogs);
    w.window->startUp({});
    w.window->show();
    return QTest::qWaitForWindowActive(w.window.get());
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void menusShortcutsAndSpokenNames();
    void tabOrderRunsBrowserPlaylistButtons();
    void firstSizeIsTheDesignedLayoutAndTheMinimum();
    void resizingGrowsTheListsAndKeepsTheButtons();
    void bothWindowsCentreTheirOuterFrame();
    void playlistTitleIsInThePlatformSansSerif();
    void startUpNamesTheUntitledPlaylist_data();
    void startUpNamesTheUntitledPlaylist();
    void fileListShowsAudioFilesInAnyCase();
    void windowFollowsTheDocument();
    void removeFollowsThePlaylistSelection();
    void rootLabelShowsAndSpeaksTheRootPath();
    void playlistSelectionSurvivesAMergedBatch();
    void buttonsRunTheirCommands();
    void addFolderTreeShowsTheBusyPointerUntilItEnds();
    void dropOnThePlaylistAddsTheFiles();
    void commandLinePlaylistIsOpenedAtStartUp();
    void commandsRestWhileAPlaylistLoads();
    void startUpLoadShowsProgressAndCanBeCancelled();
    void closingAsksWhileChangesArePending();
    void closingDuringAWalkCancelsItThenAsks();
    void walkWaitsBehindAQuestionThenFillsTheNewPlaylist();
};

void TestMainWindow::cleanup() {
    // No dialog may be left open behind a test.
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMainWindow::menusShortcutsAndSpokenNames() {
    Window w;
    w.open();
    // The File menu's standard keys; the other items have none.
    const QList<std::pair<const char*, QKeySequence>> keys = {{"newAction", QKeySequence::New},
                                                              {"openAction", QKeySequence::Open},
                                                              {"saveAction", QKeySequence::Save},
                                                              {"saveAsAction", {}},
                                                              {"exitAction", {}},
                                                              {"associateAction", {}},
                                                              {"aboutAction", {}}};
    for (const auto& [name, sequence] : keys)
        QCOMPARE(w.find<QAction>(QLatin1String(name))->shortcut(), sequence);
    QCOMPARE(w.find<QAction>(u"newAction"_s)->shortcut(), QKeySequence(u"Ctrl+N"_s));

    // What a screen reader says for the controls without a caption.
    const QList<std::pair<const char*, const char*>> spoken = {{"driveBox", "Drives"},
                                                               {"folderList", "Folders"},
                                                               {"fileList", "Files"},
                                                               {"playlistView", "Playlist"},
                                                               {"clearRootButton", "Clear root"}};
    for (const auto& [name, text] : spoken)
        QCOMPARE(w.find<QWidget>(QLatin1String(name))->accessibleName(), QLatin1String(text));
    QCOMPARE(w.find<QLabel>(u"rootLabel"_s)->accessibleDescription(), u"Root path"_s);
}

void TestMainWindow::tabOrderRunsBrowserPlaylistButtons() {
    Window w;
    w.open();
    QStringList order;
    QWidget* at = w.find<QWidget>(u"driveBox"_s);
    for (int i = 0; i < 9; ++i, at = at->nextInFocusChain()) {
        while (at->focusPolicy() == Qt::NoFocus || !at->isVisibleTo(w.window.get()))
            at = at->nextInFocusChain();
        order.append(at->objectName());
    }
    QCOMPARE(order,
             (QStringList{u"driveBox"_s, u"fileList"_s, u"folderList"_s, u"playlistView"_s,
                          u"removeButton"_s, u"addFolderTreeButton"_s, u"addSelectedFilesButton"_s,
                          u"makeRootButton"_s, u"clearRootButton"_s}));
}

void TestMainWindow::firstSizeIsTheDesignedLayoutAndTheMinimum() {
    Window w;
    QVERIFY(w.openAndShow());
    QWidget* client = w.window->centralWidget();
    QCOMPARE(client->size(), kDesignedClient);
    QCOMPARE(w.window->size(), w.window->minimumSize());
    for (const Designed& d : kDesignedLayout) {
        const QRect designed((d.left + 7) / 15, (d.top + 7) / 15, (d.width + 7) / 15,
                             (d.height + 7) / 15);
        const QWidget* widget = w.find<QWidget>(QLatin1String(d.name));
        const QRect actual(widget->mapTo(client, QPoint(0, 0)), widget->size());
        QVERIFY2(near(actual, designed),
                 qPrintable(u"%1 at %2,%3 %4x%5"_s.arg(QLatin1String(d.name))
                                .arg(actual.x())
                                .arg(actual.y())
                                .arg(actual.width())
                                .arg(actual.height())));
    }
}

void TestMainWindow::resizingGrowsTheListsAndKeepsTheButtons() {
    Window w;
    QVERIFY(w.openAndShow());
    const QStringList lists = {u"folderList"_s, u"fileList"_s, u"playlistView"_s};
    const QStringList buttons = {u"makeRootButton"_s, u"addFolderTreeButton"_s,
                                 u"addSelectedFilesButton"_s, u"clearRootButton"_s,
                                 u"removeButton"_s};
    QHash<QString, QSize> before;
    for (const QString& name : lists + buttons)
        before.insert(name, w.find<QWidget>(name)->size());

    w.window->resize(1000, 800);
    QTRY_COMPARE(w.window->size(), QSize(1000, 800));
    for (const QString& name : lists) {
        const QSize now = w.find<QWidget>(name)->size();
        QVERIFY2(now.width() > before[name].width() && now.height() > before[name].height(),
                 qPrintable(u"%1 %2x%3 -> %4x%5"_s.arg(name)
                                .arg(before[name].width())
                                .arg(before[name].height())
                                .arg(now.width())
                                .arg(now.height())));
    }
    for (const QString& name : buttons)
        QCOMPARE(w.find<QWidget>(name)->size(), before[name]);
    // The playlist takes the most of the extra height, and the buttons under
    // the browser stay in one row.
    QVERIFY(w.playlist()->height() > w.folders()->height());
    QCOMPARE(w.find<QWidget>(u"makeRootButton"_s)->y(),
             w.find<QWidget>(u"addSelectedFilesButton"_s)->y());
    // It never gets smaller than at first.
    w.window->resize(200, 200);
    QTRY_COMPARE(w.window->size(), w.window->minimumSize());
}

void TestMainWindow::bothWindowsCentreTheirOuterFrame() {
    Window w;
    QVERIFY(w.openAndShow());
    QVERIFY2(centredOnItsScreen(w.window.get()), qPrintable(placement(w.window.get())));
    // The About window too, on the screen rather than on the main window,
    // each time it opens.
    w.window->move(0, 0);
    for (int opening = 0; opening < 2; ++opening) {
        AboutWindow about(w.window.get());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QVERIFY2(centredOnItsScreen(&about), qPrintable(placement(&about)));
        about.move(5, 5);
    }
}

void TestMainWindow::playlistTitleIsInThePlatformSansSerif() {
    Window w;
    w.open();
    const QFont font = w.find<QLabel>(u"playlistTitleLabel"_s)->font();
    QFont sansSerif;
    sansSerif.setStyleHint(QFont::SansSerif);
    // Named outright, not an alias left to a fallback to decide.
    QCOMPARE(font.family(), sansSerif.defaultFamily());
    QCOMPARE(QFontInfo(font).family(), font.family());
    QCOMPARE(font.pointSizeF(), 9.6);
    QVERIFY(!font.bold());
}

void TestMainWindow::startUpNamesTheUntitledPlaylist_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("name");
    QTest::newRow("folder") << u"C:\\Music"_s << u"C:\\Music\\untitled.m3u"_s;
    QTest::newRow("drive top") << u"D:\\"_s << u"D:\\untitled.m3u"_s;
}

void TestMainWindow::startUpNamesTheUntitledPlaylist() {
    QFETCH(QString, start);
    QFETCH(QString, name);
    Window w(start);
    w.open();
    QCOMPARE(w.doc().filePath(), name);
    QCOMPARE(w.window->windowTitle(), u"Songbinder - "_s + name);
    QCOMPARE(w.find<QLabel>(u"playlistTitleLabel"_s)->text(),
             u"Current Playlist ("_s + name + u')');
    QCOMPARE(w.doc().count(), 0);
    for (const QString& off : {u"saveAction"_s, u"removeButton"_s, u"addSelectedFilesButton"_s})
        QVERIFY2(!w.enabled(off), qPrintable(off));
    QVERIFY(!w.doc().isModified());
    QVERIFY(!w.doc().isBoundToFile());
    QVERIFY(w.dialogs.shown().isEmpty());
}

void TestMainWindow::fileListShowsAudioFilesInAnyCase() {
    Window w;
    w.open();
    QCOMPARE(w.fileNames(), (QStringList{u"A.MP3"_s, u"b.mp3"_s, u"c.Wav"_s, u"d.wma"_s}));
}

void TestMainWindow::windowFollowsTheDocument() {
    Window w;
    w.open();
    w.doc().markModifiedWithoutChange();
    QVERIFY(w.enabled(u"saveAction"_s));
    QVERIFY(w.window->isWindowModified());
    w.doc().unbindFrom(u"D:\\Lists\\party.m3u"_s);
    QCOMPARE(w.window->windowTitle(), u"Songbinder - D:\\Lists\\party.m3u"_s);
    QCOMPARE(w.find<QLabel>(u"playlistTitleLabel"_s)->text(),
             u"Current Playlist (D:\\Lists\\party.m3u)"_s);
    w.doc().markSaved(w.doc().filePath(), std::nullopt);
    QVERIFY(!w.enabled(u"saveAction"_s));
    QVERIFY(!w.window->isWindowModified());
}

void TestMainWindow::removeFollowsThePlaylistSelection() {
    Window w;
    QVERIFY(w.openAndShow());
    w.doc().insertEntry(u"C:\\a.mp3"_s);
    w.doc().insertEntry(u"C:\\b.mp3"_s);
    QVERIFY(!w.enabled(u"removeButton"_s));
    const QModelIndex second = w.playlist()->model()->index(1, 0);
    QTest::mouseClick(w.playlist()->viewport(), Qt::LeftButton, {},
                      w.playlist()->visualRect(second).center());
    QVERIFY(w.enabled(u"removeButton"_s));
    w.click(u"removeButton"_s);
    QCOMPARE(w.doc().entries(), QStringList{u"C:\\a.mp3"_s});
    QVERIFY(!w.enabled(u"removeButton"_s));
    QVERIFY(w.enabled(u"saveAction"_s));

    // Rows that go with New take their selection along.
    w.playlist()->selectAll();
    QVERIFY(w.enabled(u"removeButton"_s));
    w.dialogs.expectMessage(u"Save Current File First?"_s, MessageAnswer::No);
    w.find<QAction>(u"newAction"_s)->trigger();
    QCOMPARE(w.doc().count(), 0);
    QVERIFY(!w.enabled(u"removeButton"_s));
}

void TestMainWindow::rootLabelShowsAndSpeaksTheRootPath() {
    Window w;
    w.open();
    w.doc().setRootPath(u"C:\\Music\\"_s);
    auto* label = w.find<QLabel>(u"rootLabel"_s);
    QCOMPARE(label->text(), u"C:\\Music\\"_s);
    QCOMPARE(label->accessibleName(), u"C:\\Music\\"_s);
}

void TestMainWindow::playlistSelectionSurvivesAMergedBatch() {
    Window w;
    w.open();
    PlaylistDocument& doc = w.doc();
    doc.insertEntry(u"C:\\m\\b.mp3"_s);
    doc.insertEntry(u"C:\\m\\q.mp3"_s);
    w.playlist()->selectionModel()->select(doc.model()->index(1), QItemSelectionModel::Select);
    {
        const PlaylistDocument::Batch batch(doc);
        for (int i = 0; i < 200; ++i)
            doc.insertEntry(u"C:\\m\\a%1.mp3"_s.arg(i));
    }
    QCOMPARE(doc.count(), 202);
    const QModelIndexList rows = w.playlist()->selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(doc.entry(rows.first().row()), u"C:\\m\\q.mp3"_s);
    QVERIFY(w.enabled(u"removeButton"_s));
}

void TestMainWindow::buttonsRunTheirCommands() {
    Window w;
    QVERIFY(w.openAndShow());
    w.files()->item(1)->setSelected(true);
    w.files()->item(3)->setSelected(true);
    w.click(u"addSelectedFilesButton"_s);
    QCOMPARE(w.doc().entries(), (QStringList{u"C:\\Music\\b.mp3"_s, u"C:\\Music\\d.wma"_s}));
    QVERIFY(w.enabled(u"saveAction"_s));

    w.click(u"makeRootButton"_s);
    QCOMPARE(w.find<QLabel>(u"rootLabel"_s)->text(), u"C:\\Music\\"_s);
    QCOMPARE(w.doc().entries(), (QStringList{u"b.mp3"_s, u"d.wma"_s}));
    w.click(u"clearRootButton"_s);
    QCOMPARE(w.find<QLabel>(u"rootLabel"_s)->text(), QString());
    QCOMPARE(w.doc().entries(), (QStringList{u"C:\\Music\\b.mp3"_s, u"C:\\Music\\d.wma"_s}));

    w.doc().startUntitled(w.doc().filePath());
    w.click(u"addFolderTreeButton"_s);
    QTRY_COMPARE(w.doc().count(), 6); // the walk takes hidden files too
}

void TestMainWindow::addFolderTreeShowsTheBusyPointerUntilItEnds() {
    Window w;
    QVERIFY(w.openAndShow());
    w.click(u"addFolderTreeButton"_s);
    QCOMPARE(w.window->cursor().shape(), Qt::WaitCursor);
    QTRY_COMPARE(w.window->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(w.doc().count(), 6);
}

void TestMainWindow::dropOnThePlaylistAddsTheFiles() {
    Window w;
    QVERIFY(w.openAndShow());
    QMimeData data;
    data.setUrls(
        {QUrl::fromLocalFile(u"/music/b b.mp3"_s), QUrl::fromLocalFile(u"/music/a.mp3"_s)});
    const QPoint at = w.playlist()->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.playlist()->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.playlist()->viewport(), &drop);
    // The program the files came from waits until the drop event returns:
    // the adds, and any box they show, come after it.
    QVERIFY(w.doc().entries().isEmpty());
    QTRY_COMPARE(w.doc().entries(), (QStringList{u"/music/a.mp3"_s, u"/music/b b.mp3"_s}));
    QVERIFY(w.enabled(u"saveAction"_s));
}

void TestMainWindow::commandLinePlaylistIsOpenedAtStartUp() {
    Window w;
    w.fs.addFile(u"C:\\Lists\\my list.m3u"_s, "C:\\Music\\b.mp3\r\n");
    w.open({u"\"C:\\Lists\\my"_s, u"list.m3u\""_s});
    QCOMPARE(w.window->windowTitle(), u"Songbinder - C:\\Lists\\my list.m3u"_s);
    QCOMPARE(w.doc().entries(), QStringList{u"C:\\Music\\b.mp3"_s});
    QVERIFY(w.doc().isBoundToFile());
    QVERIFY(!w.enabled(u"saveAction"_s));

    // A playlist restored from a recovery copy comes first, named already,
    // and is not replaced by the command line's.
    for (const bool restored : {false, true}) {
        QString seen;
        w.window = std::make_unique<MainWindow>(w.fs, &w.dialogs);
        w.window->startUp({u"C:\\Lists\\my list.m3u"_s}, [&](PlaylistDocument& document, Dialogs&) {
            seen = document.filePath();
            if (restored)
                document.unbindFrom(u"C:\\Lists\\restored.m3u"_s);
            return restored;
        });
        QVERIFY(w.waitUntilIdle());
        QCOMPARE(seen, u"C:\\Music\\untitled.m3u"_s);
        QCOMPARE(w.doc().filePath(),
                 restored ? u"C:\\Lists\\restored.m3u"_s : u"C:\\Lists\\my list.m3u"_s);
    }
}

// Nothing may change or replace the playlist that a load will replace: the
// commands rest while the status bar shows the load. Closing the window
// stops it; the playlist stays.
void TestMainWindow::commandsRestWhileAPlaylistLoads() {
    Window w;
    HeldFileSystem held(w.fs);
    w.window = std::make_unique<MainWindow>(held, &w.dialogs);
    // The playlist it would replace has a missing entry to look for.
    w.fs.addFile(u"C:\\Lists\\old.m3u"_s, "C:\\Old\\a.mp3\r\n");
    w.dialogs.expectMessage(u"Remove Files That No Longer Exist?"_s, MessageAnswer::No);
    w.window->startUp({u"C:\\Lists\\old.m3u"_s});
    QTRY_VERIFY(!w.window->isStartingUp());
    w.window->show();
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    QTRY_VERIFY(w.enabled(u"removeMissingAction"_s));
    w.fs.addFile(u"C:\\Lists\\mix.m3u"_s, "C:\\Music\\b.mp3\r\n");
    // Once the file is read, its look-ups wait.
    w.fs.setBeforeRead([&](const QString&) { held.hold(); });
    w.dialogs.expectOpen(u"C:\\Lists\\mix.m3u"_s);
    w.find<QAction>(u"openAction"_s)->trigger();
    QTRY_VERIFY(held.heldCalls() > 0);

    for (const char* name :
         {"client", "newAction", "openAction", "recentMenuAction", "saveAsAction", "undoAction",
          "findMovedFilesAction", "removeMissingAction"})
        QVERIFY2(!w.enabled(QLatin1String(name)), name);
    QVERIFY(w.enabled(u"exitAction"_s));
    const auto* bar = w.window->findChild<WorkStatusBar*>();
    QTRY_VERIFY(bar->isVisible());
    QVERIFY(bar->currentWork()->statusText().contains(u"C:\\Lists\\mix.m3u"_s));

    QVERIFY(w.window->close());
    held.release();
    w.window.reset();
    QVERIFY(w.dialogs.done());
}

// The window shows once the command-line playlist is in; meanwhile a
// progress window of its own shows, whose Cancel starts the program with the
// untitled playlist.
void TestMainWindow::startUpLoadShowsProgressAndCanBeCancelled() {
    Window w;
    HeldFileSystem held(w.fs);
    w.fs.addFile(u"C:\\Lists\\mix.m3u"_s, "C:\\Music\\b.mp3\r\n");
    w.fs.setBeforeRead([&](const QString&) { held.hold(); });
    w.window = std::make_unique<MainWindow>(held, &w.dialogs);
    QSignalSpy finished(w.window.get(), &MainWindow::startUpFinished);
    w.window->startUp({u"C:\\Lists\\mix.m3u"_s});
    w.window->showAfterStartUp();
    QVERIFY(w.window->isStartingUp());
    auto* progress = w.find<QProgressDialog>(u"startUpProgress"_s);
    QTRY_VERIFY(progress->isVisible());
    QVERIFY(!w.window->isVisible());

    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    held.release();
    QVERIFY(finished.wait(5000));
    QVERIFY(w.window->isVisible());
    QCOMPARE(w.doc().filePath(), u"C:\\Music\\untitled.m3u"_s);
    QVERIFY(w.doc().entries().isEmpty());
    w.window.reset();
}

void TestMainWindow::closingAsksWhileChangesArePending() {
    Window w;
    QVERIFY(w.openAndShow());
    w.doc().markModifiedWithoutChange();
    w.dialogs.expectMessage(u"Save File Before Exiting?"_s, MessageAnswer::Cancel);
    w.find<QAction>(u"exitAction"_s)->trigger();
    QVERIFY(w.window->isVisible());
    w.dialogs.expectMessage(u"Save File Before Exiting?"_s, MessageAnswer::No);
    QVERIFY(w.window->close());
    QVERIFY(w.dialogs.done());
    QCOMPARE(w.fs.writeCount(), 0);
}

void TestMainWindow::closingDuringAWalkCancelsItThenAsks() {
    Window w;
    for (int i = 0; i < 30; ++i)
        w.fs.addFile(u"C:\\Music\\Deep\\%1\\t.mp3"_s.arg(i));
    HeldFileSystem held(w.fs);
    QVERIFY(openOver(w, held));
    w.doc().markModifiedWithoutChange();
    // The listing hangs in its first read, as on a dead mount.
    held.hold();
    w.click(u"addFolderTreeButton"_s);
    QVERIFY(held.waitForHeldCalls());
    QTRY_VERIFY(w.find<QWidget>(u"workStatusBar"_s)->isVisible());
    QCOMPARE(w.find<QLabel>(u"workStatusText"_s)->toolTip(),
             u"Adding files from C:\\Music\u2026 0 found, 0 added"_s);

    // The question comes at once: the walk has stopped, not waited for.
    w.dialogs.expectMessage(u"Save File Before Exiting?"_s, MessageAnswer::Cancel);
    QVERIFY(!w.window->close());
    QVERIFY(w.dialogs.done());
    QCOMPARE(w.window->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!w.find<QWidget>(u"workStatusBar"_s)->isVisible());

    // Nothing comes in once the read returns.
    held.release();
    QVERIFY(FolderTreeAdd::waitForListings(10000));
    QTest::qWait(50);
    QCOMPARE(w.doc().count(), 0);
    w.dialogs.expectMessage(u"Save File Before Exiting?"_s, MessageAnswer::No);
    QVERIFY(w.window->close());
    w.window.reset();
}

void TestMainWindow::walkWaitsBehindAQuestionThenFillsTheNewPlaylist() {
    Window w;
    QStringList tree = {u"C:\\Music\\A.MP3"_s, u"C:\\Music\\b.mp3"_s, u"C:\\Music\\c.Wav"_s,
                        u"C:\\Music\\d.wma"_s, u"C:\\Music\\h.mp3"_s, u"C:\\Music\\Rock\\r.mp3"_s};
    for (int i = 0; i < 200; ++i) {
        tree.append(u"C:\\Music\\Deep\\F%1\\t%2.mp3"_s.arg(i / 5).arg(i % 5));
        w.fs.addFile(tree.last());
    }
    std::sort(tree.begin(), tree.end(), PathRules::lessForPlaylist);
    HeldFileSystem held(w.fs);
    QVERIFY(openOver(w, held));
    w.doc().addFile(u"D:\\x.mp3"_s);
    held.hold();
    w.click(u"addFolderTreeButton"_s);
    QVERIFY(held.waitForHeldCalls());

    // File > New asks first. While it asks, the listing runs to its end,
    // but nothing is added behind the question.
    w.dialogs.expectMessage(u"Save Current File First?"_s, MessageAnswer::No, [&] {
        held.release();
        QVERIFY(FolderTreeAdd::waitForListings(10000));
        QTest::qWait(100);
        QCOMPARE(w.doc().entries(), QStringList{u"D:\\x.mp3"_s});
    });
    w.find<QAction>(u"newAction"_s)->trigger();
    QVERIFY(w.dialogs.done());

    // The walk goes on in the new playlist: everything, once, one step.
    QTRY_COMPARE(w.window->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(w.doc().entries(), tree);
    QAction* undo = w.find<QAction>(u"undoAction"_s);
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), u"Undo Add 206 Files"_s);
    undo->trigger();
    QCOMPARE(w.doc().count(), 0);
    QVERIFY(!undo->isEnabled());
    w.window.reset();
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
