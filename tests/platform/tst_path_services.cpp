// Path services under both rule sets: the Windows rules on the in-memory file
// system, the POSIX rules on a real temporary folder.
#include "fake_file_system.h"
#include "platform/native_file_system.h"
#include "platform/text_codec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString& path, const QByteArray& bytes = "x") {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList drain(FileNameSearch& search) {
    QStringList names;
    while (std::optional<QString> name = search.next())
        names.append(*name);
    names.sort();
    return names;
}

} // namespace

class TestPathServices : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parentAndJoin_data();
    void parentAndJoin();
    void fullPathTests_data();
    void fullPathTests();
    void withTrailingSeparator_data();
    void withTrailingSeparator();
    void isOrdinaryFile_data();
    void isOrdinaryFile();
    void patterns_data();
    void patterns();
    void playlistOrder_data();
    void playlistOrder();
    void fakeSearchFollowsAttributes();
    void fakeSearchOnMissingOrNotReadyDrive();
    void nativeSearchHidesDotFilesAndFolders();
    void nativeNamesAreCaseSensitivePatternsAreNot();
    void nativeFolderNamesLinksByTheirPath();
    void nativeBrowserListsAreSortedAndVisibleOnly();
    void nativeTailRead();
    void nativePathWithNulNamesNothing();
    void nativeWriteReplacesWholeFileAndRefusesReadOnly();
    void windows1252RoundTrip();
    void playlistTextDecoding_data();
    void playlistTextDecoding();
    void playlistTextEncoding();
    void playlistLinesInPieces_data();
    void playlistLinesInPieces();
};

void TestPathServices::parentAndJoin_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("joined");
    QTest::newRow("windows folder") << true << "C:\\Music\\a.mp3"
                                    << "C:\\Music"
                                    << "a.mp3"
                                    << "C:\\Music\\a.mp3";
    QTest::newRow("windows drive top") << true << "D:\\mix.m3u"
                                       << "D:\\"
                                       << "mix.m3u"
                                       << "D:\\mix.m3u";
    QTest::newRow("windows bare name") << true << "mix.m3u"
                                       << ""
                                       << "a.mp3"
                                       << "a.mp3";
    QTest::newRow("posix folder") << false << "/music/a.mp3"
                                  << "/music"
                                  << "a.mp3"
                                  << "/music/a.mp3";
    QTest::newRow("posix top") << false << "/mix.m3u"
                               << "/"
                               << "mix.m3u"
                               << "/mix.m3u";
    QTest::newRow("posix bare name") << false << "mix.m3u"
                                     << ""
                                     << "a.mp3"
                                     << "a.mp3";
}

void TestPathServices::parentAndJoin() {
    QFETCH(bool, windows);
    QFETCH(QString, path);
    QFETCH(QString, parent);
    QFETCH(QString, name);
    QFETCH(QString, joined);
    FakeFileSystem fs(windows ? PathRules::windows() : PathRules::posix());
    QCOMPARE(fs.parentFolder(path), parent);
    // Joining puts exactly one separator between folder and name.
    QCOMPARE(fs.buildPath(parent, name), joined);
    if (!parent.isEmpty() && !parent.endsWith(fs.rules().separator()))
        QCOMPARE(fs.buildPath(parent + fs.rules().separator(), name), joined);
}

void TestPathServices::fullPathTests_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("full");
    QTest::addColumn<bool>("mayBeFull");
    QTest::newRow("drive letter") << true << "C:\\a.mp3" << true << true;
    QTest::newRow("leading space") << true << " C:\\a.mp3" << false << true;
    QTest::newRow("relative") << true << "Artist\\a.mp3" << false << false;
    QTest::newRow("network") << true << "\\\\server\\a.mp3" << false << false;
    QTest::newRow("one character") << true << "C" << false << false;
    QTest::newRow("posix absolute") << false << "/music/a.mp3" << true << true;
    QTest::newRow("posix relative") << false << "music/a.mp3" << false << false;
    QTest::newRow("posix colon") << false << "C:/a.mp3" << false << false;
}

void TestPathServices::fullPathTests() {
    QFETCH(bool, windows);
    QFETCH(QString, text);
    QFETCH(bool, full);
    QFETCH(bool, mayBeFull);
    const PathRules rules = windows ? PathRules::windows() : PathRules::posix();
    QCOMPARE(rules.isFullPath(text), full);
    QCOMPARE(rules.mayBeFullPath(text), mayBeFull);
}

