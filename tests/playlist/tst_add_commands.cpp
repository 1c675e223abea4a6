// Adding one file with its refusal message, Add Selected Files, the drop on
// the playlist and Remove Selected Items, with Windows rules unless a row
// says otherwise.

#include "playlist/add_commands.h"
#include "playlist_fixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kNotInRoot = u"File is not in Root Path"_s;

PathRules rulesFor(bool posix) {
    return posix ? PathRules::posix() : PathRules::windows();
}

void expectRefusals(ScriptedDialogs& dialogs, int count) {
    for (int i = 0; i < count; ++i)
        dialogs.expectMessage(kNotInRoot);
}

} // namespace

class TestAddCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addFileToPlaylist_data();
    void addFileToPlaylist();
    void refusalShowsTheListUpToDate();
    void addSelectedFiles_data();
    void addSelectedFiles();
    void drop_data();
    void drop();
    void removeEntries_data();
    void removeEntries();
};

void TestAddCommands::addFileToPlaylist_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("refused");

    QTest::newRow("inside the root: added silently")
        << "C:\\Music\\"
        << "C:\\Music\\b.mp3" << strings({"a.mp3", "b.mp3"}) << false;
    QTest::newRow("duplicate: skipped silently")
        << "C:\\Music\\"
        << "c:\\music\\A.MP3" << strings({"a.mp3"}) << false;
    QTest::newRow("outside the root: a warning") << "C:\\Music\\"
                                                 << "D:\\b.mp3" << strings({"a.mp3"}) << true;
}

void TestAddCommands::addFileToPlaylist() {
    QFETCH(QString, root);
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    QFETCH(bool, refused);

    PlaylistFixture<> f;
    f.setEntries(root, strings({"a.mp3"}));
    expectRefusals(f.dialogs, refused ? 1 : 0);

    ::addFileToPlaylist(f.document, f.dialogs, file);

    QCOMPARE(f.entries(), expected);
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.dialogs.shown().size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(f.dialogs.lastMessage().icon, MessageIcon::Exclamation);
        QCOMPARE(f.dialogs.lastMessage().buttons, MessageButtons::Ok);
    }
}

void TestAddCommands::refusalShowsTheListUpToDate() {
    // A message box lets the window repaint: the files added before the
    // refused one are in the list by then, although the command batches its
    // adds.
    PlaylistFixture<FakeFileSystem, YesDialogs> f;
    f.setEntries(u"C:\\Music\\"_s, {});
    QList<QStringList> shownOver;
    f.dialogs.onMessage = [&](const MessageRequest&) { shownOver.append(f.entries()); };

    addDroppedPaths(f.document, f.dialogs,
                    strings({"C:\\Music\\b.mp3", "C:\\Music\\a.mp3", "D:\\c.mp3",
                             "C:\\Music\\d.mp3", "E:\\e.mp3"}));

    QCOMPARE(f.dialogs.texts, QStringList(2, kNotInRoot));
    QCOMPARE(shownOver, (QList<QStringList>{strings({"a.mp3", "b.mp3"}),
                                            strings({"a.mp3", "b.mp3", "d.mp3"})}));
    QCOMPARE(f.entries(), strings({"a.mp3", "b.mp3", "d.mp3"}));
}

void TestAddCommands::addSelectedFiles_data() {
    QTest::addColumn<bool>("posix");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("selected"); // top to bottom
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("messages");
    QTest::addColumn<bool>("modified");

    QTest::newRow("drive top folder: no doubled separator")
        << false << "" << QStringList() << "C:\\" << strings({"a.mp3", "b.mp3"})
        << strings({"C:\\a.mp3", "C:\\b.mp3"}) << 0 << true;
    QTest::newRow("selected names, placed in order")
        << false << "" << QStringList() << "C:\\Music" << strings({"c.mp3", "b.mp3"})
        << strings({"C:\\Music\\b.mp3", "C:\\Music\\c.mp3"}) << 0 << true;
    QTest::newRow("top to bottom: the first spelling is kept")
        << false << "" << QStringList() << "C:\\Music" << strings({"B.mp3", "b.MP3"})
        << strings({"C:\\Music\\B.mp3"}) << 0 << true;
    QTest::newRow("padding spaces around the path go")
        << false << "" << QStringList() << "  C:\\Music" << strings({"a.mp3  "})
        << strings({"C:\\Music\\a.mp3"}) << 0 << true;
    QTest::newRow("under the root: relative entries")
        << false << "C:\\Music\\" << QStringList() << "c:\\music\\Rock" << strings({"a.mp3"})
        << strings({"Rock\\a.mp3"}) << 0 << true;
    QTest::newRow("outside the root: a message per file, flag still set")
        << false << "D:\\" << QStringList() << "C:\\Music" << strings({"a.mp3", "b.mp3"})
        << QStringList() << 2 << true;
    QTest::newRow("already present: flag still set")
        << false << "" << strings({"C:\\Music\\A.MP3"}) << "C:\\Music" << strings({"a.mp3"})
        << strings({"C:\\Music\\A.MP3"}) << 0 << true;
    QTest::newRow("nothing selected: flag untouched")
        << false << "" << QStringList() << "C:\\Music" << QStringList() << QStringList() << 0
        << false;
    QTest::newRow("posix: spaces belong to the names")
        << true << "/m/Mix /" << QStringList() << "/m/Mix " << strings({" a.mp3", "b.mp3 "})
        << strings({" a.mp3", "b.mp3 "}) << 0 << true;
}

