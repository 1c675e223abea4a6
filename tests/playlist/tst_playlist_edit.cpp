// The edits the history keeps: whatever a command did to the entries, in any
// mix of single adds, merged batches, removals and re-roots, taking it back
// gives the playlist as it was and doing it again the playlist after.

#include "playlist/add_commands.h"
#include "playlist/root_commands.h"
#include "playlist_fixture.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool same(const QList<PlaylistEntry>& a, const QList<PlaylistEntry>& b) {
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                      [](const PlaylistEntry& x, const PlaylistEntry& y) {
                          return x.text == y.text && x.directives == y.directives;
                      });
}

} // namespace

class TestPlaylistEdit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void undoAndRedoGiveBothStatesBack_data();
    void undoAndRedoGiveBothStatesBack();
    void wholeWalkOnTheDiskIsOneEdit();
};

void TestPlaylistEdit::undoAndRedoGiveBothStatesBack_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("rounds");
    QTest::addColumn<bool>("reRoot");
    // Several rounds make interleaved parts; small and large batches take
    // the single-insert and the merge paths.
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        QTest::addRow("seed %u, one round", seed) << seed << 1 << false;
        QTest::addRow("seed %u, mixed rounds", seed) << seed << 8 << (seed % 2 == 0);
    }
}

void TestPlaylistEdit::undoAndRedoGiveBothStatesBack() {
    QFETCH(quint32, seed);
    QFETCH(int, rounds);
    QFETCH(bool, reRoot);
    QRandomGenerator random(seed);
    PlaylistFixture<> f;
    QAbstractItemModelTester tester(f.document.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int i = 0; i < 60; ++i)
        f.document.insertEntry(u"C:\\M\\%1.mp3"_s.arg(random.bounded(1000)), {u"#%1"_s.arg(i)});
    f.document.markSaved(f.document.filePath(), std::nullopt);
    const QList<PlaylistEntry> before = f.document.allEntries();

    const int edit = f.document.beginEdit();
    int next = 1000;
    for (int round = 0; round < rounds; ++round) {
        {
            const PlaylistDocument::Batch batch(f.document);
            const int adds = random.bounded(2) ? 3 : 50;
            for (int i = 0; i < adds; ++i)
                f.document.addFile(u"C:\\M\\%1.mp3"_s.arg(random.bounded(2000) + next));
            next += 2000;
        }
        f.document.addFile(u"C:\\M\\single%1.mp3"_s.arg(round));
        QList<int> rows;
        for (int i = 0; i < 10 && f.document.count() > 0; ++i)
            rows.append(static_cast<int>(random.bounded(f.document.count())));
        f.document.removeRows(rows);
        if (reRoot && round == rounds / 2)
            QVERIFY(f.document.changeRoot(u"C:\\M\\"_s));
    }
    PlaylistEdit done = f.document.endEdit(edit);
    const QList<PlaylistEntry> after = f.document.allEntries();
    const QString rootAfter = f.document.rootPath();
    QVERIFY(!done.isEmpty());

    f.document.undo(done, true);
    QVERIFY(same(f.document.allEntries(), before));
    QCOMPARE(f.document.rootPath(), QString());
    QVERIFY(!f.document.isModified());
    // The duplicate index came back with the entries.
    QCOMPARE(f.document.addFile(u"C:\\M\\single0.mp3"_s), PlaylistDocument::AddResult::Added);
    f.document.removeRows(
        {static_cast<int>(f.document.entries().indexOf(u"C:\\M\\single0.mp3"_s))});

    f.document.redo(done, false);
    QVERIFY(same(f.document.allEntries(), after));
    QCOMPARE(f.document.rootPath(), rootAfter);
    QVERIFY(f.document.isModified());
    f.document.undo(done, true);
    QVERIFY(same(f.document.allEntries(), before));
}

// Add Entire Dir on a real tree, its batches merged over many turns: one
// edit, and taking it back leaves the playlist as it was.
void TestPlaylistEdit::wholeWalkOnTheDiskIsOneEdit() {
    PlaylistFixture<NativeFileSystem, ScriptedDialogs> f;
    NativeTree tree;
    for (int i = 0; i < 3000; ++i)
        tree.makeFile(u"d%1/f%2.mp3"_s.arg(i % 37).arg(i));
    f.document.insertEntry(tree.path(u"d0/f0.mp3"_s));
    f.document.insertEntry(u"/elsewhere/z.mp3"_s);
    const QStringList before = f.entries();

    const int edit = f.document.beginEdit();
    QVERIFY(addFolderTree(f, tree.path()));
    PlaylistEdit walk = f.document.endEdit(edit);
    QCOMPARE(f.document.count(), 3001);
    QCOMPARE(walk.insertedCount(), 2999);

    const QStringList after = f.entries();
    f.document.undo(walk, true);
    QCOMPARE(f.entries(), before);
    f.document.redo(walk, false);
    QCOMPARE(f.entries(), after);
}

QTEST_GUILESS_MAIN(TestPlaylistEdit)
#include "tst_playlist_edit.moc"
