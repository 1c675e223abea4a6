// Find Moved Files and Remove Missing Entries on a real disk: a table of
// the ways music moves, what the summary lists, Cancel, and both commands
// undone and done again. The entries' missing marks through the model.

#include "held_file_system.h"
#include "platform/translations.h"
#include "playlist/find_moved_files.h"
#include "playlist/remove_missing_entries.h"
#include "playlist_fixture.h"

#include <QLocale>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Fixture : PlaylistFixture<NativeFileSystem, ScriptedDialogs> {
    // "{T}" stands for the temporary tree's path.
    QString at(QString text) const { return text.replace(u"{T}"_s, tree.path()); }
    QStringList at(const QStringList& texts) const {
        QStringList out;
        for (const QString& text : texts)
            out.append(at(text));
        return out;
    }
    // Each entry with a directive line naming its place: "#EXTINF:1,0"...
    void load(const QString& root, const QStringList& entries) {
        document.startUntitled(document.filePath());
        document.setRootPath(at(root));
        for (qsizetype i = 0; i < entries.size(); ++i)
            document.insertEntry(at(entries[i]), {u"#EXTINF:1,%1"_s.arg(i)});
    }
    // "directive's number|entry", sorted.
    QStringList numbered() const {
        QStringList out;
        for (const PlaylistEntry& entry : document.allEntries())
            out.append(entry.directives.value(0).section(u',', 1) + u'|' + entry.text);
        out.sort();
        return out;
    }
    void runToEnd(MissingEntriesWork& work) {
        work.start();
        QTRY_VERIFY_WITH_TIMEOUT(work.isFinished(), 20000);
    }
    // Each command's change as one edit of the document.
    MissingEntriesWork::AsOneStep recordInto(PlaylistEdit& edit) {
        return [this, &edit](const std::function<void()>& change) {
            const int token = document.beginEdit();
            change();
            edit = document.endEdit(token);
        };
    }
    // Find Moved Files below `folder` of the tree, or Remove Missing Entries,
    // its change recorded into `edit`.
    std::unique_ptr<MissingEntriesWork> command(bool find, const QString& folder,
                                                PlaylistEdit& edit) {
        if (find)
            return std::make_unique<FindMovedFiles>(document, fs, dialogs, tree.path(folder),
                                                    recordInto(edit));
        return std::make_unique<RemoveMissingEntries>(document, fs, dialogs, recordInto(edit));
    }

    NativeTree tree;
};

} // namespace

class TestMovedFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The English plural forms of the skipped folders' and names' messages.
    void initTestCase() { installTranslations(*QCoreApplication::instance(), QLocale::c()); }
    void findsMovedFiles_data();
    void findsMovedFiles();
    void matchesUnderWindowsRules_data();
    void matchesUnderWindowsRules();
    void longSummaryGoesIntoTheDetails();
    void cancelChangesNothing();
    void treeIsReadAsAddEntireDirReadsIt();
    void waitsForAnOpenBoxAndStopsForAnotherPlaylist();
    void entriesAddedMeanwhileStay();
    void playlistChangedMeanwhile_data();
    void playlistChangedMeanwhile();
    void commandIsOneStep_data();
    void commandIsOneStep();
    void missingEntriesShowWhereTheyWereLookedFor_data();
    void missingEntriesShowWhereTheyWereLookedFor();
};

