// The playlist named on the command line: how the arguments become one path,
// and which paths are opened at start-up (Windows rules).
#include "fake_file_system.h"
#include "playlist_file/command_line.h"
#include "session.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void capturesOnePath_data();
    void capturesOnePath();
    void opensAnExistingFile_data();
    void opensAnExistingFile();
};

void TestCommandLine::capturesOnePath_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("candidate");

    QTest::newRow("none") << QStringList{} << "";
    QTest::newRow("quoted path with spaces")
        << QStringList{"\"C:\\My Lists\\mix.m3u\""} << "C:\\My Lists\\mix.m3u";
    QTest::newRow("split by the shell, joined again")
        << QStringList{"/home/me/My", "Lists/mix.m3u"} << "/home/me/My Lists/mix.m3u";
    QTest::newRow("quote inside the path") << QStringList{"C:\\a\"b.m3u"} << "C:\\ab.m3u";
    QTest::newRow("spaces only") << QStringList{"  ", " "} << "";
    QTest::newRow("quotes only") << QStringList{"\"\"\""} << "";
    QTest::newRow("spaces inside quotes trimmed") << QStringList{"\" a.m3u \""} << "a.m3u";
    QTest::newRow("tabs are not spaces") << QStringList{"\ta.m3u"} << "\ta.m3u";
    QTest::newRow("two paths make one")
        << QStringList{"C:\\a.m3u", "C:\\b.m3u"} << "C:\\a.m3u C:\\b.m3u";
}

void TestCommandLine::capturesOnePath() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, candidate);
    QCOMPARE(captureCommandLineCandidate(arguments), candidate);
}

void TestCommandLine::opensAnExistingFile_data() {
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Script>("script");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("root");

    const QString untitled = "C:\\Start\\untitled.m3u";
    QTest::newRow("empty") << "" << untitled << Script{} << QStringList{} << "";
    QTest::newRow("missing file") << "C:\\Lists\\none.m3u" << untitled << Script{} << QStringList{}
                                  << "";
    QTest::newRow("folder") << "C:\\Lists" << untitled << Script{} << QStringList{} << "";
    QTest::newRow("full path, relative entries")
        << "C:\\Lists\\my mix.m3u"
        << "C:\\Lists\\my mix.m3u" << Script{rootMessage("C:\\Lists\\")}
        << QStringList{"Artist\\a.mp3"} << "C:\\Lists\\";
    // A bare name is taken in the start-up folder, so its relative entries
    // resolve there instead of below a root of "\" alone.
    QTest::newRow("bare file name") << "my mix.m3u"
                                    << "C:\\Start\\my mix.m3u" << Script{rootMessage("C:\\Start\\")}
                                    << QStringList{"Artist\\a.mp3"} << "C:\\Start\\";
}

void TestCommandLine::opensAnExistingFile() {
    QFETCH(QString, candidate);
    QFETCH(QString, name);
    QFETCH(Script, script);
    QFETCH(QStringList, entries);
    QFETCH(QString, root);
    Session<FakeFileSystem> s;
    for (const QString folder : {"C:\\Lists", "C:\\Start"}) {
        s.fs.addFile(folder + "\\my mix.m3u", "Artist\\a.mp3\r\n");
        s.fs.addFile(folder + "\\Artist\\a.mp3");
    }
    s.fs.setCurrentFolder("C:\\Start");
    s.state.sCurrentPlaylist = "C:\\Start\\untitled.m3u";
    expect(s.dialogs, script);

    openCommandLineCandidate(s.ctx, candidate);

    QVERIFY(s.dialogs.done());
    QCOMPARE(s.state.sCurrentPlaylist, name);
    QCOMPARE(s.state.playlist.entries(), entries);
    QCOMPARE(s.state.playlist.rootPath(), root);
    QCOMPARE(s.state.bBoundFile, !entries.isEmpty());
    QVERIFY(!s.state.bUnsaved);
    QCOMPARE(s.window.refreshCount, 0);
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