void TestAddCommands::addSelectedFiles() {
    QFETCH(bool, posix);
    QFETCH(QString, root);
    QFETCH(QStringList, present);
    QFETCH(QString, folder);
    QFETCH(QStringList, selected);
    QFETCH(QStringList, expected);
    QFETCH(int, messages);
    QFETCH(bool, modified);

    PlaylistFixture<> f(rulesFor(posix));
    f.setEntries(root, present);
    expectRefusals(f.dialogs, messages);

    ::addSelectedFiles(f.document, f.dialogs, folder, selected);

    QCOMPARE(f.entries(), expected);
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.document.isModified(), modified);
}

void TestAddCommands::drop_data() {
    QTest::addColumn<bool>("posix");
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("messages");

    QTest::newRow("two files and a folder: three entries, no pattern")
        << false << "" << true << strings({"C:\\M\\b.txt", "C:\\M\\Sub", "C:\\M\\a.mp3"})
        << strings({"C:\\M\\a.mp3", "C:\\M\\b.txt", "C:\\M\\Sub"}) << 0;
    QTest::newRow("network path keeps its leading pair")
        << false << "" << true << strings({"\\\\server\\share\\\\a.mp3"})
        << strings({"\\\\server\\share\\a.mp3"}) << 0;
    QTest::newRow("doubled separators collapse, four become two")
        << false << "" << true << strings({"C:\\\\Music\\\\\\\\a.mp3"})
        << strings({"C:\\Music\\\\a.mp3"}) << 0;
    QTest::newRow("padding spaces go")
        << false << "" << true << strings({"  C:\\a.mp3  "}) << strings({"C:\\a.mp3"}) << 0;
    QTest::newRow("in list order: the first spelling is kept")
        << false << "" << true << strings({"C:\\x\\A.mp3", "c:\\X\\a.MP3"})
        << strings({"C:\\x\\A.mp3"}) << 0;
    QTest::newRow("outside the root: a message per path")
        << false << "C:\\Music\\" << true << strings({"D:\\a.mp3", "C:\\Music\\b.mp3", "D:\\c.mp3"})
        << strings({"b.mp3"}) << 2;
    QTest::newRow("no file list: nothing added")
        << false << "" << false << QStringList() << QStringList() << 0;
    QTest::newRow("empty file list: nothing added")
        << false << "" << true << QStringList() << QStringList() << 0;
    QTest::newRow("posix: leading pair kept, inner pairs collapse, spaces are name")
        << true << "" << true
        << strings({"//server/share/a.mp3", "/home//u/a.mp3", "/home/u/b.mp3 "})
        << strings({"//server/share/a.mp3", "/home/u/a.mp3", "/home/u/b.mp3 "}) << 0;
}

void TestAddCommands::drop() {
    QFETCH(bool, posix);
    QFETCH(QString, root);
    QFETCH(bool, offered);
    QFETCH(QStringList, dropped);
    QFETCH(QStringList, expected);
    QFETCH(int, messages);

    PlaylistFixture<> f(rulesFor(posix));
    f.setEntries(root, {});
    expectRefusals(f.dialogs, messages);

    addDroppedPaths(f.document, f.dialogs,
                    offered ? std::optional<QStringList>(dropped) : std::nullopt);

    QCOMPARE(f.entries(), expected);
    QVERIFY(f.dialogs.done());
    // Every drop marks the playlist changed, also one that added nothing.
    QVERIFY(f.document.isModified());
}

void TestAddCommands::removeEntries_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("b and d of a-d") << QList<int>{1, 3} << strings({"a.mp3", "c.mp3"});
    QTest::newRow("neighbours, given in any order") << QList<int>{2, 0, 1} << strings({"d.mp3"});
    QTest::newRow("all: empty playlist") << QList<int>{0, 1, 2, 3} << QStringList();
    QTest::newRow("none: unchanged")
        << QList<int>() << strings({"a.mp3", "b.mp3", "c.mp3", "d.mp3"});
    QTest::newRow("rows twice or out of range are ignored")
        << QList<int>{7, 1, -1, 1, 4} << strings({"a.mp3", "c.mp3", "d.mp3"});
}

void TestAddCommands::removeEntries() {
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, expected);

    PlaylistFixture<> f;
    f.setEntries(u"C:\\Music\\"_s, strings({"d.mp3", "b.mp3", "a.mp3", "c.mp3"}));

    ::removeEntries(f.document, selected);

    QCOMPARE(f.entries(), expected);
    QCOMPARE(f.document.rootPath(), u"C:\\Music\\"_s);
    // Set also when nothing was selected.
    QVERIFY(f.document.isModified());
}

QTEST_APPLESS_MAIN(TestAddCommands)
#include "tst_add_commands.moc"