void TestMovedFiles::findsMovedFiles_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("after");
    // Lines the summary holds; when nothing can be updated it only informs.
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("stillMissing");

    const QString arrow = u" \u2192 "_s;
    QTest::newRow("the whole library moved")
        << QString()
        << QStringList{u"{T}/old/Music/Artist/Album/01 Intro.mp3"_s, u"{T}/old/b.mp3"_s}
        << QStringList{u"new/Music/Artist/Album/01 Intro.mp3"_s, u"new/b.mp3"_s} << u"new"_s
        << QStringList{u"0|{T}/new/Music/Artist/Album/01 Intro.mp3"_s, u"1|{T}/new/b.mp3"_s}
        << QStringList{u"Found:"_s, u"  {T}/old/b.mp3"_s + arrow + u"{T}/new/b.mp3"_s} << 0;
    QTest::newRow("one artist's folder renamed, relative to the root")
        << u"{T}/lib/"_s << QStringList{u"Artist/a.mp3"_s, u"Other/c.mp3"_s}
        << QStringList{u"lib/Artist Renamed/a.mp3"_s, u"lib/Other/c.mp3"_s} << u"lib"_s
        << QStringList{u"0|Artist Renamed/a.mp3"_s, u"1|Other/c.mp3"_s}
        << QStringList{u"  {T}/lib/Artist/a.mp3"_s + arrow + u"{T}/lib/Artist Renamed/a.mp3"_s}
        << 0;
    QTest::newRow("renamed only in letter case")
        << QString() << QStringList{u"{T}/m/Song.mp3"_s} << QStringList{u"m/SONG.mp3"_s} << u"m"_s
        << QStringList{u"0|{T}/m/SONG.mp3"_s} << QStringList{u"Found:"_s} << 0;
    QTest::newRow("the exact name before another letter case")
        << QString() << QStringList{u"{T}/old/A/s.mp3"_s}
        << QStringList{u"new/A/S.mp3"_s, u"new/B/s.mp3"_s} << u"new"_s
        << QStringList{u"0|{T}/new/B/s.mp3"_s} << QStringList{u"Found:"_s} << 0;
    QTest::newRow("two albums: the longer shared tail decides")
        << QString() << QStringList{u"{T}/old/Artist/Album/01 Intro.mp3"_s}
        << QStringList{u"new/Other/Album/01 Intro.mp3"_s, u"new/Artist/Album/01 Intro.mp3"_s}
        << u"new"_s << QStringList{u"0|{T}/new/Artist/Album/01 Intro.mp3"_s}
        << QStringList{u"Found:"_s} << 0;
    QTest::newRow("two albums: a tie is ambiguous")
        << QString() << QStringList{u"{T}/old/X/Album/01 Intro.mp3"_s}
        << QStringList{u"new/A/Album/01 Intro.mp3"_s, u"new/B/Album/01 Intro.mp3"_s} << u"new"_s
        << QStringList{u"0|{T}/old/X/Album/01 Intro.mp3"_s}
        << QStringList{u"Ambiguous:"_s, u"  {T}/old/X/Album/01 Intro.mp3"_s,
                       u"    {T}/new/A/Album/01 Intro.mp3"_s, u"    {T}/new/B/Album/01 Intro.mp3"_s}
        << 1;
    QTest::newRow("found outside the root, and not found")
        << u"{T}/lib/"_s << QStringList{u"gone.mp3"_s, u"lost.mp3"_s}
        << QStringList{u"elsewhere/gone.mp3"_s} << QString()
        << QStringList{u"0|gone.mp3"_s, u"1|lost.mp3"_s}
        << QStringList{u"Outside the root path:"_s,
                       u"  {T}/lib/gone.mp3"_s + arrow + u"{T}/elsewhere/gone.mp3"_s,
                       u"Not found:"_s, u"  {T}/lib/lost.mp3"_s}
        << 2;
    QTest::newRow("found, but already in the playlist")
        << QString() << QStringList{u"{T}/old/a.mp3"_s, u"{T}/new/a.mp3"_s}
        << QStringList{u"new/a.mp3"_s} << u"new"_s
        << QStringList{u"0|{T}/old/a.mp3"_s, u"1|{T}/new/a.mp3"_s}
        << QStringList{u"Already in the playlist:"_s,
                       u"  {T}/old/a.mp3"_s + arrow + u"{T}/new/a.mp3"_s}
        << 1;
    QTest::newRow("Windows-made, file: URL and stream entries")
        << u"{T}/lib/"_s
        << QStringList{u"Old\\w.mp3"_s, u"file://{T}/old/u%20v.mp3"_s,
                       u"http://radio.example/live"_s}
        << QStringList{u"lib/New/w.mp3"_s, u"lib/u v.mp3"_s} << u"lib"_s
        << QStringList{u"0|New/w.mp3"_s, u"1|u v.mp3"_s, u"2|http://radio.example/live"_s}
        << QStringList{u"Found:"_s} << 0;
    QTest::newRow("a file: URL on another host is not looked for")
        << QString() << QStringList{u"file://server/share/u.mp3"_s} << QStringList{u"m/u.mp3"_s}
        << u"m"_s << QStringList{u"0|file://server/share/u.mp3"_s}
        << QStringList{u"Not found:"_s, u"  file://server/share/u.mp3"_s} << 1;
}

