// What only a real disk shows: symbolic links in the walked tree (followed,
// each folder entered once), a folder the walk may not read, a second walk
// while the first runs, and drops carrying file: URLs.

#include "platform/translations.h"
#include "playlist/add_commands.h"
#include "playlist/dropped_files.h"
#include "playlist_fixture.h"

#include <QLocale>
#include <QMimeData>
#include <QSysInfo>
#include <QTest>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The real file system under a temporary folder of its own.
struct NativeFixture : PlaylistFixture<NativeFileSystem, ScriptedDialogs> {
    QString path(const QString& relative) const { return tree.path(relative); }
    QStringList paths(const QStringList& relatives) const {
        QStringList full;
        for (const QString& relative : relatives)
            full.append(path(relative));
        return full;
    }

    NativeTree tree;
};

QByteArray uriList(const QStringList& lines) {
    return lines.join(u"\r\n"_s).toUtf8() + "\r\n";
}

bool setMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

class TestNativeWalkAndDrop : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The English plural forms ("A folder ...", "2 folders ..."), as the
    // program installs them.
    void initTestCase() { installTranslations(*QCoreApplication::instance(), QLocale::c()); }
    void walkAddsALinkedTreeThroughTheLink();
    void walkEntersEachFolderOnce_data();
    void walkEntersEachFolderOnce();
    void walkSkipsAFolderItMayNotRead();
    void secondWalkKeepsItsOwnListing();
    void droppedFileUrlsBecomeLocalPaths_data();
    void droppedFileUrlsBecomeLocalPaths();
    void dropOfFilesAddsTheRealPaths();
    void dropOfPlainTextAddsNothing();
    void namesThatAreNotUtf8AreSkipped_data();
    void namesThatAreNotUtf8AreSkipped();
    void namesWithALineBreakAreSkipped_data();
    void namesWithALineBreakAreSkipped();
};

void TestNativeWalkAndDrop::walkAddsALinkedTreeThroughTheLink() {
    NativeFixture f;
    NativeTree elsewhere;
    elsewhere.makeFile(u"far.mp3"_s);
    elsewhere.makeFile(u"deep/d.wma"_s);
    f.tree.makeFile(u"a.mp3"_s);
    f.tree.makeFile(u".hidden.wav"_s);
    f.tree.makeFile(u"sub/B.MP3"_s);
    f.tree.makeFolder(u"b.mp3"_s);
    f.tree.makeLink(elsewhere.path(), u"elsewhere"_s);
    f.tree.makeLink(f.path(u"a.mp3"_s), u"linked.mp3"_s);
    f.tree.makeLink(f.path(u"missing.mp3"_s), u"dangling.mp3"_s);
    f.tree.makeLink(f.path(u"missing"_s), u"dangling"_s);

    QVERIFY(addFolderTree(f, f.tree.path()));

    // The linked folder's files are added as if it were there, by the path
    // through the link. Links to files count as the files they name; links
    // to nothing are nothing. Hidden files count; a folder named like a song
    // does not.
    QCOMPARE(f.entries(), f.paths(strings({".hidden.wav", "a.mp3", "elsewhere/deep/d.wma",
                                           "elsewhere/far.mp3", "linked.mp3", "sub/B.MP3"})));
    QVERIFY(f.dialogs.done());
}

void TestNativeWalkAndDrop::walkEntersEachFolderOnce_data() {
    QTest::addColumn<QStringList>("links"); // "link=target", target relative to the tree
    QTest::addColumn<QStringList>("files"); // each must be added exactly once
    const QStringList files = strings({"a.mp3", "sub/b.mp3", "sub/deeper/c.mp3", "other/d.wav"});
    QTest::newRow("link to the walked folder") << strings({"sub/deeper/up=."}) << files;
    QTest::newRow("link to a folder above the walked one") << strings({"sub/top=.."}) << files;
    QTest::newRow("link to itself") << strings({"sub/self=sub"}) << files;
    QTest::newRow("two links to one folder") << strings({"one=other", "sub/two=other"}) << files;
    QTest::newRow("links that lead into each other")
        << strings({"other/to-sub=sub", "sub/deeper/to-other=other"}) << files;
}

void TestNativeWalkAndDrop::walkEntersEachFolderOnce() {
    QFETCH(QStringList, links);
    QFETCH(QStringList, files);
    NativeFixture f;
    // The walk starts one level down, so that ".." leads out of it.
    for (const QString& file : files)
        f.tree.makeFile(u"walked/"_s + file);
    for (const QString& link : links) {
        const QStringList parts = link.split(u'=');
        f.tree.makeLink(QDir::cleanPath(f.path(u"walked/"_s + parts[1])), u"walked/"_s + parts[0]);
    }

    QVERIFY(addFolderTree(f, f.path(u"walked"_s)));

    // Every file once, by whichever path the walk met it first.
    QStringList names;
    for (const QString& entry : f.entries())
        names.append(entry.mid(entry.lastIndexOf(u'/') + 1));
    names.sort();
    QCOMPARE(names, strings({"a.mp3", "b.mp3", "c.mp3", "d.wav"}));
    QVERIFY(f.dialogs.done());
}

