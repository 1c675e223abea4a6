// Edit > Undo and Redo through the window: one step per command, whatever
// its size, the saved state as the stack's clean state, a fresh history after
// New and Open, and the Delete key.

#include "main_window/playlist_view.h"
#include "main_window_fixture.h"
#include "platform/translations.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QUndoStack>
#include <QUrl>

using namespace Qt::StringLiterals;
using window_test::Window;

namespace {

// What a step must bring back: the entries with their directive lines and
// the root path.
struct Playlist {
    QList<QPair<QString, QStringList>> entries;
    QString root;
    bool operator==(const Playlist&) const = default;
};

Playlist playlistOf(const PlaylistDocument& document) {
    Playlist playlist{{}, document.rootPath()};
    for (int row = 0; row < document.count(); ++row)
        playlist.entries.append({document.entry(row), document.directives(row)});
    return playlist;
}

enum class Command { AddSelected, AddFolderTree, Drop, Remove, DeleteKey, MakeRoot, ClearRoot };

} // namespace

Q_DECLARE_METATYPE(Command)

class TestUndo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The English plural forms ("Add 1 File") come from a translation too.
    void initTestCase() { installTranslations(*QCoreApplication::instance(), QLocale::c()); }
    void cleanup() { QVERIFY(!QApplication::activeModalWidget()); }
    void eachCommandIsOneStep_data();
    void eachCommandIsOneStep();
    void savedStateIsTheCleanState();
    void newAndOpenStartAFreshHistory();
    void undoRestsWhileAWalkAdds();
    void missingEntriesAreCountedAndFound();
};

void TestUndo::eachCommandIsOneStep_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("countAfter");
    QTest::addColumn<QString>("step");

    const QStringList music = {u"C:\\Music\\b.mp3"_s, u"C:\\Music\\d.wma"_s, u"C:\\Music\\x.mp3"_s,
                               u"C:\\Music\\y.mp3"_s};
    QTest::newRow("add selected files") << Command::AddSelected << QString() << QStringList{}
                                        << QList<int>{} << 2 << u"Add 2 Files"_s;
    QTest::newRow("add entire dir, one step for the walk")
        << Command::AddFolderTree << QString() << QStringList{u"C:\\Music\\b.mp3"_s}
        << QList<int>{0} << 6 << u"Add 5 Files"_s;
    QTest::newRow("drop") << Command::Drop << QString() << music << QList<int>{} << 6
                          << u"Add 2 Files"_s;
    QTest::newRow("remove a scattered selection")
        << Command::Remove << QString() << music << QList<int>{0, 2, 3} << 1
        << u"Remove 3 Entries"_s;
    QTest::newRow("Delete key") << Command::DeleteKey << QString() << music << QList<int>{1} << 3
                                << u"Remove 1 Entry"_s;
    QTest::newRow("make root") << Command::MakeRoot << QString() << music << QList<int>{1} << 4
                               << u"Make Root"_s;
    QTest::newRow("clear root") << Command::ClearRoot << u"C:\\Music\\"_s
                                << QStringList{u"Rock\\r.mp3"_s, u"b.mp3"_s} << QList<int>{0} << 2
                                << u"Clear Root"_s;
}

