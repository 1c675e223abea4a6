// Reading .m3u files with Windows rules: line ends, the root decision, the
// missing-files question, encodings, and playlists that cannot be read.
#include "load_messages.h"
#include "platform/dialogs.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_reader.h"
#include "playlist_fixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Answers Yes to everything and notes what the playlist held at each box.
class SnapshotDialogs final : public Dialogs {
public:
    explicit SnapshotDialogs(const PlaylistDocument& document)
        : m_document(document) {}
    MessageAnswer message(const MessageRequest& request) override {
        seen.append(m_document.entries());
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
    std::optional<QString> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialogRequest&) override { return std::nullopt; }

    QList<QStringList> seen;

private:
    const PlaylistDocument& m_document;
};

} // namespace

class TestPlaylistReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitsLines_data();
    void splitsLines();
    void loads_data();
    void loads();
    void listIsInOrderWheneverABoxIsShown();
    void unreadablePlaylistIsReported_data();
    void unreadablePlaylistIsReported();
};

void TestPlaylistReader::splitsLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("no terminator") << "a" << QStringList{u"a"_s};
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF alone") << "a\nb\n" << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("CR alone") << "a\rb" << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF CR is two ends") << "a\n\rb" << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("CR CR LF") << "a\r\r\nb" << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("blank lines kept") << "\r\n\n\r" << QStringList{u""_s, u""_s, u""_s};
    QTest::newRow("spaces and tabs kept") << " a\t \r\n  " << QStringList{u" a\t "_s, u"  "_s};
}

void TestPlaylistReader::splitsLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitPlaylistLines(text), lines);
}

