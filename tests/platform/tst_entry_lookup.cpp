// How a playlist entry is looked up: its form (path, file: URL, stream), the
// path a file: URL names, and whether the file is there under both rule
// sets; names taken literally on a real Linux disk.
#include "fake_file_system.h"
#include "platform/entry_lookup.h"
#include "platform/native_file_system.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(EntryForm)
Q_DECLARE_METATYPE(std::optional<QString>)

class TestEntryLookup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void entryForm_data();
    void entryForm();
    void fileUrlPath_data();
    void fileUrlPath();
    void entryIsPresent_data();
    void entryIsPresent();
    void nativeNamesAreLiteral();
};

void TestEntryLookup::entryForm_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<EntryForm>("form");

    for (const char* stream :
         {"http://radio.example/live", "HTTPS://a.example/x.m3u8", "rtsp://cam/1", "rtmp://x/y",
          "mms://m/x", "udp://@239.0.0.1:1234", "svn+ssh://host/x", "ftp://host/a.mp3"})
        QTest::newRow(stream) << QString::fromLatin1(stream) << EntryForm::Stream;
    for (const char* url : {"file:///m/a.mp3", "FILE://localhost/m/a.mp3", "file:/m/a.mp3"})
        QTest::newRow(url) << QString::fromLatin1(url) << EntryForm::FileUrl;
    for (const char* path : {"C:\\Music\\a.mp3", "c://x", "/m/a.mp3", "Artist: Live/a.mp3",
                             " http://x", "1x://y", "Music\\a.mp3", "ht tp://x", ""})
        QTest::newRow(path) << QString::fromLatin1(path) << EntryForm::Path;
}

void TestEntryLookup::entryForm() {
    QFETCH(QString, entry);
    QFETCH(EntryForm, form);
    QCOMPARE(::entryForm(entry), form);
}

void TestEntryLookup::fileUrlPath_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("url");
    QTest::addColumn<std::optional<QString>>("path");
    const std::optional<QString> none;

    QTest::newRow("escapes decoded as UTF-8")
        << false << "file:///m/caf%C3%A9%20b.mp3" << std::optional(u"/m/café b.mp3"_s);
    QTest::newRow("localhost") << false << "file://LocalHost/m/a.mp3"
                               << std::optional(u"/m/a.mp3"_s);
    QTest::newRow("this machine's name")
        << false << u"file://%1/m/a.mp3"_s.arg(QSysInfo::machineHostName())
        << std::optional(u"/m/a.mp3"_s);
    QTest::newRow("no authority") << false << "file:/m/a.mp3" << std::optional(u"/m/a.mp3"_s);
    QTest::newRow("query and fragment are no part of the path")
        << false << "file:///m/a.mp3?t=1#x" << std::optional(u"/m/a.mp3"_s);
    QTest::newRow("escaped # and ?")
        << false << "file:///m/%231%3F.mp3" << std::optional(u"/m/#1?.mp3"_s);
    QTest::newRow("a % that begins no escape stands for itself")
        << false << "file:///m/100%.mp3%z" << std::optional(u"/m/100%.mp3%z"_s);
    QTest::newRow("another machine: nothing on Linux")
        << false << "file://server/share/a.mp3" << none;
    QTest::newRow("escapes that are not UTF-8") << false << "file:///m/caf%E9.mp3" << none;
    QTest::newRow("escaped NUL") << false << "file:///m/a%00.mp3" << none;
    QTest::newRow("NUL in the text") << false << u"file:///m/a\0.mp3"_s << none;
    QTest::newRow("relative") << false << "file:a.mp3" << none;
    QTest::newRow("host without a path") << false << "file://localhost" << none;
    QTest::newRow("not a file URL") << false << "http://x/a.mp3" << none;
    QTest::newRow("windows: drive path")
        << true << "file:///C:/My%20Music/a.mp3" << std::optional(u"C:\\My Music\\a.mp3"_s);
    QTest::newRow("windows: another machine is a network path")
        << true << "file://server/share/a.mp3" << std::optional(u"\\\\server\\share\\a.mp3"_s);
}

void TestEntryLookup::fileUrlPath() {
    QFETCH(bool, windows);
    QFETCH(QString, url);
    QFETCH(std::optional<QString>, path);
    QCOMPARE(::fileUrlPath(url, windows ? PathRules::windows() : PathRules::posix()), path);
}