void TestPathServices::withTrailingSeparator_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("result");
    QTest::newRow("trailing spaces are padding") << true << "C:\\Music  "
                                                 << "C:\\Music\\";
    QTest::newRow("drive top unchanged") << true << "C:\\"
                                         << "C:\\";
    QTest::newRow("empty") << true << ""
                           << "\\";
    QTest::newRow("blank") << true << "   "
                           << "\\";
    QTest::newRow("leading spaces stay") << true << "  C:\\A"
                                         << "  C:\\A\\";
    QTest::newRow("posix folder") << false << "/music"
                                  << "/music/";
    QTest::newRow("posix folder with its separator") << false << "/music/"
                                                     << "/music/";
    // "Mix " and "Mix" are two folders on Linux.
    QTest::newRow("posix trailing space is part of the name") << false << "/m/Mix "
                                                              << "/m/Mix /";
    QTest::newRow("posix root") << false << "/"
                                << "/";
    QTest::newRow("posix empty") << false << ""
                                 << "/";
}

void TestPathServices::withTrailingSeparator() {
    QFETCH(bool, windows);
    QFETCH(QString, folder);
    QFETCH(QString, result);
    const PathRules rules = windows ? PathRules::windows() : PathRules::posix();
    QCOMPARE(rules.withTrailingSeparator(folder), result);
}

void TestPathServices::isOrdinaryFile_data() {
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

void TestPathServices::isOrdinaryFile() {
    QFETCH(QString, path);
    QFETCH(bool, exists);
    FakeFileSystem fs;
    fs.addFile(QStringLiteral("C:\\Music\\a.mp3"));
    fs.addFile(QStringLiteral("C:\\Music\\r.mp3"), {}, {.readOnly = true});
    fs.addFile(QStringLiteral("C:\\Music\\h.mp3"), {}, {.hidden = true});
    fs.addFile(QStringLiteral("C:\\Music\\s.mp3"), {}, {.system = true});
    fs.addDrive(QStringLiteral("E:\\"), false);
    QCOMPARE(::isOrdinaryFile(fs, path), exists);
}

void TestPathServices::patterns_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("patterns");
    QTest::addColumn<bool>("matches");
    QTest::newRow("upper case name") << "SONG.MP3"
                                     << "*.mp3" << true;
    QTest::newRow("mixed list") << "b.Wma"
                                << "*.mp3;*.wav;*.wma" << true;
    QTest::newRow("longer extension") << "a.mp3x"
                                      << "*.mp3" << false;
    QTest::newRow("extension only in the middle") << "a.mp3.txt"
                                                  << "*.mp3" << false;
    QTest::newRow("question mark") << "abc.wav"
                                   << "a?c.wav" << true;
    QTest::newRow("question mark needs a character") << "ac.wav"
                                                     << "a?c.wav" << false;
    QTest::newRow("star alone") << "anything"
                                << "*" << true;
    QTest::newRow("several stars") << "a.b.c.mp3"
                                   << "*.*.mp3" << true;
    QTest::newRow("empty list") << "a.mp3"
                                << "" << false;
}

void TestPathServices::patterns() {
    QFETCH(QString, name);
    QFETCH(QString, patterns);
    QFETCH(bool, matches);
    QCOMPARE(PathRules::matchesAnyPattern(name, patterns), matches);
}

void TestPathServices::playlistOrder_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("less");
    QTest::newRow("case ignored") << "C:\\a.mp3"
                                  << "C:\\B.mp3" << true;
    QTest::newRow("case ignored after a shared folder") << "/m/Rock/b"
                                                        << "/m/Rock/A" << false;
    QTest::newRow("shared prefix differs only in case") << "/m/rock/b"
                                                        << "/m/ROCK/a" << false;
    QTest::newRow("equal but for case: upper first") << "/m/A.mp3"
                                                     << "/m/a.mp3" << true;
    QTest::newRow("equal but for case, reversed") << "/m/a.mp3"
                                                  << "/m/A.mp3" << false;
    QTest::newRow("equal") << "/m/a.mp3"
                           << "/m/a.mp3" << false;
    QTest::newRow("prefix first") << "/m/a"
                                  << "/m/a.mp3" << true;
    QTest::newRow("accented letters fold")
        << QString::fromUtf8("/m/\xC3\x89t\xC3\xA9") << QString::fromUtf8("/m/\xC3\xA9tf") << false;
    QTest::newRow("surrogate pair kept whole") << QString::fromUtf8("/m/\xF0\x90\x90\x80"
                                                                    "b")
                                               << QString::fromUtf8("/m/\xF0\x90\x90\xA8"
                                                                    "a")
                                               << false;
}

