// Make Root and "x": the check pass, the re-base in place, and the refusal
// as a whole.

#include "command_fixture.h"
#include "playlist/root_commands.h"

#include <QTest>

class TestRootCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void changeRoot_data();
    void changeRoot();
};

void TestRootCommands::changeRoot_data() {
    QTest::addColumn<bool>("posix");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("makeRootOn"); // empty: the "x" button
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("expectedRoot");

    QTest::newRow("x: relative entries become full paths")
        << false << "C:\\Music\\" << QStringList{"Rock\\a.mp3", "Jazz\\b.mp3"} << "" << false
        << QStringList{"C:\\Music\\Jazz\\b.mp3", "C:\\Music\\Rock\\a.mp3"} << "";
    QTest::newRow("x without a root: unchanged")
        << false << "" << QStringList{"C:\\a.mp3"} << "" << false << QStringList{"C:\\a.mp3"} << "";
    QTest::newRow("an entry outside: refused as a whole")
        << false << "" << QStringList{"C:\\Music\\Rock\\a.mp3", "D:\\x.mp3"} << "C:\\Music" << true
        << QStringList{"C:\\Music\\Rock\\a.mp3", "D:\\x.mp3"} << "";
    QTest::newRow("case ignored: accepted, remainders keep their case")
        << false << "" << QStringList{"c:\\music\\a.mp3", "C:\\MUSIC\\Rock\\B.mp3"} << "C:\\Music"
        << false << QStringList{"a.mp3", "Rock\\B.mp3"} << "C:\\Music\\";
    QTest::newRow("same root again: unchanged, accepted")
        << false << "C:\\Music\\" << QStringList{"a.mp3"} << "C:\\Music" << false
        << QStringList{"a.mp3"} << "C:\\Music\\";
    QTest::newRow("sibling folder with a longer name: refused")
        << false << "" << QStringList{"C:\\Music2\\a.mp3"} << "C:\\Music" << true
        << QStringList{"C:\\Music2\\a.mp3"} << "";
    QTest::newRow("empty playlist: any folder")
        << false << "" << QStringList() << "E:\\Any" << false << QStringList() << "E:\\Any\\";
    QTest::newRow("deeper root") << false << "C:\\Music\\" << QStringList{"Rock\\a.mp3"}
                                 << "C:\\Music\\Rock" << false << QStringList{"a.mp3"}
                                 << "C:\\Music\\Rock\\";
    QTest::newRow("higher root") << false << "C:\\Music\\Rock\\" << QStringList{"a.mp3"}
                                 << "C:\\Music" << false << QStringList{"Rock\\a.mp3"}
                                 << "C:\\Music\\";
    QTest::newRow("drive top folder keeps its one separator")
        << false << "" << QStringList{"C:\\a.mp3"} << "C:\\" << false << QStringList{"a.mp3"}
        << "C:\\";
    QTest::newRow("posix: case counts, refused")
        << true << "" << QStringList{"/music/a.mp3"} << "/Music" << true
        << QStringList{"/music/a.mp3"} << "";
    QTest::newRow("posix: accepted") << true << "/music/" << QStringList{"rock/a.mp3"} << "/"
                                     << false << QStringList{"music/rock/a.mp3"} << "/";
}

void TestRootCommands::changeRoot() {
    QFETCH(bool, posix);
    QFETCH(QString, root);
    QFETCH(QStringList, entries);
    QFETCH(QString, makeRootOn);
    QFETCH(bool, refused);
    QFETCH(QStringList, expected);
    QFETCH(QString, expectedRoot);

    CommandFixture f(posix ? PathRules::posix() : PathRules::windows());
    f.setPlaylist(root, entries);
    f.window.dir = makeRootOn;
    if (refused)
        f.dialogs.expectMessage(QStringLiteral("Not all files are in that path"));

    if (makeRootOn.isEmpty())
        cmdNoRoot_Click(f.ctx);
    else
        cmdMakeRoot_Click(f.ctx);

    QCOMPARE(f.state.playlist.entries(), expected);
    QCOMPARE(f.state.playlist.rootPath(), expectedRoot);
    QVERIFY(f.dialogs.done());
    if (refused)
        QCOMPARE(f.dialogs.lastMessage().icon, MessageIcon::Exclamation);
    QCOMPARE(f.state.bUnsaved, !refused);
    QCOMPARE(f.window.refreshCount, refused ? 0 : 1);
}

QTEST_APPLESS_MAIN(TestRootCommands)
#include "tst_root_commands.moc"
