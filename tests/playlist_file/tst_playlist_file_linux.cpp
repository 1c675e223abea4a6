// Playlist files on a real Linux disk: "/" paths, LF line ends, UTF-8 and
// older Windows-1252 names, permissions, garbage, and a byte-for-byte round
// trip.
#include "platform/native_file_system.h"
#include "platform/text_codec.h"
#include "playlist/entries.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_reader.h"
#include "session.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using A = MessageAnswer;

// Root may read and write any file whatever its mode, so the permission
// tests run their command as an ordinary user when the tests run as root.
class AsOrdinaryUser {
public:
    AsOrdinaryUser()
        : m_wasRoot(::geteuid() == 0) {
        if (m_wasRoot && (::setegid(65534) != 0 || ::seteuid(65534) != 0))
            qFatal("cannot become an ordinary user");
    }
    ~AsOrdinaryUser() {
        if (m_wasRoot && (::seteuid(0) != 0 || ::setegid(0) != 0))
            qFatal("cannot become root again");
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    bool m_wasRoot;
};

// Answers Yes to every question and keeps the texts, for input whose
// questions cannot be foretold.
class YesDialogs final : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override {
        texts.append(request.text);
        return request.buttons == MessageButtons::Ok ? A::Ok : A::Yes;
    }
    std::optional<QString> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    QStringList texts;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
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
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_root; // the temporary folder, without a trailing "/"
};

void TestPlaylistFileLinux::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_root = m_dir->path();
    QVERIFY(::chmod(QFile::encodeName(m_root).constData(), 0755) == 0);
    for (const char* file : {"/Music/Motörhead/Ace of Spades.mp3", "/Music/café.mp3",
                             "/Music/.hidden.mp3", "/Lists/Artist/a.mp3"})
        writeFile(m_root + QString::fromUtf8(file), "ID3");
}

// "@" in the content stands for the temporary folder.
void TestPlaylistFileLinux::loads_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("relative");
    QTest::addColumn<Script>("questions");
    QTest::addColumn<QStringList>("entries");

    const QString ace = "@/Music/Motörhead/Ace of Spades.mp3";
    const QString cafe = "@/Music/café.mp3";
    const Script remove{removeMissing(A::Yes)};
    QTest::newRow("full paths, LF, UTF-8")
        << (ace + "\n" + cafe + "\n").toUtf8() << false << Script{} << QStringList{cafe, ace};
    QTest::newRow("relative entries, LF")
        << QByteArray("Artist/a.mp3\n") << true << Script{} << QStringList{"Artist/a.mp3"};
    QTest::newRow("older list in Windows-1252")
        << QByteArray("@/Music/caf\xE9.mp3\r\n") << false << Script{} << QStringList{cafe};
    QTest::newRow("hidden file counts as missing")
        << QByteArray("@/Music/.hidden.mp3\n@/Music/caf\xC3\xA9.mp3\n") << false << remove
        << QStringList{cafe};
    QTest::newRow("names differ by case")
        << QByteArray("@/Music/CAF\xC3\x89.mp3\n") << false << remove << QStringList{};
    QTest::newRow("a Windows path is relative here")
        << QByteArray("C:\\Music\\a.mp3\r\nArtist/a.mp3\r\n") << true << remove
        << QStringList{"Artist/a.mp3"};
}

void TestPlaylistFileLinux::loads() {
    QFETCH(QByteArray, content);
    QFETCH(bool, relative);
    QFETCH(Script, questions);
    QFETCH(QStringList, entries);
    const QString path = m_root + "/Lists/mix.m3u";
    writeFile(path, content.replace('@', QFile::encodeName(m_root)));
    Session<NativeFileSystem> s;
    if (relative)
        expect(s.dialogs, {rootMessage(m_root + "/Lists/")});
    expect(s.dialogs, questions);

    LoadPlaylist(s.ctx, path);

    QVERIFY(s.dialogs.done());
    entries.replaceInStrings("@", m_root);
    QCOMPARE(s.state.playlist.entries(), entries);
    QCOMPARE(s.state.playlist.rootPath(), relative ? m_root + "/Lists/" : QString());
    QCOMPARE(s.state.bUnsaved, !questions.isEmpty());
}

void TestPlaylistFileLinux::roundTripIsByteForByte() {
    Session<NativeFileSystem> s;
    const QString music = m_root + "/Music/";
    const QString mix = music + "mix.m3u";
    s.state.playlist.setRootPath(music);
    for (const QString name : {"café.mp3", "Motörhead/Ace of Spades.mp3"})
        AddFileToList(s.ctx, music + name);
    s.state.sCurrentPlaylist = mix;
    mnuFileSave_Click(s.ctx);
    const QByteArray first = readBytes(mix);
    QCOMPARE(first, "café.mp3\r\nMotörhead/Ace of Spades.mp3\r\n");

    s.state.playlist.setRootPath("/elsewhere/");
    s.dialogs.expectMessage(rootMessage(music).text);
    openPlaylistFile(s.ctx, mix);
    QCOMPARE(s.state.playlist.rootPath(), music);
    QCOMPARE(s.state.playlist.entries(), (QStringList{"café.mp3", "Motörhead/Ace of Spades.mp3"}));
    QVERIFY(s.state.bBoundFile);

    QVERIFY(QFile::remove(mix));
    mnuFileSave_Click(s.ctx);
    QCOMPARE(readBytes(mix), first);
    QVERIFY(s.dialogs.done());
}

