// What only a real disk shows: symbolic links in the walked tree, a folder
// the walk may not read, a second walk while the first lets events run, and
// drops carrying file: URLs.

#include "fake_window_services.h"
#include "platform/native_file_system.h"
#include "playlist/dropped_files.h"
#include "playlist/editing_commands.h"
#include "playlist/form_state.h"
#include "scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// Permission bits do not stop root. While one of these lives, a test run as
// root acts as the unprivileged user "nobody".
class Unprivileged {
public:
    Unprivileged()
        : m_switched(::geteuid() == 0 && ::seteuid(65534) == 0) {}
    ~Unprivileged() {
        if (m_switched && ::seteuid(0) != 0)
            qFatal("could not return to root");
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

private:
    bool m_switched;
};

struct NativeFixture {
    NativeFixture() { QVERIFY(tree.isValid()); }

    QString path(const QString& relative) const { return tree.filePath(relative); }
    void makeFile(const QString& relative) const {
        QVERIFY(QDir().mkpath(QFileInfo(path(relative)).path()));
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    void makeLink(const QString& target, const QString& relative) const {
        QVERIFY(QFile::link(target, path(relative)));
    }
    QStringList entries() const { return state.playlist.entries(); }

    QTemporaryDir tree;
    FormState state{PathRules::posix()};
    NativeFileSystem fs;
    ScriptedDialogs dialogs;
    FakeWindowServices window;
    CommandContext ctx{state, fs, dialogs, window};
};

QByteArray uriList(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

} // namespace

class TestNativeWalkAndDrop : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void walkDoesNotFollowLinksToFolders();
    void walkSkipsAFolderItMayNotRead();
    void secondWalkKeepsItsOwnListing();
    void droppedFileUrlsBecomeLocalPaths_data();
    void droppedFileUrlsBecomeLocalPaths();
    void dropOfFilesAddsTheRealPaths();
    void dropOfPlainTextAddsNothing();
};

void TestNativeWalkAndDrop::walkDoesNotFollowLinksToFolders() {
    NativeFixture f;
    QTemporaryDir elsewhere;
    QVERIFY(QFile(elsewhere.filePath(QStringLiteral("far.mp3"))).open(QIODevice::WriteOnly));
    f.makeFile(QStringLiteral("a.mp3"));
    f.makeFile(QStringLiteral(".hidden.wav"));
    f.makeFile(QStringLiteral("sub/B.MP3"));
    f.makeLink(f.path(QStringLiteral("sub")) + QStringLiteral("/.."), QStringLiteral("sub/up"));
    f.makeLink(QStringLiteral("."), QStringLiteral("sub/self"));
    f.makeLink(elsewhere.path(), QStringLiteral("elsewhere"));
    f.makeLink(f.path(QStringLiteral("a.mp3")), QStringLiteral("linked.mp3"));
    f.makeLink(f.path(QStringLiteral("missing.mp3")), QStringLiteral("dangling.mp3"));
    f.window.dir = f.tree.path();

    cmdAddDir_Click(f.ctx);

    // Links to files count as the files they name; links to folders lead
    // nowhere, so the loop through sub/up ends.
    QCOMPARE(
        f.entries(),
        (QStringList{f.path(QStringLiteral(".hidden.wav")), f.path(QStringLiteral("a.mp3")),
                     f.path(QStringLiteral("linked.mp3")), f.path(QStringLiteral("sub/B.MP3"))}));
    QVERIFY(f.dialogs.done());
}

void TestNativeWalkAndDrop::walkSkipsAFolderItMayNotRead() {
    NativeFixture f;
    f.makeFile(QStringLiteral("a.mp3"));
    f.makeFile(QStringLiteral("locked/b.mp3"));
    f.makeFile(QStringLiteral("open/c.wma"));
    // "nobody" must reach the tree, but not into locked.
    QVERIFY(::chmod(QFile::encodeName(f.tree.path()).constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(f.path(QStringLiteral("locked"))).constData(), 0) == 0);
    f.window.dir = f.tree.path();
    f.dialogs.expectMessage(QStringLiteral("A folder could not be read and was skipped:\n%1\n\n"
                                           "Reason: Permission denied")
                                .arg(f.path(QStringLiteral("locked"))));
    {
        Unprivileged nobody;
        cmdAddDir_Click(f.ctx);
    }
    QVERIFY(::chmod(QFile::encodeName(f.path(QStringLiteral("locked"))).constData(), 0755) == 0);

    QCOMPARE(f.entries(),
             (QStringList{f.path(QStringLiteral("a.mp3")), f.path(QStringLiteral("open/c.wma"))}));
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.dialogs.lastMessage().icon, MessageIcon::Exclamation);
}

