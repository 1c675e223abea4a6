// Playlist files on a real Linux disk: "/" paths, LF line ends, UTF-8 and
// older Windows-1252 names, permissions, garbage, and a byte-for-byte round
// trip.
#include "load_messages.h"
#include "platform/native_file_system.h"
#include "platform/text_codec.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_reader.h"
#include "playlist_fixture.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <memory>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

using A = MessageAnswer;
using NativeFixture = PlaylistFixture<NativeFileSystem>;

bool setMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

class TestPlaylistFileLinux : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void loads_data();
    void loads();
    void roundTripIsByteForByte();
    void permissions_data();
    void permissions();
    void garbageLoadsWithoutHarm_data();
    void garbageLoadsWithoutHarm();

private:
    std::unique_ptr<NativeTree> m_tree;
    QString m_root; // the tree's folder, without a trailing "/"
};

void TestPlaylistFileLinux::init() {
    m_tree = std::make_unique<NativeTree>();
    m_root = m_tree->path();
    // The permission tests act as another user, who must reach the tree.
    QVERIFY(setMode(m_root, 0755));
    for (const QString& file : {u"Music/Motörhead/Ace of Spades.mp3"_s, u"Music/café.mp3"_s,
                                u"Music/.hidden.mp3"_s, u"Lists/Artist/a.mp3"_s})
        m_tree->makeFile(file, "ID3");
}

// "@" in the content and the entries stands for the tree's folder.
void TestPlaylistFileLinux::loads_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("relative");
    QTest::addColumn<Script>("questions");
    QTest::addColumn<QStringList>("entries");

    const QString ace = u"@/Music/Motörhead/Ace of Spades.mp3"_s;
    const QString cafe = u"@/Music/café.mp3"_s;
    const Script remove{removeMissing(A::Yes)};
    QTest::newRow("full paths, LF, UTF-8")
        << (ace + u"\n"_s + cafe + u"\n"_s).toUtf8() << false << Script{} << QStringList{cafe, ace};
    QTest::newRow("relative entries, LF")
        << QByteArray("Artist/a.mp3\n") << true << Script{} << QStringList{u"Artist/a.mp3"_s};
    // Found as its Windows-1252 text, and kept with its own byte.
    QTest::newRow("older list in Windows-1252")
        << QByteArray("@/Music/caf\xE9.mp3\r\n") << false << Script{}
        << QStringList{u"@/Music/caf"_s + QChar(0xDCE9) + u".mp3"_s};
    QTest::newRow("hidden file counts as missing")
        << QByteArray("@/Music/.hidden.mp3\n@/Music/caf\xC3\xA9.mp3\n") << false << remove
        << QStringList{cafe};
    QTest::newRow("names differ by case")
        << QByteArray("@/Music/CAF\xC3\x89.mp3\n") << false << remove << QStringList{};
    QTest::newRow("a Windows path is relative here")
        << QByteArray("C:\\Music\\a.mp3\r\nArtist/a.mp3\r\n") << true << remove
        << QStringList{u"Artist/a.mp3"_s};
}

void TestPlaylistFileLinux::loads() {
    QFETCH(QByteArray, content);
    QFETCH(bool, relative);
    QFETCH(Script, questions);
    QFETCH(QStringList, entries);
    m_tree->makeFile(u"Lists/mix.m3u"_s, content.replace('@', QFile::encodeName(m_root)));
    NativeFixture f;
    if (relative)
        expect(f.dialogs, {rootMessage(m_root + u"/Lists/"_s)});
    expect(f.dialogs, questions);

    loadPlaylist(f.document, f.fs, f.dialogs, m_tree->path(u"Lists/mix.m3u"_s));

    QVERIFY(f.dialogs.done());
    entries.replaceInStrings(u"@"_s, m_root);
    QCOMPARE(f.entries(), entries);
    QCOMPARE(f.document.rootPath(), relative ? m_root + u"/Lists/"_s : QString());
    QCOMPARE(f.document.isModified(), !questions.isEmpty());
}

void TestPlaylistFileLinux::roundTripIsByteForByte() {
    NativeFixture f;
    const QString music = m_root + u"/Music/"_s;
    const QString mix = music + u"mix.m3u"_s;
    const QStringList saved{u"café.mp3"_s, u"Motörhead/Ace of Spades.mp3"_s};
    f.document.setRootPath(music);
    for (const QString& name : saved)
        QCOMPARE(f.document.addFile(music + name), PlaylistDocument::AddResult::Added);
    f.document.unbindFrom(mix);
    savePlaylist(f.document, f.fs, f.dialogs);
    const QByteArray first = m_tree->read(u"Music/mix.m3u"_s);
    QCOMPARE(first, "café.mp3\r\nMotörhead/Ace of Spades.mp3\r\n");

    f.document.setRootPath(u"/elsewhere/"_s);
    f.dialogs.expectMessage(rootMessage(music).text);
    openPlaylistFile(f.document, f.fs, f.dialogs, mix);
    QCOMPARE(f.document.rootPath(), music);
    QCOMPARE(f.entries(), saved);
    QVERIFY(f.document.isBoundToFile());

    QVERIFY(QFile::remove(mix));
    savePlaylist(f.document, f.fs, f.dialogs);
    QCOMPARE(m_tree->read(u"Music/mix.m3u"_s), first);
    QVERIFY(f.dialogs.done());
}

