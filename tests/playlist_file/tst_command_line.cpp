// The playlist named on the command line: how the arguments become one path,
// and which paths are opened at start-up (Windows rules).
#include "load_messages.h"
#include "playlist_file/command_line.h"
#include "playlist_fixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void makesOnePath_data();
    void makesOnePath();
    void opensAnExistingFile_data();
    void opensAnExistingFile();
};

void TestCommandLine::makesOnePath_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("candidate");

    QTest::newRow("none") << QStringList{} << "";
    QTest::newRow("quoted path with spaces")
        << QStringList{u"\"C:\\My Lists\\mix.m3u\""_s} << "C:\\My Lists\\mix.m3u";
    QTest::newRow("split by the shell, joined again")
        << QStringList{u"/home/me/My"_s, u"Lists/mix.m3u"_s} << "/home/me/My Lists/mix.m3u";
    QTest::newRow("quote inside the path") << QStringList{u"C:\\a\"b.m3u"_s} << "C:\\ab.m3u";
    QTest::newRow("spaces only") << QStringList{u"  "_s, u" "_s} << "";
    QTest::newRow("quotes only") << QStringList{u"\"\"\""_s} << "";
    QTest::newRow("spaces inside quotes trimmed") << QStringList{u"\" a.m3u \""_s} << "a.m3u";
    QTest::newRow("tabs are not spaces") << QStringList{u"\ta.m3u"_s} << "\ta.m3u";
    QTest::newRow("two paths make one")
        << QStringList{u"C:\\a.m3u"_s, u"C:\\b.m3u"_s} << "C:\\a.m3u C:\\b.m3u";
}

void TestCommandLine::makesOnePath() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, candidate);
    QCOMPARE(commandLineCandidate(arguments), candidate);
}

void TestCommandLine::opensAnExistingFile_data() {
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Script>("script");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("root");

    const QString untitled = u"C:\\Start\\untitled.m3u"_s;
    const QStringList relative{u"Artist\\a.mp3"_s};
    QTest::newRow("empty") << "" << untitled << Script{} << QStringList{} << "";
    QTest::newRow("missing file") << "C:\\Lists\\none.m3u" << untitled << Script{} << QStringList{}
                                  << "";
    QTest::newRow("folder") << "C:\\Lists" << untitled << Script{} << QStringList{} << "";
    // The file test would take it as "any file in the folder".
    QTest::newRow("folder with its trailing separator")
        << "C:\\Lists\\" << untitled << Script{} << QStringList{} << "";
    QTest::newRow("hidden file") << "C:\\Lists\\hidden.m3u" << untitled << Script{} << QStringList{}
                                 << "";
    QTest::newRow("full path, relative entries")
        << "C:\\Lists\\my mix.m3u"
        << "C:\\Lists\\my mix.m3u" << Script{rootMessage(u"C:\\Lists\\"_s)} << relative
        << "C:\\Lists\\";
    // A bare name is taken in the start-up folder, so its relative entries
    // resolve there instead of below a root of "\" alone.
    QTest::newRow("bare file name")
        << "my mix.m3u"
        << "C:\\Start\\my mix.m3u" << Script{rootMessage(u"C:\\Start\\"_s)} << relative
        << "C:\\Start\\";
}

void TestCommandLine::opensAnExistingFile() {
    QFETCH(QString, candidate);
    QFETCH(QString, name);
    QFETCH(Script, script);
    QFETCH(QStringList, entries);
    QFETCH(QString, root);
    PlaylistFixture<> f;
    for (const QString& folder : {u"C:\\Lists"_s, u"C:\\Start"_s}) {
        f.fs.addFile(folder + u"\\my mix.m3u"_s, "Artist\\a.mp3\r\n");
        f.fs.addFile(folder + u"\\Artist\\a.mp3"_s);
    }
    f.fs.addFile(u"C:\\Lists\\hidden.m3u"_s, "Artist\\a.mp3\r\n", {true, false, false});
    f.fs.setCurrentFolder(u"C:\\Start"_s);
    f.document.unbindFrom(u"C:\\Start\\untitled.m3u"_s);
    expect(f.dialogs, script);
    const DocumentSignals heard(f.document);

    openCommandLinePlaylist(f.document, f.fs, f.dialogs, candidate);

    const bool loaded = !entries.isEmpty();
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.document.filePath(), name);
    QCOMPARE(f.entries(), entries);
    QCOMPARE(f.document.rootPath(), root);
    QCOMPARE(f.document.isBoundToFile(), loaded);
    QVERIFY(!f.document.isModified());
    // An ignored candidate leaves the untitled playlist the window shows.
    if (loaded)
        QCOMPARE(heard.filePaths(), QStringList{name});
    else
        QCOMPARE(heard.count(), 0);
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