void TestMovedFiles::findsMovedFiles() {
    QFETCH(QString, root);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, files);
    QFETCH(QString, folder);
    QFETCH(QStringList, after);
    QFETCH(QStringList, listed);
    QFETCH(int, stillMissing);
    Fixture f;
    for (const QString& file : files)
        f.tree.makeFile(file);
    f.load(root, entries);
    const QStringList before = f.numbered();
    const bool updates = f.at(after) != before;
    f.dialogs.expectMessage({}, updates ? MessageAnswer::Yes : MessageAnswer::Ok);

    FindMovedFiles work(f.document, f.fs, f.dialogs, f.tree.path(folder));
    f.runToEnd(work);
    QVERIFY(f.dialogs.done());
    const MessageRequest& summary = f.dialogs.lastMessage();
    QCOMPARE(summary.buttons, updates ? MessageButtons::YesNo : MessageButtons::Ok);
    for (const QString& line : f.at(listed))
        QVERIFY2(summary.text.split(u'\n').contains(line), qPrintable(summary.text));
    QCOMPARE(f.numbered(), f.at(after));
    QCOMPARE(f.document.isModified(), updates);
    // What is still missing stays marked; what was found is not.
    QCOMPARE(f.document.missingCount(), stillMissing);
}

void TestMovedFiles::matchesUnderWindowsRules_data() {
    QTest::addColumn<QString>("oldPath");
    QTest::addColumn<QStringList>("paths"); // one: found; several: ambiguous
    QTest::newRow("folder names compared ignoring case")
        << u"D:\\Old\\ARTIST\\album\\01.mp3"_s << QStringList{u"C:\\New\\Artist\\Album\\01.mp3"_s};
    QTest::newRow("the only file of that name, whatever its folders")
        << u"X:\\gone\\Solo.MP3"_s << QStringList{u"C:\\New\\solo.mp3"_s};
    QTest::newRow("a tie between two")
        << u"D:\\Old\\Album\\02.mp3"_s
        << QStringList{u"C:\\New\\Artist\\Album\\02.mp3"_s, u"C:\\New\\Other\\Album\\02.mp3"_s};
    QTest::newRow("no file of that name") << u"D:\\Old\\03.mp3"_s << QStringList();
}

void TestMovedFiles::matchesUnderWindowsRules() {
    QFETCH(QString, oldPath);
    QFETCH(QStringList, paths);
    FileNameIndex index(PathRules::windows());
    index.add(u"C:\\New\\Artist\\Album"_s, u"01.mp3"_s);
    index.add(u"C:\\New\\Other\\Album2"_s, u"01.mp3"_s);
    index.add(u"C:\\New"_s, u"solo.mp3"_s);
    index.add(u"C:\\New\\Artist\\Album"_s, u"02.mp3"_s);
    index.add(u"C:\\New\\Other\\Album"_s, u"02.mp3"_s);
    index.foldNames();
    const MovedFile moved = findMovedFile(index, oldPath);
    QCOMPARE(moved.paths, paths);
    QCOMPARE(moved.kind, paths.isEmpty()     ? MovedFile::Kind::NotFound
                         : paths.size() == 1 ? MovedFile::Kind::Found
                                             : MovedFile::Kind::Ambiguous);
}

void TestMovedFiles::longSummaryGoesIntoTheDetails() {
    PlaylistFixture<> f;
    QStringList entries;
    for (int i = 0; i < 20; ++i) {
        f.fs.addFile(u"C:\\New\\%1.mp3"_s.arg(i));
        entries.append(u"C:\\Old\\%1.mp3"_s.arg(i));
    }
    f.setEntries({}, entries);
    f.dialogs.expectMessage(u"Found: 20\nAmbiguous: 0\nNot found: 0\nOutside the root path: 0\n"
                            "Already in the playlist: 0\n\nUpdate 20 Entries?"_s,
                            MessageAnswer::No);
    FindMovedFiles work(f.document, f.fs, f.dialogs, u"C:\\New"_s);
    work.start();
    QTRY_VERIFY_WITH_TIMEOUT(work.isFinished(), 20000);
    QVERIFY(f.dialogs.done());
    const QStringList details = f.dialogs.lastMessage().details.split(u'\n');
    QCOMPARE(details.size(), 21);
    QCOMPARE(details.first(), u"Found:"_s);
    QVERIFY(details.contains(u"  C:\\Old\\7.mp3 \u2192 C:\\New\\7.mp3"_s));
    entries.sort();
    QCOMPARE(f.entries(), entries);
}