void TestPathServices::playlistOrder() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, less);
    QCOMPARE(PathRules::lessForPlaylist(a, b), less);
    // The fast path must give the plain rule's answer.
    const int plain = a.compare(b, Qt::CaseInsensitive);
    QCOMPARE(less, plain != 0 ? plain < 0 : a.compare(b, Qt::CaseSensitive) < 0);
}

void TestPathServices::fakeSearchFollowsAttributes() {
    FakeFileSystem fs;
    fs.addFile(QStringLiteral("C:\\Music\\a.mp3"));
    fs.addFile(QStringLiteral("C:\\Music\\h.mp3"), {}, {.hidden = true});
    fs.addFile(QStringLiteral("C:\\Music\\s.mp3"), {}, {.system = true});
    fs.addFile(QStringLiteral("C:\\Music\\r.mp3"), {}, {.readOnly = true});
    fs.addFolder(QStringLiteral("C:\\Music\\b.mp3"));
    auto normal = fs.search(QStringLiteral("c:\\MUSIC\\*.MP3"), SearchMask::Normal);
    QVERIFY(normal);
    QCOMPARE(drain(*normal), (QStringList{QStringLiteral("a.mp3"), QStringLiteral("r.mp3")}));
    auto all = fs.search(QStringLiteral("C:\\Music\\*.mp3"), SearchMask::AllFiles);
    QCOMPARE(drain(*all), (QStringList{QStringLiteral("a.mp3"), QStringLiteral("h.mp3"),
                                       QStringLiteral("r.mp3"), QStringLiteral("s.mp3")}));
}

void TestPathServices::fakeSearchOnMissingOrNotReadyDrive() {
    FakeFileSystem fs;
    fs.addFile(QStringLiteral("C:\\a.mp3"));
    fs.addDrive(QStringLiteral("E:\\"), false);
    QString error;
    QVERIFY(!fs.search(QStringLiteral("Q:\\a.mp3"), SearchMask::Normal, &error));
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(!fs.search(QStringLiteral("E:\\a.mp3"), SearchMask::Normal, &error));
    QVERIFY(!error.isEmpty());
    // A missing folder on a good drive is an empty search, not an error.
    auto missing = fs.search(QStringLiteral("C:\\Nowhere\\a.mp3"), SearchMask::Normal);
    QVERIFY(missing);
    QVERIFY(!missing->next());
}

void TestPathServices::nativeSearchHidesDotFilesAndFolders() {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("a.mp3")));
    writeFile(dir.filePath(QStringLiteral(".hidden.mp3")));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("b.mp3")));
    NativeFileSystem fs;
    auto normal = fs.search(dir.filePath(QStringLiteral("*.mp3")), SearchMask::Normal);
    QVERIFY(normal);
    QCOMPARE(drain(*normal), QStringList{QStringLiteral("a.mp3")});
    auto all = fs.search(dir.filePath(QStringLiteral("*.mp3")), SearchMask::AllFiles);
    QCOMPARE(drain(*all), (QStringList{QStringLiteral(".hidden.mp3"), QStringLiteral("a.mp3")}));
    auto exact = fs.search(dir.filePath(QStringLiteral(".hidden.mp3")), SearchMask::Normal);
    QVERIFY(!exact->next());
    auto folder = fs.search(dir.filePath(QStringLiteral("b.mp3")), SearchMask::AllFiles);
    QVERIFY(!folder->next());
    // Two searches at once keep their own places.
    writeFile(dir.filePath(QStringLiteral("c.mp3")));
    auto first = fs.search(dir.filePath(QStringLiteral("*.mp3")), SearchMask::Normal);
    const std::optional<QString> one = first->next();
    auto second = fs.search(dir.filePath(QStringLiteral("*.mp3")), SearchMask::Normal);
    QCOMPARE(drain(*second).size(), 2);
    QVERIFY(first->next().has_value());
    QVERIFY(one.has_value());
}