void TestNativeWalkAndDrop::walkSkipsAFolderItMayNotRead() {
    NativeFixture f;
    f.tree.makeFile(u"a.mp3"_s);
    f.tree.makeFile(u"locked/b.mp3"_s);
    f.tree.makeFile(u"open/c.wma"_s);
    // "nobody" must reach the tree, but not into locked.
    QVERIFY(setMode(f.tree.path(), 0755));
    QVERIFY(setMode(f.path(u"locked"_s), 0));
    f.dialogs.expectMessage(u"A folder could not be read and was skipped:\n%1\n\n"
                            "Reason: Permission denied"_s.arg(f.path(u"locked"_s)));
    bool finished = false;
    {
        AsUnprivilegedUser nobody;
        finished = addFolderTree(f, f.tree.path());
    }
    QVERIFY(setMode(f.path(u"locked"_s), 0755));

    QVERIFY(finished);
    QCOMPARE(f.entries(), f.paths(strings({"a.mp3", "open/c.wma"})));
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.dialogs.lastMessage().icon, MessageIcon::Exclamation);
}

void TestNativeWalkAndDrop::secondWalkKeepsItsOwnListing() {
    NativeFixture f;
    QStringList expected;
    for (int i = 0; i < 300; ++i) {
        const QString name = u"A/%1/song%2.mp3"_s.arg(i % 10).arg(i, 3, 10, QLatin1Char('0'));
        f.tree.makeFile(name);
        expected.append(f.path(name));
    }
    f.tree.makeFile(u"B/other.mp3"_s);
    f.tree.makeFile(u"B/other.wav"_s);
    expected += f.paths(strings({"B/other.mp3", "B/other.wav"}));
    std::sort(expected.begin(), expected.end(), PathRules::lessForPlaylist);

    FolderTreeAdd first(f.document, f.fs, f.dialogs, f.path(u"A"_s));
    FolderTreeAdd second(f.document, f.fs, f.dialogs, f.path(u"B"_s));
    QSignalSpy firstFinished(&first, &FolderTreeAdd::finished);
    QSignalSpy secondFinished(&second, &FolderTreeAdd::finished);
    // While A is being listed, the user walks B: two listings at once, each
    // with its own place in its folders.
    first.start();
    second.start();
    for (QSignalSpy* finished : {&firstFinished, &secondFinished})
        QVERIFY(!finished->isEmpty() || finished->wait(60000));

    QCOMPARE(f.entries(), expected);
}

void TestNativeWalkAndDrop::droppedFileUrlsBecomeLocalPaths_data() {
    QTest::addColumn<QByteArray>("uris");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("spaces, non-ASCII, in order, comments skipped")
        << uriList(strings({"# from a file manager", "file:///music/Z%20last.mp3",
                            "file:///music/Mot%C3%B6rhead%20%E2%80%93%20Ace.mp3"}))
        << true << strings({"/music/Z last.mp3", "/music/Motörhead – Ace.mp3"});
    QTest::newRow("reserved characters stay in the name")
        << uriList(strings({"file:///m/a%23b%25c%3F.mp3"})) << true << strings({"/m/a#b%c?.mp3"});
    QTest::newRow("localhost is this machine")
        << uriList(strings({"file://localhost/m/a.mp3"})) << true << strings({"/m/a.mp3"});
    QTest::newRow("this machine by name")
        << uriList({u"file://%1/m/a.mp3"_s.arg(QSysInfo::machineHostName())}) << true
        << strings({"/m/a.mp3"});
    QTest::newRow("another host: a network path") << uriList(strings({"file://server/share/a.mp3"}))
                                                  << true << strings({"//server/share/a.mp3"});
    QTest::newRow("web links among files are left out")
        << uriList(strings({"https://example.com/a.mp3", "file:///m/b.mp3"})) << true
        << strings({"/m/b.mp3"});
    QTest::newRow("web links only: no file list")
        << uriList(strings({"https://example.com/a.mp3"})) << false << QStringList();
}

void TestNativeWalkAndDrop::droppedFileUrlsBecomeLocalPaths() {
    QFETCH(QByteArray, uris);
    QFETCH(bool, offered);
    QFETCH(QStringList, expected);

    QMimeData data;
    data.setData(u"text/uri-list"_s, uris);
    const std::optional<QStringList> paths = droppedFilePaths(data);

    QCOMPARE(paths.has_value(), offered);
    if (offered)
        QCOMPARE(*paths, expected);
}

void TestNativeWalkAndDrop::dropOfFilesAddsTheRealPaths() {
    NativeFixture f;
    const QStringList names = strings({"My Song.mp3", "Motörhead – Ace of Spades.wav",
                                       "Ünïcode folder", "Mix /trailing space.mp3"});
    f.tree.makeFile(names[0]);
    f.tree.makeFile(names[1]);
    f.tree.makeFolder(names[2]);
    f.tree.makeFile(names[3]);
    QList<QUrl> urls;
    for (const QString& name : names)
        urls.append(QUrl::fromLocalFile(f.path(name)));
    QMimeData data;
    data.setUrls(urls);

    addDroppedPaths(f.document, f.dialogs, droppedFilePaths(data));

    QCOMPARE(f.document.count(), 4);
    for (const QString& entry : f.entries())
        QVERIFY2(QFileInfo::exists(entry), qPrintable(entry));
    QVERIFY(f.document.isModified());
}

