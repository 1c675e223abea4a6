// Add Selected Files, the drop on the playlist and Remove Selected Items,
// with Windows rules unless a row says otherwise.

#include "command_fixture.h"
#include "playlist/editing_commands.h"

#include <QTest>

namespace {

QList<bool> selectionFrom(const QString& marks) {
    QList<bool> selection;
    for (const QChar mark : marks)
        selection.append(mark == QLatin1Char('1'));
    return selection;
}

} // namespace

class TestAddCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addSelectedFiles_data();
    void addSelectedFiles();
    void drop_data();
    void drop();
    void removeSelectedItems_data();
    void removeSelectedItems();
};

void TestAddCommands::addSelectedFiles_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("messages");
    QTest::addColumn<bool>("unsaved");

    QTest::newRow("drive top folder: no doubled separator")
        << "" << QStringList() << "C:\\" << QStringList{"a.mp3", "b.mp3"} << "11"
        << QStringList{"C:\\a.mp3", "C:\\b.mp3"} << 0 << true;
    QTest::newRow("only the selected items")
        << "" << QStringList() << "C:\\Music" << QStringList{"c.mp3", "a.mp3", "b.mp3"} << "101"
        << QStringList{"C:\\Music\\b.mp3", "C:\\Music\\c.mp3"} << 0 << true;
    QTest::newRow("top to bottom: the first spelling is kept")
        << "" << QStringList() << "C:\\Music" << QStringList{"B.mp3", "b.MP3"} << "11"
        << QStringList{"C:\\Music\\B.mp3"} << 0 << true;
    QTest::newRow("under the root: relative entries")
        << "C:\\Music\\" << QStringList() << "c:\\music\\Rock" << QStringList{"a.mp3"} << "1"
        << QStringList{"Rock\\a.mp3"} << 0 << true;
    QTest::newRow("outside the root: a message per file, flag still set")
        << "D:\\" << QStringList() << "C:\\Music" << QStringList{"a.mp3", "b.mp3"} << "11"
        << QStringList() << 2 << true;
    QTest::newRow("already present: flag still set")
        << "" << QStringList{"C:\\Music\\A.MP3"} << "C:\\Music" << QStringList{"a.mp3"} << "1"
        << QStringList{"C:\\Music\\A.MP3"} << 0 << true;
    QTest::newRow("nothing selected: flag untouched")
        << "" << QStringList() << "C:\\Music" << QStringList{"a.mp3"} << "0" << QStringList() << 0
        << false;
}

void TestAddCommands::addSelectedFiles() {
    QFETCH(QString, root);
    QFETCH(QStringList, present);
    QFETCH(QString, folder);
    QFETCH(QStringList, items);
    QFETCH(QString, selected);
    QFETCH(QStringList, expected);
    QFETCH(int, messages);
    QFETCH(bool, unsaved);

    CommandFixture f;
    f.setPlaylist(root, present);
    f.window.fileFolder = folder;
    f.window.fileItems = items;
    f.window.fileSelected = selectionFrom(selected);
    for (int i = 0; i < messages; ++i)
        f.dialogs.expectMessage(QStringLiteral("File is not in Root Path"));

    cmdAddFiles_Click(f.ctx);

    QCOMPARE(f.state.playlist.entries(), expected);
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.state.bUnsaved, unsaved);
    QCOMPARE(f.window.refreshCount, 1);
}

void TestAddCommands::drop_data() {
    QTest::addColumn<bool>("posix");
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("messages");

    QTest::newRow("two files and a folder: three entries, no pattern")
        << false << "" << true << QStringList{"C:\\M\\b.txt", "C:\\M\\Sub", "C:\\M\\a.mp3"}
        << QStringList{"C:\\M\\a.mp3", "C:\\M\\b.txt", "C:\\M\\Sub"} << 0;
    QTest::newRow("network path keeps its leading pair")
        << false << "" << true << QStringList{"\\\\server\\share\\\\a.mp3"}
        << QStringList{"\\\\server\\share\\a.mp3"} << 0;
    QTest::newRow("doubled separators collapse, four become two")
        << false << "" << true << QStringList{"C:\\\\Music\\\\\\\\a.mp3"}
        << QStringList{"C:\\Music\\\\a.mp3"} << 0;
    QTest::newRow("padding spaces go")
        << false << "" << true << QStringList{"  C:\\a.mp3  "} << QStringList{"C:\\a.mp3"} << 0;
    QTest::newRow("in list order: the first spelling is kept")
        << false << "" << true << QStringList{"C:\\x\\A.mp3", "c:\\X\\a.MP3"}
        << QStringList{"C:\\x\\A.mp3"} << 0;
    QTest::newRow("outside the root: a message per path")
        << false << "C:\\Music\\" << true
        << QStringList{"D:\\a.mp3", "C:\\Music\\b.mp3", "D:\\c.mp3"} << QStringList{"b.mp3"} << 2;
    QTest::newRow("no file list: nothing added")
        << false << "" << false << QStringList() << QStringList() << 0;
    QTest::newRow("empty file list: nothing added")
        << false << "" << true << QStringList() << QStringList() << 0;
    QTest::newRow("posix: leading pair kept, inner pairs collapse, spaces are name")
        << true << "" << true
        << QStringList{"//server/share/a.mp3", "/home//u/a.mp3", "/home/u/b.mp3 "}
        << QStringList{"//server/share/a.mp3", "/home/u/a.mp3", "/home/u/b.mp3 "} << 0;
}

void TestAddCommands::drop() {
    QFETCH(bool, posix);
    QFETCH(QString, root);
    QFETCH(bool, offered);
    QFETCH(QStringList, dropped);
    QFETCH(QStringList, expected);
    QFETCH(int, messages);

    CommandFixture f(posix ? PathRules::posix() : PathRules::windows());
    f.setPlaylist(root, {});
    for (int i = 0; i < messages; ++i)
        f.dialogs.expectMessage(QStringLiteral("File is not in Root Path"));

    List1_OLEDragDrop(f.ctx, offered ? std::optional<QStringList>(dropped) : std::nullopt);

    QCOMPARE(f.state.playlist.entries(), expected);
    QVERIFY(f.dialogs.done());
    QVERIFY(f.state.bUnsaved);
    QCOMPARE(f.window.refreshCount, 1);
}

void TestAddCommands::removeSelectedItems_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("b and d of a-d") << QList<int>{1, 3} << QStringList{"a.mp3", "c.mp3"};
    QTest::newRow("neighbours, given in any order") << QList<int>{2, 0, 1} << QStringList{"d.mp3"};
    QTest::newRow("all: empty playlist") << QList<int>{0, 1, 2, 3} << QStringList();
    QTest::newRow("none: unchanged")
        << QList<int>() << QStringList{"a.mp3", "b.mp3", "c.mp3", "d.mp3"};
}

void TestAddCommands::removeSelectedItems() {
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, expected);

    CommandFixture f;
    f.setPlaylist(QStringLiteral("C:\\Music\\"), {"d.mp3", "b.mp3", "a.mp3", "c.mp3"});
    f.window.playlistSelection = selected;

    cmdRemove_Click(f.ctx);

    QCOMPARE(f.state.playlist.entries(), expected);
    QCOMPARE(f.state.playlist.rootPath(), QStringLiteral("C:\\Music\\"));
    QVERIFY(f.state.bUnsaved);
    QCOMPARE(f.window.refreshCount, 1);
}

QTEST_APPLESS_MAIN(TestAddCommands)
#include "tst_add_commands.moc"