void TestPathServices::nativeNamesAreCaseSensitivePatternsAreNot() {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("song.mp3")));
    writeFile(dir.filePath(QStringLiteral("LOUD.MP3")));
    NativeFileSystem fs;
    auto other = fs.search(dir.filePath(QStringLiteral("SONG.mp3")), SearchMask::Normal);
    QVERIFY(!other->next());
    auto pattern = fs.search(dir.filePath(QStringLiteral("*.mp3")), SearchMask::Normal);
    QCOMPARE(drain(*pattern),
             (QStringList{QStringLiteral("LOUD.MP3"), QStringLiteral("song.mp3")}));
}

void TestPathServices::nativeFolderNamesLinksByTheirPath() {
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("sub/deeper")));
    QVERIFY(QFile::link(dir.path(), dir.filePath(QStringLiteral("sub/loop"))));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")),
                        dir.filePath(QStringLiteral("sub/dangling"))));
    NativeFileSystem fs;
    const std::optional<FolderInfo> sub = fs.folder(dir.filePath(QStringLiteral("sub")));
    QVERIFY(sub);
    QStringList subFolders = sub->subFolders;
    subFolders.sort();
    QCOMPARE(subFolders, (QStringList{dir.filePath(QStringLiteral("sub/deeper")),
                                      dir.filePath(QStringLiteral("sub/loop"))}));
    // The link leads to the folder it names: the same identity, another path.
    const std::optional<FolderInfo> loop = fs.folder(dir.filePath(QStringLiteral("sub/loop/")));
    QVERIFY(loop);
    QCOMPARE(loop->path, dir.filePath(QStringLiteral("sub/loop")));
    QCOMPARE(loop->identity, fs.folder(dir.path())->identity);
    QVERIFY(loop->identity != sub->identity);
    // A link to nothing hides nothing else from the browser either.
    QCOMPARE(*fs.listFolders(dir.filePath(QStringLiteral("sub"))),
             (QStringList{QStringLiteral("deeper"), QStringLiteral("loop")}));
    QString error;
    QVERIFY(!fs.folder(dir.filePath(QStringLiteral("missing")), &error));
    QVERIFY(!error.isEmpty());
}

void TestPathServices::nativeBrowserListsAreSortedAndVisibleOnly() {
    QTemporaryDir dir;
    QDir root(dir.path());
    for (const char* name : {"b.wav", "A.MP3", "c.txt", ".d.mp3", "e.Wma"})
        writeFile(dir.filePath(QLatin1String(name)));
    for (const char* name : {"Zed", "alpha", ".git"})
        QVERIFY(root.mkdir(QLatin1String(name)));
    NativeFileSystem fs;
    QCOMPARE(
        *fs.listFiles(dir.path(), QStringLiteral("*.mp3;*.wav;*.wma")),
        (QStringList{QStringLiteral("A.MP3"), QStringLiteral("b.wav"), QStringLiteral("e.Wma")}));
    QCOMPARE(*fs.listFolders(dir.path()),
             (QStringList{QStringLiteral("alpha"), QStringLiteral("Zed")}));
}

void TestPathServices::nativeTailRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.bin"));
    writeFile(path, "0123456789");
    NativeFileSystem fs;
    QCOMPARE(*fs.readFileTail(path, 4), QByteArray("6789"));
    QCOMPARE(*fs.readFileTail(path, 128), QByteArray("0123456789"));
    QVERIFY(!fs.readFileTail(dir.path(), 4));
    QVERIFY(!fs.readFile(dir.filePath(QStringLiteral("none"))));
}

void TestPathServices::nativePathWithNulNamesNothing() {
    // The system would end the path at the NUL and find the file before it.
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("a.mp3"));
    writeFile(real);
    const QString withNul = real + QChar(0) + QStringLiteral("junk");
    NativeFileSystem fs;
    auto search = fs.search(withNul, SearchMask::Normal);
    QVERIFY(search);
    QVERIFY(!search->next());
    QVERIFY(!fs.readFile(withNul));
    QVERIFY(!fs.readFileTail(withNul, 4));
    QVERIFY(!fs.folder(dir.path() + QChar(0)));
    QVERIFY(!fs.writeFileAtomic(withNul, "x"));
    QCOMPARE(*fs.readFile(real), QByteArray("x"));
}

