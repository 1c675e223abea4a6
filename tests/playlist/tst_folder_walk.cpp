// Add Entire Dir over the in-memory tree (Windows rules): the order of the
// adds, what the walk finds, the flag, folders it cannot read, and what may
// happen while it lets events run.

#include "command_fixture.h"
#include "playlist/editing_commands.h"

#include <QSet>
#include <QTest>

#include <algorithm>

using namespace std::chrono_literals;

namespace {

const QString kNotInRoot = QStringLiteral("File is not in Root Path");

bool inPlaylistOrder(const QStringList& entries) {
    return std::is_sorted(entries.begin(), entries.end(), PathRules::lessForPlaylist);
}

// Records, at every turn of the event loop, the entries that appeared since
// the last turn: with a turn after every file that is the order of the adds.
struct AddRecorder {
    explicit AddRecorder(CommandFixture& f)
        : fixture(f) {
        f.window.onProcessEvents = [this] { record(); };
    }
    void record() {
        const QStringList& entries = fixture.state.playlist.entries();
        orderKept = orderKept && inPlaylistOrder(entries);
        for (const QString& entry : entries) {
            if (!seen.contains(entry)) {
                seen.insert(entry);
                added.append(entry);
            }
        }
    }
    CommandFixture& fixture;
    QSet<QString> seen;
    QStringList added;
    bool orderKept = true;
};

} // namespace

class TestFolderWalk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addsComeByPatternThenDepthFirst();
    void findsEveryMatchingFileAndNoFolder();
    void setsTheFlagOnlyWhenItAdds_data();
    void setsTheFlagOnlyWhenItAdds();
    void refusesFilesOutsideTheRootOneByOne();
    void reportsUnreadableFoldersOnceAtTheEnd_data();
    void reportsUnreadableFoldersOnceAtTheEnd();
    void letsEventsRunAfterEveryFileAndBeforeEverySubFolder();
    void secondWalkDuringATurnLeavesTheFirstUndisturbed();
};

void TestFolderWalk::addsComeByPatternThenDepthFirst() {
    CommandFixture f;
    f.addFiles(
        {"C:\\A\\x.wav", "C:\\A\\y.mp3", "C:\\A\\Sub\\z.mp3", "C:\\A\\Sub\\w.wma", "C:\\A\\v.wma"});
    f.window.dir = QStringLiteral("C:\\");
    f.window.highlighted = QStringLiteral("C:\\A");
    AddRecorder recorder(f);

    FolderWalk walk(0ms);
    addEntireDir(f.ctx, walk);

    QCOMPARE(recorder.added, (QStringList{"C:\\A\\y.mp3", "C:\\A\\Sub\\z.mp3", "C:\\A\\x.wav",
                                          "C:\\A\\v.wma", "C:\\A\\Sub\\w.wma"}));
    QCOMPARE(f.window.busyChanges, (QList<bool>{true, false}));
    QCOMPARE(f.window.refreshCount, 1);
}

void TestFolderWalk::findsEveryMatchingFileAndNoFolder() {
    CommandFixture f;
    f.fs.addFile(QStringLiteral("C:\\A\\a.mp3"), {}, {.hidden = true});
    f.fs.addFile(QStringLiteral("C:\\A\\s.WAV"), {}, {.system = true, .readOnly = true});
    f.addFiles(
        {"C:\\A\\LOUD.Mp3", "C:\\A\\notes.txt", "C:\\A\\a.mp3.bak", "C:\\A\\b.mp3\\inside.wma"});
    f.window.dir = QStringLiteral("C:\\A");

    cmdAddDir_Click(f.ctx);

    QCOMPARE(f.state.playlist.entries(), (QStringList{"C:\\A\\a.mp3", "C:\\A\\b.mp3\\inside.wma",
                                                      "C:\\A\\LOUD.Mp3", "C:\\A\\s.WAV"}));
}

void TestFolderWalk::setsTheFlagOnlyWhenItAdds_data() {
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<bool>("unsaved");

    QTest::newRow("adds one") << QStringList{"C:\\A\\a.mp3"} << true;
    QTest::newRow("every file already present, other case")
        << QStringList{"c:\\a\\A.MP3", "C:\\A\\B.wav"} << false;
}

void TestFolderWalk::setsTheFlagOnlyWhenItAdds() {
    QFETCH(QStringList, present);
    QFETCH(bool, unsaved);

    CommandFixture f;
    f.addFiles({"C:\\A\\a.mp3", "C:\\A\\b.wav"});
    f.setPlaylist({}, present);
    f.window.dir = QStringLiteral("C:\\A");

    cmdAddDir_Click(f.ctx);

    QCOMPARE(f.state.playlist.count(), 2);
    QCOMPARE(f.state.bUnsaved, unsaved);
}

void TestFolderWalk::refusesFilesOutsideTheRootOneByOne() {
    CommandFixture f;
    f.addFiles({"C:\\A\\a.mp3", "C:\\A\\Sub\\b.wma"});
    f.setPlaylist(QStringLiteral("D:\\"), {});
    f.window.dir = QStringLiteral("C:\\A");
    f.dialogs.expectMessage(kNotInRoot);
    f.dialogs.expectMessage(kNotInRoot);

    cmdAddDir_Click(f.ctx);

    QVERIFY(f.dialogs.done());
    QCOMPARE(f.state.playlist.count(), 0);
    QVERIFY(!f.state.bUnsaved);
    QVERIFY(!f.window.busy);
}