void TestNativeWalkAndDrop::secondWalkKeepsItsOwnListing() {
    NativeFixture f;
    QStringList expected;
    for (int i = 0; i < 20; ++i) {
        const QString name = QStringLiteral("A/song%1.mp3").arg(i, 2, 10, QLatin1Char('0'));
        f.makeFile(name);
        expected.append(f.path(name));
    }
    f.makeFile(QStringLiteral("B/other.mp3"));
    expected.append(f.path(QStringLiteral("B/other.mp3")));
    f.window.dir = f.path(QStringLiteral("A"));
    int turns = 0;
    f.window.onProcessEvents = [&] {
        // In the middle of A's listing, the user walks B.
        if (++turns != 5)
            return;
        f.window.highlighted = f.path(QStringLiteral("B"));
        cmdAddDir_Click(f.ctx);
        f.window.highlighted.clear();
    };

    FolderWalk walk(0ms);
    addEntireDir(f.ctx, walk);

    QVERIFY(turns > 5);
    QCOMPARE(f.entries(), expected);
}

void TestNativeWalkAndDrop::droppedFileUrlsBecomeLocalPaths_data() {
    QTest::addColumn<QByteArray>("uris");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("spaces, non-ASCII, in order, comments skipped")
        << uriList({"# from a file manager", "file:///music/Z%20last.mp3",
                    "file:///music/Mot%C3%B6rhead%20%E2%80%93%20Ace.mp3"})
        << true << QStringList{"/music/Z last.mp3", "/music/Motörhead – Ace.mp3"};
    QTest::newRow("reserved characters stay in the name")
        << uriList({"file:///m/a%23b%25c%3F.mp3"}) << true << QStringList{"/m/a#b%c?.mp3"};
    QTest::newRow("localhost is this machine")
        << uriList({"file://localhost/m/a.mp3"}) << true << QStringList{"/m/a.mp3"};
    QTest::newRow("this machine by name")
        << uriList({QStringLiteral("file://%1/m/a.mp3").arg(QSysInfo::machineHostName())}) << true
        << QStringList{"/m/a.mp3"};
    QTest::newRow("another host: a network path")
        << uriList({"file://server/share/a.mp3"}) << true << QStringList{"//server/share/a.mp3"};
    QTest::newRow("web links among files are left out")
        << uriList({"https://example.com/a.mp3", "file:///m/b.mp3"}) << true
        << QStringList{"/m/b.mp3"};
    QTest::newRow("web links only: no file list")
        << uriList({"https://example.com/a.mp3"}) << false << QStringList();
}

void TestNativeWalkAndDrop::droppedFileUrlsBecomeLocalPaths() {
    QFETCH(QByteArray, uris);
    QFETCH(bool, offered);
    QFETCH(QStringList, expected);

    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), uris);
    const std::optional<QStringList> paths = droppedFilePaths(data);

    QCOMPARE(paths.has_value(), offered);
    if (offered)
        QCOMPARE(*paths, expected);
}

void TestNativeWalkAndDrop::dropOfFilesAddsTheRealPaths() {
    NativeFixture f;
    const QStringList names{"My Song.mp3", "Motörhead – Ace of Spades.wav", "Ünïcode folder"};
    f.makeFile(names[0]);
    f.makeFile(names[1]);
    QVERIFY(QDir(f.tree.path()).mkdir(names[2]));
    QList<QUrl> urls;
    for (const QString& name : names)
        urls.append(QUrl::fromLocalFile(f.path(name)));
    QMimeData data;
    data.setUrls(urls);

    List1_OLEDragDrop(f.ctx, droppedFilePaths(data));

    QCOMPARE(f.entries().size(), 3);
    for (const QString& entry : f.entries())
        QVERIFY2(QFileInfo::exists(entry), qPrintable(entry));
    QVERIFY(f.state.bUnsaved);
}

void TestNativeWalkAndDrop::dropOfPlainTextAddsNothing() {
    NativeFixture f;
    f.makeFile(QStringLiteral("a.mp3"));
    QMimeData data;
    data.setText(f.path(QStringLiteral("a.mp3")));

    const std::optional<QStringList> paths = droppedFilePaths(data);
    QVERIFY(!paths);
    List1_OLEDragDrop(f.ctx, paths);

    QCOMPARE(f.entries(), QStringList());
    QVERIFY(f.state.bUnsaved);
    QCOMPARE(f.window.refreshCount, 1);
}

QTEST_GUILESS_MAIN(TestNativeWalkAndDrop)
#include "tst_native_walk_and_drop.moc"