void TestPlaylistFileLinux::permissions_data() {
    QTest::addColumn<QString>("path");   // in the tree
    QTest::addColumn<int>("fileMode");   // -1: no file there
    QTest::addColumn<int>("folderMode"); // of the folder "box"
    QTest::addColumn<bool>("load");      // Open it, else Save to it
    QTest::addColumn<QString>("reason");

    QTest::newRow("playlist without read permission")
        << "box/mix.m3u" << 0 << 0755 << true << "Permission denied";
    QTest::newRow("read-only playlist")
        << "box/mix.m3u" << 0444 << 0777 << false << "Permission denied";
    QTest::newRow("read-only folder")
        << "box/mix.m3u" << -1 << 0555 << false << "Permission denied";
    QTest::newRow("missing folder") << "none/mix.m3u" << -1 << 0755 << false << "No such file";
    QTest::newRow("folder path below a file")
        << "Music/café.mp3/mix.m3u" << -1 << 0755 << false << "Not a directory";
}

// The message names the file and the reason; neither the file nor the
// folder around it is touched.
void TestPlaylistFileLinux::permissions() {
    QFETCH(QString, path);
    QFETCH(int, fileMode);
    QFETCH(int, folderMode);
    QFETCH(bool, load);
    QFETCH(QString, reason);
    const QByteArray old = QFile::encodeName(m_root) + "/Music/café.mp3\n";
    const QString box = m_tree->path(u"box"_s);
    m_tree->makeFolder(u"box"_s);
    if (fileMode >= 0) {
        m_tree->makeFile(path, old);
        QVERIFY(setMode(m_tree->path(path), static_cast<mode_t>(fileMode)));
    }
    QVERIFY(setMode(box, static_cast<mode_t>(folderMode)));
    const QString relative = path;
    path = m_tree->path(relative);

    NativeFixture f;
    f.document.unbindFrom(load ? m_root + u"/Lists/old.m3u"_s : path);
    f.setEntries({u"a.mp3"_s});
    f.document.markSaved(f.document.filePath(), std::nullopt);
    if (!load)
        f.document.markModifiedWithoutChange();
    if (load)
        f.dialogs.expectOpen(path);
    f.dialogs.expectMessage({});
    QString dialogFileName;
    {
        const AsUnprivilegedUser user;
        if (load)
            openPlaylist(f.document, f.fs, f.dialogs, m_root, dialogFileName);
        else
            savePlaylist(f.document, f.fs, f.dialogs);
    }
    QVERIFY(setMode(box, 0755));

    QVERIFY(f.dialogs.done());
    const MessageRequest& shown = f.dialogs.lastMessage();
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
    QVERIFY2(shown.text.contains(path) && shown.text.contains(reason), qPrintable(shown.text));
    // Neither a failed read nor a failed write costs the playlist anything.
    QCOMPARE(f.entries(), QStringList{u"a.mp3"_s});
    QCOMPARE(f.document.isModified(), !load);
    QCOMPARE(f.document.isBoundToFile(), !load);
    if (fileMode >= 0)
        QCOMPARE(m_tree->read(relative), old);
    QCOMPARE(QDir(box).entryList(QDir::Files | QDir::Hidden).size(), fileMode >= 0 ? 1 : 0);
}

void TestPlaylistFileLinux::garbageLoadsWithoutHarm_data() {
    QTest::addColumn<QByteArray>("content");

    const auto random = [](quint32 seed, qsizetype size, const QByteArray& alphabet) {
        QRandomGenerator generator(seed);
        QByteArray bytes(size, Qt::Uninitialized);
        for (char& c : bytes)
            c = alphabet.isEmpty()
                    ? static_cast<char>(generator.bounded(256))
                    : alphabet.at(generator.bounded(static_cast<int>(alphabet.size())));
        return bytes;
    };
    QTest::newRow("random bytes") << random(1, 1 << 16, {});
    QTest::newRow("random path characters") << random(2, 1 << 16, "/:\\ .\r\n\r#a\xC3\xA9");
    QTest::newRow("NUL bytes") << QByteArray("\0\0/\0\r\n\0:\\a\0\n", 13);
    QTest::newRow("10 MB in one line") << QByteArray(10 << 20, 'x');
    QTest::newRow("invalid UTF-8") << QByteArray("/\xC3\x28\xFF\xFE\xED\xA0\x80\xF4\x90\x80\x80");
    QTest::newRow("CR only") << QByteArray(100000, '\r');
}

// No crash, no hang, at most one message of each kind, nothing but lines
// of the file in the playlist.
void TestPlaylistFileLinux::garbageLoadsWithoutHarm() {
    QFETCH(QByteArray, content);
    m_tree->makeFile(u"Lists/garbage.m3u"_s, content);
    PlaylistFixture<NativeFileSystem, YesDialogs> f;

    loadPlaylist(f.document, f.fs, f.dialogs, m_tree->path(u"Lists/garbage.m3u"_s));

    const QStringList lines = splitPlaylistLines(TextCodec::decodePlaylist(content, f.fs.rules()));
    const QSet<QString> known(lines.cbegin(), lines.cend());
    for (const QString& entry : f.entries())
        QVERIFY(known.contains(entry));
    QVERIFY(f.dialogs.texts.size() <= 2);
    QVERIFY(f.dialogs.texts.count(removeMissing(A::Yes).text) <= 1);
    QVERIFY(f.document.isBoundToFile());
}

QTEST_GUILESS_MAIN(TestPlaylistFileLinux)
#include "tst_playlist_file_linux.moc"