void TestNativeWalkAndDrop::dropOfPlainTextAddsNothing() {
    NativeFixture f;
    f.tree.makeFile(u"a.mp3"_s);
    QMimeData data;
    data.setText(f.path(u"a.mp3"_s));

    const std::optional<QStringList> paths = droppedFilePaths(data);
    QVERIFY(!paths);
    addDroppedPaths(f.document, f.dialogs, paths);

    QCOMPARE(f.entries(), QStringList());
    QVERIFY(f.document.isModified());
}

void TestNativeWalkAndDrop::namesThatAreNotUtf8AreSkipped_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");

    const QString one = u"This name is not valid UTF-8 text, so a playlist cannot hold it. It was "
                        u"skipped:\n@/caf\uFFFD.mp3"_s;
    QTest::newRow("Add Selected Files") << "selected" << one;
    QTest::newRow("drop") << "drop" << one;
    // The folder with such a name is skipped whole: its text names no folder.
    QTest::newRow("Add Entire Dir")
        << "walk"
        << u"2 names are not valid UTF-8 text, so a playlist cannot hold them. They were "
           u"skipped. The first was:\n@/caf\uFFFD.mp3"_s;
}

// A name that is not UTF-8 arrives with U+FFFD in it, and that text names no
// file: every add command leaves it out and says so once.
void TestNativeWalkAndDrop::namesThatAreNotUtf8AreSkipped() {
    QFETCH(QString, command);
    QFETCH(QString, message);
    NativeFixture f;
    f.tree.makeFile(u"ok.mp3"_s);
    f.tree.makeFile(u"z.mp3"_s);
    const QByteArray root = QFile::encodeName(f.tree.path());
    for (const QByteArray& name : {QByteArray("/caf\xE9.mp3"), QByteArray("/B\xE4nd")}) {
        QVERIFY(name.endsWith(".mp3") ? ::close(::creat((root + name).constData(), 0644)) == 0
                                      : ::mkdir((root + name).constData(), 0755) == 0);
    }
    QVERIFY(::close(::creat((root + "/B\xE4nd/inside.mp3").constData(), 0644)) == 0);
    const QStringList listed = *f.fs.listFiles(f.tree.path(), u"*.mp3"_s);
    // The file list shows it as well as it can.
    QCOMPARE(listed, strings({"caf\uFFFD.mp3", "ok.mp3", "z.mp3"}));
    f.dialogs.expectMessage(message.replace(u"@"_s, f.tree.path()));

    if (command == u"selected"_s) {
        addSelectedFiles(f.document, f.dialogs, f.tree.path(), listed);
    } else if (command == u"drop"_s) {
        QMimeData data;
        data.setData(u"text/uri-list"_s,
                     QUrl::fromLocalFile(f.path(u"ok.mp3"_s)).toEncoded() + "\r\nfile://" +
                         QUrl::toPercentEncoding(QFile::decodeName(root), "/") + "/caf%E9.mp3\r\n" +
                         QUrl::fromLocalFile(f.path(u"z.mp3"_s)).toEncoded() + "\r\n");
        addDroppedPaths(f.document, f.dialogs, droppedFilePaths(data));
    } else {
        QVERIFY(addFolderTree(f, f.tree.path()));
    }

    QVERIFY(f.dialogs.done());
    QCOMPARE(f.dialogs.lastMessage().icon, MessageIcon::Exclamation);
    QCOMPARE(f.entries(), f.paths(strings({"ok.mp3", "z.mp3"})));
}

void TestNativeWalkAndDrop::namesWithALineBreakAreSkipped_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("Add Selected Files") << u"selected"_s;
    QTest::newRow("Add Entire Dir") << u"walk"_s;
}

// A line break is legal in a Linux name, but a playlist would read the entry
// back as two lines that name nothing: such a name is left out and told.
void TestNativeWalkAndDrop::namesWithALineBreakAreSkipped() {
    QFETCH(QString, command);
    NativeFixture f;
    f.tree.makeFile(u"ok.mp3"_s);
    f.tree.makeFile(u"two\nlines.mp3"_s);
    f.dialogs.expectMessage(u"This name holds a line break, so a playlist cannot hold it. It was "
                            u"skipped:\n"_s +
                            f.path(u"two\nlines.mp3"_s));
    if (command == u"selected"_s)
        addSelectedFiles(f.document, f.dialogs, f.tree.path(), {u"ok.mp3"_s, u"two\nlines.mp3"_s});
    else
        QVERIFY(addFolderTree(f, f.tree.path()));
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.entries(), f.paths(strings({"ok.mp3"})));
}

QTEST_GUILESS_MAIN(TestNativeWalkAndDrop)
#include "tst_native_walk_and_drop.moc"