void TestPlaylistReader::loads_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("rootBefore");
    QTest::addColumn<Script>("script");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("modified");

    const QString lists = u"D:\\Lists\\mix.m3u"_s;
    const QString a = u"C:\\Music\\a.mp3"_s;
    const QString b = u"C:\\Music\\b.mp3"_s;
    const QStringList ab{a, b};
    const QByteArray fourLines =
        "C:\\Music\\a.mp3\r\nC:\\gone.mp3\r\nC:\\Music\\b.mp3\r\nC:\\gone2";
    const QByteArray extended = "#EXTM3U\r\n#EXTINF:201,Artist - A\r\nC:\\Music\\a.mp3\r\n";
    using A = MessageAnswer;

    QTest::newRow("empty file keeps the root")
        << lists << QByteArray() << QStringList{} << "C:\\Old\\" << Script{} << QStringList{}
        << "C:\\Old\\" << false;
    QTest::newRow("full paths clear the root, list sorted")
        << lists << QByteArray("C:\\Music\\b.mp3\r\nC:\\Music\\a.mp3\r\n") << ab << "C:\\Old\\"
        << Script{} << ab << "" << false;
    QTest::newRow("relative first line: the file's folder")
        << lists << QByteArray("Artist\\a.mp3\r\n") << QStringList{u"D:\\Lists\\Artist\\a.mp3"_s}
        << "" << Script{rootMessage(u"D:\\Lists\\"_s)} << QStringList{u"Artist\\a.mp3"_s}
        << "D:\\Lists\\" << false;
    QTest::newRow("relative first line in a drive's top folder")
        << "D:\\mix.m3u" << QByteArray("Artist\\a.mp3") << QStringList{u"D:\\Artist\\a.mp3"_s} << ""
        << Script{rootMessage(u"D:\\"_s)} << QStringList{u"Artist\\a.mp3"_s} << "D:\\" << false;
    QTest::newRow("blank line after the first entry, kept")
        << lists << QByteArray("C:\\Music\\a.mp3\r\n\r\nC:\\Music\\b.mp3\r\n") << ab << ""
        << Script{removeMissing(A::No)} << QStringList{u""_s, a, b} << "" << false;
    // "" joined to the old root names a folder holding a file; "   " does not.
    QTest::newRow("blank lines on top tested against the old root")
        << lists << QByteArray("\r\n   \r\nC:\\Music\\a.mp3") << ab << "C:\\Music\\"
        << Script{removeMissing(A::Yes)} << QStringList{u""_s, a} << "" << true;
    QTest::newRow("leading space makes a full path relative")
        << lists << QByteArray(" C:\\Music\\a.mp3\r\n") << ab << ""
        << Script{rootMessage(u"D:\\Lists\\"_s), removeMissing(A::Yes)} << QStringList{}
        << "D:\\Lists\\" << true;
    QTest::newRow("duplicate lines all kept")
        << lists << QByteArray("c:\\A.MP3\r\nC:\\a.mp3\r\nC:\\a.mp3\r\n")
        << QStringList{u"C:\\a.mp3"_s} << "" << Script{}
        << QStringList{u"C:\\a.mp3"_s, u"C:\\a.mp3"_s, u"c:\\A.MP3"_s} << "" << false;
    QTest::newRow("missing files kept on No")
        << lists << fourLines << ab << "" << Script{removeMissing(A::No)}
        << QStringList{u"C:\\gone.mp3"_s, u"C:\\gone2"_s, a, b} << "" << false;
    QTest::newRow("missing files left out on Yes, asked once")
        << lists << fourLines << ab << "" << Script{removeMissing(A::Yes)} << ab << "" << true;
    QTest::newRow("every file missing, Yes: empty and modified")
        << lists << fourLines << QStringList{} << "" << Script{removeMissing(A::Yes)}
        << QStringList{} << "" << true;
    QTest::newRow("relative line after a full first line fails")
        << lists << QByteArray("C:\\Music\\a.mp3\r\nMusic\\b.mp3\r\n") << ab << ""
        << Script{removeMissing(A::Yes)} << QStringList{a} << "" << true;
    QTest::newRow("byte-order mark skipped")
        << lists
        << QByteArray("\xEF\xBB\xBF"
                      "C:\\Music\\a.mp3\r\n")
        << ab << "" << Script{} << QStringList{a} << "" << false;
    QTest::newRow("directives do not decide the root, removed on Yes")
        << lists << extended << ab << "" << Script{removeMissing(A::Yes)} << QStringList{a} << ""
        << true;
    QTest::newRow("directives kept on No")
        << lists << extended << ab << "" << Script{removeMissing(A::No)}
        << QStringList{u"#EXTINF:201,Artist - A"_s, u"#EXTM3U"_s, a} << "" << false;
    QTest::newRow("lines ended by LF alone")
        << lists << QByteArray("C:\\Music\\a.mp3\nC:\\Music\\b.mp3\n") << ab << "" << Script{} << ab
        << "" << false;
    QTest::newRow("ANSI code page")
        << lists << QByteArray("C:\\Caf\xE9 \x80.mp3\r\n") << QStringList{u"C:\\Café €.mp3"_s} << ""
        << Script{} << QStringList{u"C:\\Café €.mp3"_s} << "" << false;
}

void TestPlaylistReader::loads() {
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, files);
    QFETCH(QString, rootBefore);
    QFETCH(Script, script);
    QFETCH(QStringList, entries);
    QFETCH(QString, root);
    QFETCH(bool, modified);

    PlaylistFixture<> f;
    f.fs.addFile(path, content);
    addFiles(f.fs, files);
    f.document.setRootPath(rootBefore);
    f.document.setModified(!modified);
    expect(f.dialogs, script);
    const DocumentSignals heard(f.document);

    loadPlaylist(f.document, f.fs, f.dialogs, path);

    QVERIFY(f.dialogs.done());
    QCOMPARE(f.entries(), entries);
    QCOMPARE(f.document.rootPath(), root);
    QCOMPARE(f.document.isModified(), modified);
    QVERIFY(f.document.isBoundToFile());
    // The window learns the new root and the flag from the document alone.
    QCOMPARE(heard.rootPaths(), root == rootBefore ? QStringList{} : QStringList{root});
    QVERIFY(!heard.modified().isEmpty());
    QCOMPARE(heard.modified().last(), modified);
    QVERIFY(heard.filePaths().isEmpty());
    for (const ScriptedDialogs::Shown& shown : f.dialogs.shown()) {
        const bool question = shown.message.text == removeMissing(MessageAnswer::Yes).text;
        QCOMPARE(shown.message.icon, question ? MessageIcon::None : MessageIcon::Information);
        QCOMPARE(shown.message.buttons, question ? MessageButtons::YesNo : MessageButtons::Ok);
        if (question)
            QCOMPARE(shown.message.defaultButton, MessageAnswer::Yes);
    }
}