void TestEntryLookup::entryIsPresent_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("present");

    QTest::newRow("relative entry") << false << "/home/u/Lists/"
                                    << "x.mp3" << true;
    QTest::newRow("windows-made entry, parent folder") << false << "/home/u/Lists/"
                                                       << "..\\Music\\a.mp3" << true;
    QTest::newRow("windows-made entry, sub-folder") << false << "/home/u/"
                                                    << "Music\\a.mp3" << true;
    QTest::newRow("a real name with a backslash, as written") << false << "/home/u/Lists/"
                                                              << "a\\b.mp3" << true;
    QTest::newRow("windows-made entry of a missing file") << false << "/home/u/"
                                                          << "Music\\gone.mp3" << false;
    QTest::newRow("a drive path names nothing here") << false << "/home/u/Lists/"
                                                     << "C:\\Music\\a.mp3" << false;
    QTest::newRow("wildcards name themselves") << false << ""
                                               << "/home/u/Music/Track?.mp3" << false;
    QTest::newRow("trailing space is part of the name") << false << ""
                                                        << "/home/u/Music/a.mp3 " << false;
    QTest::newRow("relative without a root") << false << ""
                                             << "x.mp3" << false;
    QTest::newRow("stream, without a test") << false << "/nowhere/"
                                            << "http://radio.example/live" << true;
    QTest::newRow("file URL of a file") << false << "/nowhere/"
                                        << "file:///home/u/Music/a.mp3" << true;
    QTest::newRow("file URL of a missing file") << false << ""
                                                << "file:///home/u/Music/b.mp3" << false;
    QTest::newRow("windows: backslashes are separators already") << true << "C:\\Lists\\"
                                                                 << "..\\Music\\a.mp3" << true;
    QTest::newRow("windows: wildcards match") << true << ""
                                              << "C:\\Music\\Track?.mp3" << true;
    QTest::newRow("windows: slashes are not tried as separators") << true << "C:\\"
                                                                  << "Music/a.mp3" << false;
    QTest::newRow("windows: file URL") << true << ""
                                       << "file:///c:/music/A.MP3" << true;
}

void TestEntryLookup::entryIsPresent() {
    QFETCH(bool, windows);
    QFETCH(QString, root);
    QFETCH(QString, entry);
    QFETCH(bool, present);
    FakeFileSystem fs(windows ? PathRules::windows() : PathRules::posix());
    if (windows) {
        for (const char* path : {"C:\\Music\\a.mp3", "C:\\Music\\Track1.mp3"})
            fs.addFile(QString::fromLatin1(path));
        fs.addFolder(u"C:\\Lists"_s);
    } else {
        for (const char* path : {"/home/u/Music/a.mp3", "/home/u/Music/Track1.mp3",
                                 "/home/u/Lists/x.mp3", "/home/u/Lists/a\\b.mp3"})
            fs.addFile(QString::fromLatin1(path));
    }
    QCOMPARE(::entryIsPresent(fs, root, entry), present);
}

// What only the real disk shows: a name holding '*', '?' or a trailing space
// is a name like any other.
void TestEntryLookup::nativeNamesAreLiteral() {
    QTemporaryDir dir;
    const auto make = [&](const QString& name) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    };
    make(u"Track1.mp3"_s);
    make(u"b.mp3 "_s);
    NativeFileSystem fs;
    const auto exists = [&](const QString& name) { return isOrdinaryFile(fs, dir.filePath(name)); };
    QVERIFY(exists(u"Track1.mp3"_s));
    QVERIFY(!exists(u"Track?.mp3"_s));
    QVERIFY(!exists(u"*.mp3"_s));
    QVERIFY(!exists(u"b.mp3"_s));
    QVERIFY(exists(u"b.mp3 "_s));
    make(u"Track?.mp3"_s);
    make(u"*.mp3"_s);
    QVERIFY(exists(u"Track?.mp3"_s));
    QVERIFY(exists(u"*.mp3"_s));
    QVERIFY(!exists(u"Track*.mp3"_s));
    // A folder path with its separator still asks for any file in it.
    QVERIFY(isOrdinaryFile(fs, dir.path() + u"/"_s));
    QVERIFY(!isOrdinaryFile(fs, dir.path()));
    // The overwrite check finds hidden files by their exact name too.
    make(u".h?"_s);
    QVERIFY(!exists(u".h?"_s));
    QVERIFY(fileExists(fs, dir.filePath(u".h?"_s), SearchMask::AllFiles));
    QVERIFY(!fileExists(fs, dir.filePath(u".hx"_s), SearchMask::AllFiles));
}

QTEST_APPLESS_MAIN(TestEntryLookup)
#include "tst_entry_lookup.moc"