void TestPlaylistFileLinux::permissions_data() {
    QTest::addColumn<QString>("path");   // below the temporary folder
    QTest::addColumn<int>("fileMode");   // -1: no file there
    QTest::addColumn<int>("folderMode"); // of the playlist's folder
    QTest::addColumn<bool>("load");      // Open it, else Save to it
    QTest::addColumn<QString>("reason");

    QTest::newRow("playlist without read permission")
        << "/box/mix.m3u" << 0 << 0755 << true << "Permission denied";
    QTest::newRow("read-only playlist")
        << "/box/mix.m3u" << 0444 << 0777 << false << "Permission denied";
    QTest::newRow("read-only folder")
        << "/box/mix.m3u" << -1 << 0555 << false << "Permission denied";
    QTest::newRow("missing folder") << "/none/mix.m3u" << -1 << 0755 << false << "No such file";
    QTest::newRow("folder path below a file")
        << "/Music/café.mp3/mix.m3u" << -1 << 0755 << false << "Not a directory";
}

void TestPlaylistFileLinux::permissions() {
    QFETCH(QString, path);
    QFETCH(int, fileMode);
    QFETCH(int, folderMode);
    QFETCH(bool, load);
    QFETCH(QString, reason);
    const QByteArray old = QFile::encodeName(m_root) + "/Music/café.mp3\n";
    path.prepend(m_root);
    QVERIFY(QDir().mkpath(m_root + "/box"));
    if (fileMode >= 0) {
        writeFile(path, old);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), fileMode) == 0);
    }
    const QByteArray box = QFile::encodeName(m_root + "/box");
    QVERIFY(::chmod(box.constData(), folderMode) == 0);

    Session<NativeFileSystem> s;
    s.state.sCurrentPlaylist = load ? m_root + "/Lists/old.m3u" : path;
    s.setEntries({"a.mp3"});
    s.state.bUnsaved = !load;
    s.state.bBoundFile = true;
    if (load)
        s.dialogs.expectOpen(path);
    s.dialogs.expectMessage({});
    {
        AsOrdinaryUser user;
        load ? mnuFileOpen_Click(s.ctx) : mnuFileSave_Click(s.ctx);
    }
    QVERIFY(::chmod(box.constData(), 0755) == 0);

    QVERIFY(s.dialogs.done());
    const MessageRequest& shown = s.dialogs.lastMessage();
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
    QVERIFY2(shown.text.contains(path) && shown.text.contains(reason), qPrintable(shown.text));
    QCOMPARE(s.state.playlist.entries(), load ? QStringList{} : QStringList{"a.mp3"});
    QCOMPARE(s.state.bUnsaved, !load);
    QCOMPARE(s.state.bBoundFile, !load);
    if (fileMode >= 0)
        QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(m_root + "/box").entryList(QDir::Files | QDir::Hidden).size(),
             fileMode >= 0 ? 1 : 0);
}

void TestPlaylistFileLinux::garbageLoadsWithoutHarm_data() {
    QTest::addColumn<QByteArray>("content");

    auto random = [](quint32 seed, qsizetype size, QByteArray alphabet) {
        QRandomGenerator generator(seed);
        QByteArray bytes(size, Qt::Uninitialized);
        for (char& c : bytes)
            c = alphabet.isEmpty() ? char(generator.bounded(256))
                                   : alphabet.at(generator.bounded(int(alphabet.size())));
        return bytes;
    };
    QTest::newRow("random bytes") << random(1, 1 << 16, {});
    QTest::newRow("random path characters") << random(2, 1 << 16, QByteArray("/:\\ .\r\n\r#aé"));
    QTest::newRow("NUL bytes") << QByteArray("\0\0/\0\r\n\0:\\a\0\n", 13);
    QTest::newRow("10 MB in one line") << QByteArray(10 << 20, 'x');
    QTest::newRow("invalid UTF-8") << QByteArray("/\xC3\x28\xFF\xFE\xED\xA0\x80\xF4\x90\x80\x80");
    QTest::newRow("CR only") << QByteArray(100000, '\r');
}

// No crash, no hang, at most one message of each kind, nothing but lines
// of the file in the playlist.
void TestPlaylistFileLinux::garbageLoadsWithoutHarm() {
    QFETCH(QByteArray, content);
    const QString path = m_root + "/Lists/garbage.m3u";
    writeFile(path, content);
    Session<NativeFileSystem, YesDialogs> s;

    LoadPlaylist(s.ctx, path);

    const QStringList lines = splitPlaylistLines(TextCodec::decodePlaylist(content, s.fs.rules()));
    const QSet<QString> known(lines.cbegin(), lines.cend());
    for (const QString& entry : s.state.playlist.entries())
        QVERIFY(known.contains(entry));
    QVERIFY(s.dialogs.texts.size() <= 2);
    QVERIFY(s.dialogs.texts.count(removeMissing(A::Yes).text) <= 1);
    QVERIFY(s.state.bBoundFile);
}

QTEST_GUILESS_MAIN(TestPlaylistFileLinux)
#include "tst_playlist_file_linux.moc"