void TestMovedFiles::cancelChangesNothing() {
    Fixture f;
    f.tree.makeFile(u"new/a.mp3"_s);
    f.load({}, {u"{T}/old/a.mp3"_s});
    HeldFileSystem held(f.fs);
    held.hold();
    FindMovedFiles work(f.document, held, f.dialogs, f.tree.path());
    work.start();
    QVERIFY(held.waitForHeldCalls());
    work.cancel();
    held.release();
    QTRY_VERIFY_WITH_TIMEOUT(work.isFinished(), 20000);
    QCOMPARE(f.dialogs.shown().size(), 0);
    QCOMPARE(f.numbered(), f.at(QStringList{u"0|{T}/old/a.mp3"_s}));
    QCOMPARE(f.document.missingCount(), 0);
    QVERIFY(!f.document.isModified());
}

void TestMovedFiles::treeIsReadAsAddEntireDirReadsIt() {
    Fixture f;
    NativeTree elsewhere;
    elsewhere.makeFile(u"c.mp3"_s);
    f.tree.makeFile(u"new/locked/b.mp3"_s);
    f.tree.makeLink(elsewhere.path(), u"new/linked"_s);
    f.tree.makeLink(f.tree.path(u"new"_s), u"new/loop"_s);
    const QByteArray latin1 = QFile::encodeName(f.tree.path(u"new"_s)) + "/caf\xE9.mp3";
    QVERIFY(::close(::creat(latin1.constData(), 0644)) == 0);
    f.load({}, {u"{T}/old/b.mp3"_s, u"{T}/old/c.mp3"_s});
    // "nobody" must reach both trees, but not into locked.
    for (const QString& open : {f.tree.path(), elsewhere.path()})
        QVERIFY(::chmod(QFile::encodeName(open).constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(f.tree.path(u"new/locked"_s)).constData(), 0) == 0);
    f.dialogs.expectMessage(u"A folder could not be read and was skipped:\n%1\n\n"
                            "Reason: Permission denied"_s.arg(f.tree.path(u"new/locked"_s)));
    f.dialogs.expectMessage(u"This name is not valid UTF-8 text, so a playlist cannot hold it. "
                            "It was skipped:\n%1/caf\uFFFD.mp3"_s.arg(f.tree.path(u"new"_s)));
    f.dialogs.expectMessage({}, MessageAnswer::Yes);
    FindMovedFiles work(f.document, f.fs, f.dialogs, f.tree.path(u"new"_s));
    {
        AsUnprivilegedUser nobody;
        f.runToEnd(work);
    }
    QVERIFY(::chmod(QFile::encodeName(f.tree.path(u"new/locked"_s)).constData(), 0755) == 0);
    QVERIFY(::unlink(latin1.constData()) == 0); // a name QDir cannot remove
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.numbered(), f.at(QStringList{u"0|{T}/old/b.mp3"_s, u"1|{T}/new/linked/c.mp3"_s}));
}

void TestMovedFiles::waitsForAnOpenBoxAndStopsForAnotherPlaylist() {
    Fixture f;
    f.load({}, {u"{T}/gone.mp3"_s});
    std::optional<Dialogs::Modal> box(f.dialogs);
    RemoveMissingEntries waiting(f.document, f.fs, f.dialogs);
    waiting.start();
    // Done looking, but its question waits for the box before it.
    QTRY_VERIFY(waiting.progressTotal() == 1 && waiting.progressDone() == 1);
    QCoreApplication::processEvents();
    QVERIFY(!waiting.isFinished());
    QCOMPARE(f.dialogs.shown().size(), 0);
    // Added meanwhile: the look's marks go by the entries' texts.
    f.tree.makeFile(u"added.mp3"_s);
    f.document.addFile(f.tree.path(u"added.mp3"_s));
    f.dialogs.expectMessage(u"Remove 1 entry whose file is missing?"_s, MessageAnswer::No);
    box.reset();
    QTRY_VERIFY(waiting.isFinished());
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.document.missingRows(), QList<int>{1});

    // What it looked at is gone with the playlist: nothing is asked.
    box.emplace(f.dialogs);
    RemoveMissingEntries stale(f.document, f.fs, f.dialogs);
    stale.start();
    f.load({}, {u"{T}/other.mp3"_s});
    box.reset();
    QTRY_VERIFY(stale.isFinished());
    QCOMPARE(f.dialogs.shown().size(), 1);
}

