// A playlist loading beside the window: the playlist it replaces stays as it
// was until every box is answered, and stays for good when the load is
// cancelled or the file cannot be read; the boxes keep their order.
#include "held_file_system.h"
#include "load_messages.h"
#include "playlist_file/playlist_load.h"
#include "playlist_fixture.h"

#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// Answers the missing-files question as told and notes, at each box, its
// text, the playlist shown and how many modal things were open.
class WatchingDialogs final : public Dialogs {
public:
    explicit WatchingDialogs(const PlaylistDocument& document)
        : m_document(document) {}
    MessageAnswer showMessage(const MessageRequest& request) override {
        texts.append(request.text);
        seen.append(m_document.entries());
        modal.append(modalCount());
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
    }
    std::optional<QString> showOpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> showSaveFile(const FileDialogRequest&) override { return std::nullopt; }

    MessageAnswer answer = MessageAnswer::Yes;
    QStringList texts;
    QList<QStringList> seen;
    QList<int> modal;

private:
    const PlaylistDocument& m_document;
};

// The user's playlist, named, bound to its file, with a root and unsaved
// changes, and another one in C:\Lists whose files are in C:\Music.
struct LoadFixture {
    LoadFixture() {
        document.loadFrom(u"C:\\Old\\old.m3u"_s, {}, {}, TextCodec::PlaylistEncoding::Plain,
                          std::nullopt, u"C:\\Old\\"_s,
                          OrderedEntries(fake.rules(), {{u"x.mp3"_s, {}}}));
        document.markModifiedWithoutChange();
        QByteArray lines;
        for (int i = 0; i < 200; ++i) {
            fake.addFile(u"C:\\Music\\%1.mp3"_s.arg(i));
            lines += "C:\\Music\\" + QByteArray::number(i) + ".mp3\r\n";
        }
        fake.addFile(kList, lines);
    }
    bool isAsBefore() const {
        return document.entries() == QStringList{u"x.mp3"_s} &&
               document.filePath() == u"C:\\Old\\old.m3u"_s &&
               document.rootPath() == u"C:\\Old\\"_s && document.isModified() &&
               document.isBoundToFile();
    }

    static inline const QString kList = u"C:\\Lists\\mix.m3u"_s;
    FakeFileSystem fake;
    HeldFileSystem fs{fake};
    PlaylistDocument document{fake.rules()};
    WatchingDialogs dialogs{document};
};

} // namespace

class TestPlaylistLoad : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void playlistStaysWhenTheLoadDoesNotEnd_data();
    void playlistStaysWhenTheLoadDoesNotEnd();
    void boxesComeInOrderAndKeptEntriesAreMarkedMissing_data();
    void boxesComeInOrderAndKeptEntriesAreMarkedMissing();
};

void TestPlaylistLoad::playlistStaysWhenTheLoadDoesNotEnd_data() {
    QTest::addColumn<bool>("unreadable");
    QTest::addColumn<bool>("holdReading");
    QTest::addColumn<bool>("holdLookUps");
    QTest::newRow("file cannot be read") << true << false << false;
    QTest::newRow("cancelled while the file is read") << false << true << false;
    QTest::newRow("cancelled while its files are looked up") << false << false << true;
}

void TestPlaylistLoad::playlistStaysWhenTheLoadDoesNotEnd() {
    QFETCH(bool, unreadable);
    QFETCH(bool, holdReading);
    QFETCH(bool, holdLookUps);
    LoadFixture f;
    if (unreadable)
        f.fake.setUnopenable(f.kList);
    if (holdReading)
        f.fs.hold();
    // Held once the file is read: every look-up waits.
    if (holdLookUps)
        f.fake.setBeforeRead([&](const QString&) { f.fs.hold(); });
    const DocumentSignals heard(f.document);
    PlaylistLoad load(f.document, f.fs, f.dialogs, f.kList);
    QSignalSpy finished(&load, &LongWork::finished);

    load.start();
    // Other long work waits for it.
    QCOMPARE(f.dialogs.modalCount(), 1);
    if (holdReading || holdLookUps) {
        // The look-ups run side by side, one on each core.
        const int threads = holdLookUps ? std::min(2, QThread::idealThreadCount()) : 1;
        // The look-ups start from the event loop, once the file is read.
        QTRY_COMPARE(f.fs.heldCalls(), threads);
        QCOMPARE(load.progressTotal(), holdLookUps ? 200 : 0);
        load.cancel();
        QCOMPARE(f.dialogs.modalCount(), 0);
        f.fs.release();
    }
    QVERIFY(finished.size() == 1 || finished.wait(5000));

    QVERIFY(!load.loaded());
    QVERIFY(f.isAsBefore());
    QCOMPARE(heard.count(), 0);
    QCOMPARE(f.dialogs.texts.size(), unreadable ? 1 : 0);
    if (unreadable)
        QVERIFY(f.dialogs.texts.first().contains(f.kList));
    QCOMPARE(f.dialogs.modalCount(), 0);
}

void TestPlaylistLoad::boxesComeInOrderAndKeptEntriesAreMarkedMissing_data() {
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("Yes: the missing go") << MessageAnswer::Yes;
    QTest::newRow("No: kept, marked missing") << MessageAnswer::No;
}

void TestPlaylistLoad::boxesComeInOrderAndKeptEntriesAreMarkedMissing() {
    QFETCH(MessageAnswer, answer);
    LoadFixture f;
    f.fake.addFile(u"D:\\Lists\\mix.m3u"_s, "b.mp3\r\ngone.mp3\r\na.mp3\r\nlost.mp3\r\n");
    addFiles(f.fake, {u"D:\\Lists\\a.mp3"_s, u"D:\\Lists\\b.mp3"_s});
    f.dialogs.answer = answer;
    PlaylistLoad load(f.document, f.fs, f.dialogs, u"D:\\Lists\\mix.m3u"_s);
    QSignalSpy finished(&load, &LongWork::finished);

    load.start();
    QVERIFY(finished.wait(5000));

    QVERIFY(load.loaded());
    QCOMPARE(f.dialogs.texts,
             QStringList({rootMessage(u"D:\\Lists\\"_s).text, removeMissing(answer).text}));
    // Until every box is answered the window shows the old playlist, and the
    // load still counts as open beside each box.
    QCOMPARE(f.dialogs.seen, QList<QStringList>(2, {u"x.mp3"_s}));
    QCOMPARE(f.dialogs.modal, QList<int>({2, 2}));
    const bool keep = answer == MessageAnswer::No;
    QList<PlaylistEntry> expected{{u"a.mp3"_s, {}, false}, {u"b.mp3"_s, {}, false}};
    if (keep)
        expected += {{u"gone.mp3"_s, {}, true}, {u"lost.mp3"_s, {}, true}};
    QCOMPARE(f.document.allEntries().size(), expected.size());
    for (qsizetype row = 0; row < expected.size(); ++row) {
        QCOMPARE(f.document.allEntries()[row].text, expected[row].text);
        QCOMPARE(f.document.allEntries()[row].missing, expected[row].missing);
    }
    QCOMPARE(f.document.isModified(), !keep);
    QVERIFY(f.document.isBoundToFile());
    QCOMPARE(f.document.rootPath(), u"D:\\Lists\\"_s);
    QCOMPARE(f.dialogs.modalCount(), 0);
}

QTEST_GUILESS_MAIN(TestPlaylistLoad)
#include "tst_playlist_load.moc"
