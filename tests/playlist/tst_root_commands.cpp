// Make Root and "x": the check pass, the re-base in place, and the refusal
// as a whole.

#include "playlist/add_commands.h"
#include "playlist/root_commands.h"
#include "playlist_fixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestRootCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void changeRoot_data();
    void changeRoot();
    void makeRootOnAFolderEndingInASpace();
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
        << false << "C:\\Music\\" << strings({"Rock\\a.mp3", "Jazz\\b.mp3"}) << "" << false
        << strings({"C:\\Music\\Jazz\\b.mp3", "C:\\Music\\Rock\\a.mp3"}) << "";
    QTest::newRow("x without a root: unchanged")
        << false << "" << strings({"C:\\a.mp3"}) << "" << false << strings({"C:\\a.mp3"}) << "";
    QTest::newRow("an entry outside: refused as a whole")
        << false << "" << strings({"C:\\Music\\Rock\\a.mp3", "D:\\x.mp3"}) << "C:\\Music" << true
        << strings({"C:\\Music\\Rock\\a.mp3", "D:\\x.mp3"}) << "";
    QTest::newRow("case ignored: accepted, remainders keep their case")
        << false << "" << strings({"c:\\music\\a.mp3", "C:\\MUSIC\\Rock\\B.mp3"}) << "C:\\Music"
        << false << strings({"a.mp3", "Rock\\B.mp3"}) << "C:\\Music\\";
    QTest::newRow("same root again: unchanged, accepted")
        << false << "C:\\Music\\" << strings({"a.mp3"}) << "C:\\Music" << false
        << strings({"a.mp3"}) << "C:\\Music\\";
    QTest::newRow("sibling folder with a longer name: refused")
        << false << "" << strings({"C:\\Music2\\a.mp3"}) << "C:\\Music" << true
        << strings({"C:\\Music2\\a.mp3"}) << "";
    QTest::newRow("empty playlist: any folder")
        << false << "" << QStringList() << "E:\\Any" << false << QStringList() << "E:\\Any\\";
    QTest::newRow("deeper root") << false << "C:\\Music\\" << strings({"Rock\\a.mp3"})
                                 << "C:\\Music\\Rock" << false << strings({"a.mp3"})
                                 << "C:\\Music\\Rock\\";
    QTest::newRow("higher root") << false << "C:\\Music\\Rock\\" << strings({"a.mp3"})
                                 << "C:\\Music" << false << strings({"Rock\\a.mp3"})
                                 << "C:\\Music\\";
    QTest::newRow("drive top folder keeps its one separator")
        << false << "" << strings({"C:\\a.mp3"}) << "C:\\" << false << strings({"a.mp3"}) << "C:\\";
    QTest::newRow("padding spaces after the folder go")
        << false << "" << strings({"C:\\Music\\a.mp3"}) << "C:\\Music  " << false
        << strings({"a.mp3"}) << "C:\\Music\\";
    QTest::newRow("posix: case counts, refused")
        << true << "" << strings({"/music/a.mp3"}) << "/Music" << true << strings({"/music/a.mp3"})
        << "";
    QTest::newRow("posix: accepted") << true << "/music/" << strings({"rock/a.mp3"}) << "/" << false
                                     << strings({"music/rock/a.mp3"}) << "/";
    QTest::newRow("posix: a trailing space is part of the folder")
        << true << "" << strings({"/m/Mix /a.mp3", "/m/Mix /b.mp3"}) << "/m/Mix " << false
        << strings({"a.mp3", "b.mp3"}) << "/m/Mix /";
}

void TestRootCommands::changeRoot() {
    QFETCH(bool, posix);
    QFETCH(QString, root);
    QFETCH(QStringList, entries);
    QFETCH(QString, makeRootOn);
    QFETCH(bool, refused);
    QFETCH(QStringList, expected);
    QFETCH(QString, expectedRoot);

    PlaylistFixture<> f(posix ? PathRules::posix() : PathRules::windows());
    f.setEntries(root, entries);
    if (refused)
        f.dialogs.expectMessage(u"Not all files are in that path"_s);

    if (makeRootOn.isEmpty())
        clearRoot(f.document, f.dialogs);
    else
        makeRoot(f.document, f.dialogs, makeRootOn);

    QCOMPARE(f.entries(), expected);
    QCOMPARE(f.document.rootPath(), expectedRoot);
    QVERIFY(f.dialogs.done());
    if (refused)
        QCOMPARE(f.dialogs.lastMessage().icon, MessageIcon::Exclamation);
    // Set by every change that goes through, even to the same root.
    QCOMPARE(f.document.isModified(), !refused);
}

void TestRootCommands::makeRootOnAFolderEndingInASpace() {
    // On Linux "Mix " and "Mix" are two folders: the root must keep the
    // space, or every file inside would count as outside it.
    PlaylistFixture<> f(PathRules::posix());

    makeRoot(f.document, f.dialogs, u"/m/Mix "_s);
    addSelectedFiles(f.document, f.dialogs, u"/m/Mix "_s, strings({"a.mp3"}));
    addDroppedPaths(f.document, f.dialogs, strings({"/m/Mix /Sub/b.mp3"}));

    QCOMPARE(f.document.rootPath(), u"/m/Mix /"_s);
    QCOMPARE(f.entries(), strings({"a.mp3", "Sub/b.mp3"}));
    QVERIFY(f.dialogs.shown().isEmpty());
}

QTEST_APPLESS_MAIN(TestRootCommands)
#include "tst_root_commands.moc"