void TestMovedFiles::entriesAddedMeanwhileStay() {
    Fixture f;
    f.tree.makeFile(u"new/b.mp3"_s);
    f.tree.makeFile(u"a.mp3"_s);
    f.load({}, {u"{T}/old/b.mp3"_s});
    std::optional<Dialogs::Modal> box(f.dialogs);
    FindMovedFiles work(f.document, f.fs, f.dialogs, f.tree.path(u"new"_s));
    work.start();
    // Before the entry looked at: its row is not what it was.
    f.document.addFile(f.tree.path(u"a.mp3"_s));
    f.dialogs.expectMessage({}, MessageAnswer::Yes);
    box.reset();
    QTRY_VERIFY(work.isFinished());
    QCOMPARE(f.entries(), f.at(QStringList{u"{T}/a.mp3"_s, u"{T}/new/b.mp3"_s}));
    QCOMPARE(f.document.directives(1), QStringList{u"#EXTINF:1,0"_s});
}

void TestMovedFiles::playlistChangedMeanwhile_data() {
    QTest::addColumn<bool>("find");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("after");
    const QStringList found{u"1|{T}/gone.mp3"_s, u"2|{T}/here.mp3"_s, u"3|{T}/0new/z.mp3"_s};
    QTest::newRow("found, nothing changed")
        << true << QString() << QStringList{u"0|{T}/a.mp3"_s} + found;
    // As many entries as were looked at, but not the same.
    QTest::newRow("found, one entry added and another removed")
        << true << u"one in, one out"_s << found + QStringList{u"|{T}/b.mp3"_s};
    // Added while the files were looked for, by a walk that merges later.
    QTest::newRow("found, an entry waiting to be merged")
        << true << u"waiting"_s
        << QStringList{u"0|{T}/a.mp3"_s} + found + QStringList{u"|{T}/b.mp3"_s};
    QTest::newRow("found, the moved entry removed")
        << true << u"remove"_s
        << QStringList{u"0|{T}/a.mp3"_s, u"1|{T}/gone.mp3"_s, u"2|{T}/here.mp3"_s};
    const QStringList kept{u"0|{T}/a.mp3"_s, u"2|{T}/here.mp3"_s};
    QTest::newRow("removed, nothing changed") << false << QString() << kept;
    QTest::newRow("removed, one entry added and another removed")
        << false << u"one in, one out"_s << QStringList{u"2|{T}/here.mp3"_s, u"|{T}/b.mp3"_s};
    QTest::newRow("removed, an entry waiting to be merged")
        << false << u"waiting"_s << kept + QStringList{u"|{T}/b.mp3"_s};
    QTest::newRow("removed, a missing entry removed") << false << u"remove"_s << kept;
}

void TestMovedFiles::playlistChangedMeanwhile() {
    QFETCH(bool, find);
    QFETCH(QString, change);
    QFETCH(QStringList, after);
    Fixture f;
    for (const QString& file : {u"a.mp3"_s, u"b.mp3"_s, u"here.mp3"_s, u"0new/z.mp3"_s})
        f.tree.makeFile(file);
    // The missing rows, 1 and 3, are not side by side.
    f.load({}, {u"{T}/a.mp3"_s, u"{T}/gone.mp3"_s, u"{T}/here.mp3"_s, u"{T}/old/z.mp3"_s});
    QStringList asked;
    QPersistentModelIndex here;
    f.dialogs.expectMessage({}, MessageAnswer::Yes, [&] {
        const auto rowOf = [&f](const QString& text) {
            return static_cast<int>(f.entries().indexOf(f.at(text)));
        };
        if (change == u"one in, one out"_s) {
            f.document.addFile(f.tree.path(u"b.mp3"_s));
            f.document.removeRows({rowOf(u"{T}/a.mp3"_s)});
        } else if (change == u"remove"_s) {
            f.document.removeRows({rowOf(u"{T}/old/z.mp3"_s)});
        }
        asked = f.numbered();
        // As the user's selection is held.
        here = f.document.model()->index(rowOf(u"{T}/here.mp3"_s));
    });
    PlaylistEdit edit;
    const std::unique_ptr<MissingEntriesWork> work = f.command(find, u"0new"_s, edit);
    work->start();
    if (change == u"waiting"_s) {
        PlaylistDocument::Batch batch(f.document, nullptr, PlaylistDocument::Batch::Merge::Later);
        f.document.addFile(f.tree.path(u"b.mp3"_s));
    }
    QTRY_VERIFY_WITH_TIMEOUT(work->isFinished(), 20000);
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.numbered(), f.at(after));
    QCOMPARE(here.data().toString(), f.at(u"{T}/here.mp3"_s));
    QCOMPARE(f.document.missingCount(), find ? 1 : 0);

    f.document.undo(edit, false);
    QCOMPARE(f.numbered(), asked);
    f.document.redo(edit, false);
    QCOMPARE(f.numbered(), f.at(after));
}

