// Turning file paths into entries: the root test, the duplicate test, the
// sorted order, and the two path helpers, under Windows and POSIX rules.
#include "fake_file_system.h"
#include "fake_window_services.h"
#include "playlist/entries.h"
#include "playlist/form_state.h"
#include "scripted_dialogs.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const QString kOutside = QStringLiteral("File is not in Root Path");

struct Fixture {
    explicit Fixture(PathRules rules = PathRules::windows())
        : fs(rules)
        , state(rules) {}
    FakeFileSystem fs;
    ScriptedDialogs dialogs;
    FakeWindowServices window;
    FormState state;
    CommandContext ctx{state, fs, dialogs, window};
};

} // namespace

class TestEntries : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addFileToList_data();
    void addFileToList();
    void duplicateLeavesFlagAlone();
    void sortedOrderIgnoresCase();
    void batchedAddsGiveTheSameListAsSingleAdds();
    void indexFollowsRemoveReplaceAndClear();
    void sAddSlash_data();
    void sAddSlash();
    void bFileExists_data();
    void bFileExists();
};

void TestEntries::addFileToList_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("refused");

    QTest::newRow("no root keeps the path") << true << "" << QStringList{} << "C:\\Music\\a.mp3"
                                            << QStringList{"C:\\Music\\a.mp3"} << false;
    QTest::newRow("root cut ignoring case")
        << true << "C:\\Music\\" << QStringList{} << "c:\\MUSIC\\Artist\\A.mp3"
        << QStringList{"Artist\\A.mp3"} << false;
    QTest::newRow("sibling folder is outside")
        << true << "C:\\Music\\" << QStringList{} << "C:\\Music2\\a.mp3" << QStringList{} << true;
    QTest::newRow("root folder without separator is outside")
        << true << "C:\\Music\\" << QStringList{} << "C:\\Music" << QStringList{} << true;
    QTest::newRow("duplicate ignoring case")
        << true << "C:\\Music\\" << QStringList{"Artist\\a.mp3"} << "C:\\Music\\ARTIST\\A.MP3"
        << QStringList{"Artist\\a.mp3"} << false;
    QTest::newRow("path kept untrimmed")
        << true << "" << QStringList{} << " C:\\a.mp3 " << QStringList{" C:\\a.mp3 "} << false;
    // On Linux names differ by case: both files are real and distinct.
    QTest::newRow("posix case makes another entry")
        << false << "/music/" << QStringList{"Artist/a.mp3"} << "/music/ARTIST/A.MP3"
        << QStringList{"ARTIST/A.MP3", "Artist/a.mp3"} << false;
    QTest::newRow("posix root compared exactly")
        << false << "/music/" << QStringList{} << "/Music/a.mp3" << QStringList{} << true;
    QTest::newRow("posix relative cut")
        << false << "/music/" << QStringList{} << "/music/Rock/a.mp3" << QStringList{"Rock/a.mp3"}
        << false;
}

void TestEntries::addFileToList() {
    QFETCH(bool, windows);
    QFETCH(QString, root);
    QFETCH(QStringList, present);
    QFETCH(QString, file);
    QFETCH(QStringList, entries);
    QFETCH(bool, refused);

    Fixture f(windows ? PathRules::windows() : PathRules::posix());
    f.state.playlist.setRootPath(root);
    for (const QString& entry : present)
        f.state.playlist.insertSorted(entry);
    if (refused)
        f.dialogs.expectMessage(kOutside);
    AddFileToList(f.ctx, file);

    QCOMPARE(f.state.playlist.entries(), entries);
    QCOMPARE(f.state.bUnsaved, entries.size() > present.size());
    QVERIFY(f.dialogs.done());
    if (refused)
        QCOMPARE(f.dialogs.lastMessage().icon, MessageIcon::Exclamation);
    QCOMPARE(f.window.refreshCount, 0);
}

void TestEntries::duplicateLeavesFlagAlone() {
    Fixture f;
    AddFileToList(f.ctx, QStringLiteral("C:\\a.mp3"));
    f.state.bUnsaved = false;
    AddFileToList(f.ctx, QStringLiteral("c:\\A.MP3"));
    QVERIFY(!f.state.bUnsaved);
    QCOMPARE(f.state.playlist.count(), 1);
}

void TestEntries::sortedOrderIgnoresCase() {
    Fixture f;
    for (const char* path : {"C:\\b.mp3", "C:\\A.mp3", "C:\\c.mp3", "C:\\a2.mp3"})
        AddFileToList(f.ctx, QLatin1String(path));
    QCOMPARE(f.state.playlist.entries(),
             (QStringList{QStringLiteral("C:\\A.mp3"), QStringLiteral("C:\\a2.mp3"),
                          QStringLiteral("C:\\b.mp3"), QStringLiteral("C:\\c.mp3")}));
}