// Each command, then Undo, then Redo: everything comes back each time, and
// the menu names the step.
void TestUndo::eachCommandIsOneStep() {
    QFETCH(Command, command);
    QFETCH(QString, root);
    QFETCH(QStringList, entries);
    QFETCH(QList<int>, selected);
    QFETCH(int, countAfter);
    QFETCH(QString, step);

    Window w;
    QVERIFY(w.openAndShow());
    w.doc().setRootPath(root);
    for (const QString& entry : entries)
        w.doc().insertEntry(entry, {u"#EXTINF:1,"_s + entry});
    for (int row : selected)
        w.playlist()->selectionModel()->select(w.doc().model()->index(row),
                                               QItemSelectionModel::Select);
    QAbstractItemModelTester tester(w.doc().model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    const Playlist before = playlistOf(w.doc());
    auto* undo = w.find<QAction>(u"undoAction"_s);
    auto* redo = w.find<QAction>(u"redoAction"_s);
    QVERIFY(!undo->isEnabled());

    QMimeData dropped;
    switch (command) {
    case Command::AddSelected:
        w.files()->item(1)->setSelected(true);
        w.files()->item(3)->setSelected(true);
        w.click(u"addSelectedFilesButton"_s);
        break;
    case Command::AddFolderTree:
        w.click(u"addFolderTreeButton"_s);
        QTRY_COMPARE(w.window->cursor().shape(), Qt::ArrowCursor);
        break;
    case Command::Drop: {
        dropped.setUrls(
            {QUrl::fromLocalFile(u"/music/a.mp3"_s), QUrl::fromLocalFile(u"/music/b.mp3"_s)});
        const QPoint at = w.playlist()->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.playlist()->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.playlist()->viewport(), &drop);
        QTRY_VERIFY(w.doc().count() > 4);
        break;
    }
    case Command::Remove:
        w.click(u"removeButton"_s);
        break;
    case Command::DeleteKey:
        w.playlist()->setFocus();
        QTest::keyClick(w.playlist(), Qt::Key_Delete);
        break;
    case Command::MakeRoot:
        w.click(u"makeRootButton"_s);
        break;
    case Command::ClearRoot:
        w.click(u"clearRootButton"_s);
        break;
    }
    const Playlist after = playlistOf(w.doc());
    QCOMPARE(after.entries.size(), countAfter);
    QVERIFY(after != before);
    QVERIFY(w.doc().isModified());
    QCOMPARE(undo->text(), u"Undo "_s + step);
    QVERIFY(undo->isEnabled());
    QCOMPARE(redo->text(), u"Redo"_s);
    QVERIFY(!redo->isEnabled());

    undo->trigger();
    QVERIFY(playlistOf(w.doc()) == before);
    QCOMPARE(w.find<QLabel>(u"rootLabel"_s)->text(), root);
    QCOMPARE(static_cast<PlaylistView*>(w.playlist())->selectedRowNumbers(), selected);
    QVERIFY(!w.doc().isModified());
    QVERIFY(!w.enabled(u"saveAction"_s));
    QCOMPARE(undo->text(), u"Undo"_s);
    QCOMPARE(redo->text(), u"Redo "_s + step);

    redo->trigger();
    QVERIFY(playlistOf(w.doc()) == after);
    QVERIFY(w.doc().isModified());
    QVERIFY(w.enabled(u"saveAction"_s));
    QCOMPARE(undo->text(), u"Undo "_s + step);
}

// Save marks the state saved: undoing back to it clears the flag; a command
// that counts as a change without one keeps it set through any undo.
void TestUndo::savedStateIsTheCleanState() {
    Window w;
    QVERIFY(w.openAndShow());
    auto* undo = w.find<QAction>(u"undoAction"_s);
    auto* redo = w.find<QAction>(u"redoAction"_s);
    const auto addFile = [&](int row) {
        w.files()->clearSelection();
        w.files()->item(row)->setSelected(true);
        w.click(u"addSelectedFilesButton"_s);
    };
    addFile(1);
    w.find<QAction>(u"saveAction"_s)->trigger();
    QVERIFY(!w.doc().isModified());
    QSignalSpy clean(w.window->findChild<QUndoStack*>(u"undoStack"_s), &QUndoStack::cleanChanged);

    addFile(3);
    undo->trigger();
    QVERIFY(!w.doc().isModified());
    QVERIFY(!w.enabled(u"saveAction"_s));
    undo->trigger(); // past the saved state
    QVERIFY(w.doc().isModified());
    redo->trigger();
    QVERIFY(!w.doc().isModified());
    QCOMPARE(clean.size(), 4);

    addFile(1); // already there: no step, but a change by the rules
    QCOMPARE(undo->text(), u"Undo Add 1 File"_s);
    addFile(3);
    undo->trigger();
    QCOMPARE(w.doc().entries(), QStringList{u"C:\\Music\\b.mp3"_s});
    QVERIFY(w.doc().isModified());
    QVERIFY(w.enabled(u"saveAction"_s));
}