void TestMovedFiles::commandIsOneStep_data() {
    QTest::addColumn<bool>("find");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("Find Moved Files")
        << true << QString()
        << QStringList{u"0|{T}/new/a.mp3"_s, u"1|{T}/here.mp3"_s, u"2|{T}/gone.mp3"_s};
    QTest::newRow("Remove Missing Entries")
        << false << u"Remove 2 entries whose files are missing?"_s
        << QStringList{u"1|{T}/here.mp3"_s};
}

void TestMovedFiles::commandIsOneStep() {
    QFETCH(bool, find);
    QFETCH(QString, question);
    QFETCH(QStringList, after);
    Fixture f;
    f.tree.makeFile(u"new/a.mp3"_s);
    f.tree.makeFile(u"here.mp3"_s);
    f.load({}, {u"{T}/old/a.mp3"_s, u"{T}/here.mp3"_s, u"{T}/gone.mp3"_s});
    const QStringList before = f.numbered();
    f.dialogs.expectMessage(question, MessageAnswer::Yes);
    PlaylistEdit edit;
    const std::unique_ptr<MissingEntriesWork> work = f.command(find, u"new"_s, edit);
    f.runToEnd(*work);
    QCOMPARE(f.numbered(), f.at(after));
    QVERIFY(f.document.isModified());

    f.document.undo(edit, true);
    QCOMPARE(f.numbered(), before);
    QVERIFY(!f.document.isModified());
    // Back as they were: still known to be missing.
    QCOMPARE(f.document.missingCount(), 2);
    f.document.redo(edit, false);
    QCOMPARE(f.numbered(), f.at(after));
    QCOMPARE(f.document.missingCount(), find ? 1 : 0);
}

void TestMovedFiles::missingEntriesShowWhereTheyWereLookedFor_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("lookedFor"); // empty: not missing
    QTest::newRow("relative to the root") << u"gone.mp3"_s << u"{T}/gone.mp3"_s;
    QTest::newRow("written on Windows") << u"Old\\w.mp3"_s << u"{T}/Old/w.mp3"_s;
    QTest::newRow("file: URL") << u"file://{T}/a%20b.mp3"_s << u"{T}/a b.mp3"_s;
    QTest::newRow("stream") << u"http://radio.example/live"_s << QString();
    QTest::newRow("there") << u"here.mp3"_s << QString();
}

void TestMovedFiles::missingEntriesShowWhereTheyWereLookedFor() {
    QFETCH(QString, entry);
    QFETCH(QString, lookedFor);
    Fixture f;
    f.tree.makeFile(u"here.mp3"_s);
    f.load(u"{T}/"_s, {entry});
    f.dialogs.expectMessage({}, lookedFor.isEmpty() ? MessageAnswer::Ok : MessageAnswer::No);
    RemoveMissingEntries work(f.document, f.fs, f.dialogs);
    f.runToEnd(work);
    const QModelIndex index = f.document.model()->index(0);
    QCOMPARE(index.data(PlaylistModel::MissingRole).toBool(), !lookedFor.isEmpty());
    const QString lastTipLine = index.data(Qt::ToolTipRole).toString().section(u'\n', -1);
    QCOMPARE(lastTipLine, lookedFor.isEmpty() ? f.at(entry) : u"Not found: "_s + f.at(lookedFor));
    QCOMPARE(f.document.count(), 1);
}

QTEST_GUILESS_MAIN(TestMovedFiles)
#include "tst_moved_files.moc"