void TestEntries::batchedAddsGiveTheSameListAsSingleAdds() {
    // Many adds merged in batches must land exactly where single adds would,
    // equal-but-for-case names included.
    QRandomGenerator random(7);
    QStringList names;
    for (int i = 0; i < 3000; ++i) {
        QString name =
            QStringLiteral("/m/%1/x%2.mp3").arg(random.bounded(50)).arg(random.bounded(400));
        if (random.bounded(3) == 0)
            name = name.toUpper();
        names.append(name);
    }
    PlaylistModel single(PathRules::posix());
    PlaylistModel batched(PathRules::posix());
    for (const QString& name : names)
        single.insertSorted(name);
    batched.insertSorted(names.first());
    batched.beginBatch();
    for (qsizetype i = 1; i < names.size(); ++i) {
        batched.insertSorted(names[i]);
        if (i % 700 == 0 || i % 701 == 0)
            batched.flushPending(); // large and tiny flushes both
    }
    QVERIFY(batched.contains(names.last()));
    batched.endBatch();
    QCOMPARE(batched.entries(), single.entries());
    QVERIFY(std::is_sorted(single.entries().cbegin(), single.entries().cend(),
                           PathRules::lessForPlaylist));
}

void TestEntries::indexFollowsRemoveReplaceAndClear() {
    PlaylistModel model(PathRules::windows());
    for (const char* e : {"a", "b", "c", "d", "b"})
        model.insertSorted(QLatin1String(e));
    model.removeEntries({4, 1, 2}); // a b b c d -> a c
    QCOMPARE(model.entries(), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    QVERIFY(!model.contains(QStringLiteral("B")));
    model.replaceEntry(0, QStringLiteral("Rock\\a"));
    QVERIFY(model.contains(QStringLiteral("ROCK\\A")));
    QVERIFY(!model.contains(QStringLiteral("a")));
    QVERIFY(model.contains(QStringLiteral("C")));
    model.clear();
    QVERIFY(!model.contains(QStringLiteral("c")));
    QCOMPARE(model.count(), 0);
}

void TestEntries::sAddSlash_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("result");
    QTest::newRow("trailing spaces") << true << "C:\\Music  "
                                     << "C:\\Music\\";
    QTest::newRow("drive top unchanged") << true << "C:\\"
                                         << "C:\\";
    QTest::newRow("empty") << true << ""
                           << "\\";
    QTest::newRow("blank") << true << "   "
                           << "\\";
    QTest::newRow("leading spaces stay") << true << "  C:\\A"
                                         << "  C:\\A\\";
    QTest::newRow("posix folder") << false << "/music "
                                  << "/music/";
    QTest::newRow("posix root") << false << "/"
                                << "/";
}

void TestEntries::sAddSlash() {
    QFETCH(bool, windows);
    QFETCH(QString, path);
    QFETCH(QString, result);
    QCOMPARE(::sAddSlash(path, windows ? PathRules::windows() : PathRules::posix()), result);
}

void TestEntries::bFileExists_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("exists");
    QTest::newRow("ordinary file") << "C:\\Music\\a.mp3" << true;
    QTest::newRow("other case") << "c:\\music\\A.MP3" << true;
    QTest::newRow("read-only file") << "C:\\Music\\r.mp3" << true;
    QTest::newRow("pattern that matches") << "C:\\Music\\*.mp3" << true;
    QTest::newRow("pattern without match") << "C:\\Music\\*.ogg" << false;
    QTest::newRow("folder") << "C:\\Music" << false;
    QTest::newRow("hidden file") << "C:\\Music\\h.mp3" << false;
    QTest::newRow("system file") << "C:\\Music\\s.mp3" << false;
    QTest::newRow("missing drive") << "Q:\\a.mp3" << false;
    QTest::newRow("drive not ready") << "E:\\a.mp3" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("folder with separator holding a file") << "C:\\Music\\" << true;
}

void TestEntries::bFileExists() {
    QFETCH(QString, path);
    QFETCH(bool, exists);
    FakeFileSystem fs;
    fs.addFile(QStringLiteral("C:\\Music\\a.mp3"));
    fs.addFile(QStringLiteral("C:\\Music\\r.mp3"), {}, {.readOnly = true});
    fs.addFile(QStringLiteral("C:\\Music\\h.mp3"), {}, {.hidden = true});
    fs.addFile(QStringLiteral("C:\\Music\\s.mp3"), {}, {.system = true});
    fs.addDrive(QStringLiteral("E:\\"), false);
    QCOMPARE(::bFileExists(fs, path), exists);
}

QTEST_APPLESS_MAIN(TestEntries)
#include "tst_entries.moc"