void TestPathServices::nativeWriteReplacesWholeFileAndRefusesReadOnly() {
    QTemporaryDir dir;
    NativeFileSystem fs;
    const QString path = dir.filePath(QStringLiteral("list.m3u"));
    writeFile(path, "a much longer old content\r\n");
    QVERIFY(fs.writeFileAtomic(path, "new\r\n"));
    QCOMPARE(*fs.readFile(path), QByteArray("new\r\n"));

    QString error;
    QVERIFY(!fs.writeFileAtomic(dir.filePath(QStringLiteral("no/such/folder.m3u")), "x", &error));
    QVERIFY(!error.isEmpty());

    // A read-only playlist is kept as it is. Root may write anything, so the
    // check runs as an ordinary user.
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther |
                                            QFileDevice::ReadGroup));
    ::chmod(QFile::encodeName(dir.path()).constData(), 0777);
    const uid_t before = ::geteuid();
    if (before == 0)
        QCOMPARE(::seteuid(65534), 0);
    error.clear();
    const bool wrote = fs.writeFileAtomic(path, "overwritten", &error);
    if (before == 0)
        QCOMPARE(::seteuid(0), 0);
    QVERIFY(!wrote);
    QVERIFY(!error.isEmpty());
    QCOMPARE(*fs.readFile(path), QByteArray("new\r\n"));
}

void TestPathServices::windows1252RoundTrip() {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = TextCodec::decodeWindows1252(all);
    QCOMPARE(text.at(0x80 - 1), QChar(0x20AC)); // the euro sign
    QCOMPARE(text.at(0xE9 - 1), QChar(0xE9));
    QCOMPARE(*TextCodec::encodeWindows1252(text), all);
    QVERIFY(!TextCodec::encodeWindows1252(QString(QChar(0x4E2D))));
}

void TestPathServices::playlistTextDecoding_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("posix utf-8") << false << QByteArray("/m/caf\xC3\xA9.mp3")
                                 << QString::fromUtf8("/m/caf\xC3\xA9.mp3");
    // The byte that is not UTF-8 is kept, as the escape U+DC00 + byte.
    QTest::newRow("posix keeps a byte that is not UTF-8")
        << false << QByteArray("/m/caf\xE9.mp3")
        << QStringLiteral("/m/caf") + QChar(0xDCE9) + QStringLiteral(".mp3");
    QTest::newRow("posix byte-order mark")
        << false << QByteArray("\xEF\xBB\xBF/a.mp3") << QStringLiteral("/a.mp3");
    QTest::newRow("a second mark is text") << false << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF/a.mp3")
                                           << QChar(0xFEFF) + QStringLiteral("/a.mp3");
    QTest::newRow("windows ansi") << true << QByteArray("C:\\caf\xE9.mp3")
                                  << QString::fromUtf8("C:\\caf\xC3\xA9.mp3");
    QTest::newRow("windows utf-8 behind a mark") << true
                                                 << QByteArray("\xEF\xBB\xBF"
                                                               "C:\\\xE4\xB8\xAD.mp3")
                                                 << QString::fromUtf8("C:\\\xE4\xB8\xAD.mp3");
}

void TestPathServices::playlistTextDecoding() {
    QFETCH(bool, windows);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TextCodec::decodePlaylist(bytes, windows ? PathRules::windows() : PathRules::posix()),
             text);
}

void TestPathServices::playlistTextEncoding() {
    const QString latin = QString::fromUtf8("C:\\caf\xC3\xA9.mp3\r\n");
    QCOMPARE(TextCodec::encodePlaylist(latin, PathRules::windows()),
             QByteArray("C:\\caf\xE9.mp3\r\n"));
    QCOMPARE(TextCodec::encodePlaylist(latin, PathRules::posix()), latin.toUtf8());
    // Text the code page cannot hold is kept whole, as UTF-8 behind a mark.
    const QString wide = QString::fromUtf8("C:\\\xE4\xB8\xAD.mp3\r\n");
    const QByteArray bytes = TextCodec::encodePlaylist(wide, PathRules::windows());
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(TextCodec::decodePlaylist(bytes, PathRules::windows()), wide);
    // Reading takes a mark at the start for the file's own: text that
    // begins like one keeps its first characters.
    for (const PathRules& rules : {PathRules::windows(), PathRules::posix()}) {
        for (const QString& text : {QChar(0xFEFF) + QStringLiteral("a\r\n"),
                                    QString(2, QChar(0xFEFF)) + QStringLiteral("a\r\n"),
                                    QString::fromUtf8("\xC3\xAF\xC2\xBB\xC2\xBF"
                                                      "a\r\n")})
            QCOMPARE(TextCodec::decodePlaylist(TextCodec::encodePlaylist(text, rules), rules),
                     text);
    }
}