void TestFolderWalk::reportsUnreadableFoldersOnceAtTheEnd_data() {
    QTest::addColumn<QStringList>("unreadable");
    QTest::addColumn<QString>("walked");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("message"); // empty: none

    const QStringList everything{"C:\\A\\a.mp3", "C:\\A\\L1\\b.mp3", "C:\\A\\L2\\c.wav",
                                 "C:\\A\\ok\\d.wma"};
    QTest::newRow("none") << QStringList() << "C:\\A" << everything << "";
    QTest::newRow("one: named with its reason")
        << QStringList{"C:\\A\\L1"} << "C:\\A"
        << QStringList{"C:\\A\\a.mp3", "C:\\A\\L2\\c.wav", "C:\\A\\ok\\d.wma"}
        << "A folder could not be read and was skipped:\nC:\\A\\L1\n\nReason: Permission denied";
    QTest::newRow("two: counted once each over the three patterns, the first named")
        << QStringList{"C:\\A\\L1", "C:\\A\\L2"} << "C:\\A"
        << QStringList{"C:\\A\\a.mp3", "C:\\A\\ok\\d.wma"}
        << "2 folders could not be read and were skipped. The first was:\nC:\\A\\L1\n\n"
           "Reason: Permission denied";
    QTest::newRow("the highlighted folder itself is gone")
        << QStringList() << "C:\\Gone" << QStringList()
        << "A folder could not be read and was skipped:\nC:\\Gone\n\nReason: Path not found";
}

void TestFolderWalk::reportsUnreadableFoldersOnceAtTheEnd() {
    QFETCH(QStringList, unreadable);
    QFETCH(QString, walked);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);

    CommandFixture f;
    f.addFiles({"C:\\A\\a.mp3", "C:\\A\\L1\\b.mp3", "C:\\A\\L2\\c.wav", "C:\\A\\ok\\d.wma"});
    for (const QString& folder : unreadable)
        f.fs.setUnreadable(folder);
    f.window.dir = walked;
    if (!message.isEmpty())
        f.dialogs.expectMessage(message);

    cmdAddDir_Click(f.ctx);

    QCOMPARE(f.state.playlist.entries(), expected);
    QVERIFY(f.dialogs.done());
    if (!message.isEmpty()) {
        QCOMPARE(f.dialogs.lastMessage().icon, MessageIcon::Exclamation);
        // The list is complete and the hourglass gone when the message shows.
        QCOMPARE(f.window.refreshCount, 1);
        QVERIFY(!f.window.busy);
    }
}

void TestFolderWalk::letsEventsRunAfterEveryFileAndBeforeEverySubFolder() {
    CommandFixture f;
    f.addFiles({"C:\\A\\a.mp3", "C:\\A\\b.wav", "C:\\A\\S1\\c.mp3", "C:\\A\\S2\\d.wma",
                "C:\\A\\S2\\T\\e.mp3"});
    f.window.dir = QStringLiteral("C:\\A");
    AddRecorder recorder(f);

    FolderWalk walk(0ms);
    addEntireDir(f.ctx, walk);

    // 5 files, and 3 sub-folders in each of the three passes.
    QCOMPARE(f.window.eventTurns, 5 + 3 * 3);
    QVERIFY(recorder.orderKept);
    QCOMPARE(recorder.added.size(), 5);
}

void TestFolderWalk::secondWalkDuringATurnLeavesTheFirstUndisturbed() {
    CommandFixture f;
    for (const char* name : {"1", "2", "3", "4"})
        f.fs.addFile(QStringLiteral("C:\\A\\a%1.mp3").arg(QLatin1String(name)));
    f.addFiles({"C:\\A\\Sub\\s.mp3", "C:\\B\\b.mp3"});
    f.window.dir = QStringLiteral("C:\\A");
    bool started = false;
    f.window.onProcessEvents = [&] {
        if (std::exchange(started, true))
            return;
        // The user highlights B and clicks Add Entire Dir again, then goes
        // back to A.
        f.window.highlighted = QStringLiteral("C:\\B");
        cmdAddDir_Click(f.ctx);
        f.window.highlighted.clear();
    };

    FolderWalk walk(0ms);
    addEntireDir(f.ctx, walk);

    QCOMPARE(f.state.playlist.entries(),
             (QStringList{"C:\\A\\a1.mp3", "C:\\A\\a2.mp3", "C:\\A\\a3.mp3", "C:\\A\\a4.mp3",
                          "C:\\A\\Sub\\s.mp3", "C:\\B\\b.mp3"}));
    // The hourglass stays on until the first walk ends.
    QCOMPARE(f.window.busyChanges, (QList<bool>{true, false}));
    QCOMPARE(f.window.refreshCount, 2);
}

QTEST_APPLESS_MAIN(TestFolderWalk)
#include "tst_folder_walk.moc"