void TestUndo::newAndOpenStartAFreshHistory() {
    for (const char* command : {"newAction", "openAction"}) {
        Window w;
        QVERIFY(w.openAndShow());
        w.fs.addFile(u"C:\\Lists\\mix.m3u"_s, "C:\\Music\\d.wma\r\n");
        w.files()->item(1)->setSelected(true);
        w.click(u"addSelectedFilesButton"_s);
        w.dialogs.expectMessage({}, MessageAnswer::No); // save first?
        if (qstrcmp(command, "openAction") == 0)
            w.dialogs.expectOpen(u"C:\\Lists\\mix.m3u"_s);
        w.find<QAction>(QLatin1String(command))->trigger();
        QVERIFY(w.waitUntilIdle());
        QVERIFY(w.dialogs.done());
        QVERIFY(!w.enabled(u"undoAction"_s));
        QCOMPARE(w.find<QAction>(u"undoAction"_s)->text(), u"Undo"_s);
    }
}

void TestUndo::undoRestsWhileAWalkAdds() {
    Window w;
    QVERIFY(w.openAndShow());
    w.files()->item(1)->setSelected(true);
    w.click(u"addSelectedFilesButton"_s);
    QVERIFY(w.enabled(u"undoAction"_s));
    w.click(u"addFolderTreeButton"_s);
    QVERIFY(!w.enabled(u"undoAction"_s));
    QTRY_COMPARE(w.window->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(w.enabled(u"undoAction"_s));
    w.find<QAction>(u"undoAction"_s)->trigger();
    QCOMPARE(w.doc().entries(), QStringList{u"C:\\Music\\b.mp3"_s});
}

void TestUndo::missingEntriesAreCountedAndFound() {
    Window w;
    w.fs.addFile(u"C:\\Lists\\mix.m3u"_s, "C:\\Old\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
    w.dialogs.expectMessage(u"Remove Files That No Longer Exist?"_s, MessageAnswer::No);
    w.open({u"C:\\Lists\\mix.m3u"_s});
    auto* label = w.find<QLabel>(u"playlistTitleLabel"_s);
    QTRY_COMPARE(label->text(), u"Current Playlist (C:\\Lists\\mix.m3u) - 1 missing"_s);
    QVERIFY(w.enabled(u"removeMissingAction"_s));
    // Found in another letter case, in the folder the browser shows.
    w.dialogs.expectFolder(u"C:\\Music"_s);
    w.dialogs.expectMessage({}, MessageAnswer::Yes);
    w.find<QAction>(u"findMovedFilesAction"_s)->trigger();
    QCOMPARE(w.dialogs.lastFileDialog().initialFolder, u"C:\\Music"_s);
    QTRY_VERIFY(w.dialogs.done());
    QCOMPARE(w.doc().entries(), (QStringList{u"C:\\Music\\A.MP3"_s, u"C:\\Music\\b.mp3"_s}));
    QTRY_COMPARE(label->text(), u"Current Playlist (C:\\Lists\\mix.m3u)"_s);
    QVERIFY(!w.enabled(u"findMovedFilesAction"_s));
    auto* undo = w.find<QAction>(u"undoAction"_s);
    QCOMPARE(undo->text(), u"Undo Find Moved Files"_s);
    undo->trigger();
    QCOMPARE(w.doc().entries(), (QStringList{u"C:\\Music\\b.mp3"_s, u"C:\\Old\\a.mp3"_s}));
    QTRY_VERIFY(w.enabled(u"findMovedFilesAction"_s));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