// The boxes let the window repaint, so the lines read so far must already be
// in the list, in order.
void TestPlaylistReader::listIsInOrderWheneverABoxIsShown() {
    FakeFileSystem fs;
    PlaylistDocument document(fs.rules());
    SnapshotDialogs dialogs(document);
    fs.addFile(u"D:\\Lists\\mix.m3u"_s, "b.mp3\r\na.mp3\r\ngone.mp3\r\nc.mp3\r\n");
    addFiles(fs, {u"D:\\Lists\\a.mp3"_s, u"D:\\Lists\\b.mp3"_s, u"D:\\Lists\\c.mp3"_s});

    loadPlaylist(document, fs, dialogs, u"D:\\Lists\\mix.m3u"_s);

    QCOMPARE(dialogs.seen.size(), 2);
    QCOMPARE(dialogs.seen[0], QStringList{});
    QCOMPARE(dialogs.seen[1], (QStringList{u"a.mp3"_s, u"b.mp3"_s}));
    QCOMPARE(document.entries(), (QStringList{u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s}));
}

void TestPlaylistReader::unreadablePlaylistIsReported_data() {
    QTest::addColumn<bool>("vanishes");
    QTest::newRow("cannot be opened") << false;
    QTest::newRow("gone between the existence test and the read") << true;
}

// Nothing was read, so nothing binds the name to the file; the old entries
// went when the user chose to open another list.
void TestPlaylistReader::unreadablePlaylistIsReported() {
    QFETCH(bool, vanishes);
    const QString path = u"C:\\Lists\\mix.m3u"_s;
    PlaylistFixture<> f;
    f.fs.addFile(path, "C:\\a.mp3\r\n");
    f.fs.addFile(u"C:\\a.mp3"_s);
    if (vanishes)
        f.fs.setBeforeRead([&](const QString& read) { f.fs.remove(read); });
    else
        f.fs.setUnopenable(path);
    f.document.setFilePath(u"C:\\Music\\old.m3u"_s);
    f.setEntries(u"C:\\Music\\"_s, {u"x.mp3"_s});
    f.dialogs.expectOpen(path);
    f.dialogs.expectMessage({});
    const DocumentSignals heard(f.document);
    QString dialogFileName;

    openPlaylist(f.document, f.fs, f.dialogs, u"C:\\Lists"_s, dialogFileName);

    QVERIFY(f.dialogs.done());
    const MessageRequest& shown = f.dialogs.lastMessage();
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
    QVERIFY2(shown.text.contains(path), qPrintable(shown.text));
    QVERIFY2(shown.text.contains(vanishes ? "No such file"_L1 : "Permission denied"_L1),
             qPrintable(shown.text));
    QCOMPARE(f.document.filePath(), path);
    QCOMPARE(heard.filePaths(), QStringList{path});
    QVERIFY(f.entries().isEmpty());
    QCOMPARE(f.document.rootPath(), u"C:\\Music\\"_s);
    QVERIFY(!f.document.isBoundToFile());
    QVERIFY(!f.document.isModified());
}

QTEST_APPLESS_MAIN(TestPlaylistReader)
#include "tst_playlist_reader.moc"