using Encoding = TextCodec::PlaylistEncoding;

void TestPathServices::playlistLinesInPieces_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Encoding>("encoding");
    QTest::addColumn<QStringList>("lines");
    const QString e = QString::fromUtf8("\xC3\xA9");
    const QString han = QString::fromUtf8("\xE4\xB8\xAD");
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E"); // a UTF-16 pair
    QTest::newRow("utf-8 between line ends of every kind")
        << false << QByteArray("caf\xC3\xA9\r\n\xE4\xB8\xAD\r\rb\n\xF0\x9D\x84\x9E\r")
        << Encoding::Plain << QStringList{u"caf"_s + e, han, {}, u"b"_s, clef};
    QTest::newRow("stray bytes kept, no end at the end")
        << false << QByteArray("a\xE9\r\nb\xC3") << Encoding::Plain
        << QStringList{u"a"_s + QChar(0xDCE9), u"b"_s + QChar(0xDCC3)};
    QTest::newRow("code page") << true << QByteArray("caf\xE9\r\n\x80\n") << Encoding::Plain
                               << QStringList{u"caf"_s + e, QString(QChar(0x20AC))};
    QTest::newRow("utf-8 mark") << false << QByteArray("\xEF\xBB\xBFx\r\n\xEF\xBB\xBF\r\n")
                                << Encoding::Utf8WithMark << QStringList{u"x"_s, QChar(0xFEFF)};
    QTest::newRow("short of a mark") << false << QByteArray("\xEF\xBB") << Encoding::Plain
                                     << QStringList{QString(QChar(0xDCEF)) + QChar(0xDCBB)};
    QTest::newRow("utf-16 le, mark") << false
                                     << QByteArray("\xFF\xFE"
                                                   "a\0\r\0\n\0\x34\xD8\x1E\xDD\r\0",
                                                   14)
                                     << Encoding::Utf16LeWithMark << QStringList{u"a"_s, clef};
    // An odd size is no UTF-16: the code page, NULs and all.
    const QChar nul(0);
    QTest::newRow("utf-16 be mark, odd size")
        << true << QByteArray("\xFE\xFF\0a\0\r\0\n\0b\0", 11) << Encoding::Plain
        << QStringList{u"\u00FE\u00FF"_s + nul + u"a"_s + nul, nul, nul + u"b"_s + nul};
    QTest::newRow("utf-16 be, mark, even")
        << true << QByteArray("\xFE\xFF\0a\0\r\0\n\0b", 10) << Encoding::Utf16BeWithMark
        << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("utf-16 le, no mark")
        << false
        << QByteArray("a\0b\0\n\0"
                      "c\0",
                      8)
        << Encoding::Utf16LeWithoutMark << QStringList{u"ab"_s, u"c"_s};
}

// However the bytes come in pieces, split within a character, a UTF-16 unit
// or a CR LF pair, the lines are those of the whole file.
void TestPathServices::playlistLinesInPieces() {
    QFETCH(bool, windows);
    QFETCH(QByteArray, bytes);
    QFETCH(Encoding, encoding);
    QFETCH(QStringList, lines);
    for (qsizetype pieceSize = 1; pieceSize <= bytes.size(); ++pieceSize) {
        TextCodec::LineStream stream(windows ? PathRules::windows() : PathRules::posix());
        QStringList read;
        const auto take = [&read](QString line) { read.append(std::move(line)); };
        for (qsizetype at = 0; at < bytes.size(); at += pieceSize)
            stream.add(
                QByteArrayView(bytes).sliced(at).first(std::min(pieceSize, bytes.size() - at)),
                take);
        stream.finish(take);
        QCOMPARE(read, lines);
        QCOMPARE(stream.encoding(), std::optional(encoding));
    }
}

QTEST_APPLESS_MAIN(TestPathServices)
#include "tst_path_services.moc"
