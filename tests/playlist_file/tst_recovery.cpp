// Recovery copies: what they hold, when they are written and removed, and a
// real process ended by a signal whose edits come back at the next start.
#include "platform/recovery_folder.h"
#include "platform/termination_signals.h"
#include "playlist/playlist_document.h"
#include "playlist_file/recovery_copy.h"
#include "playlist_file/recovery_keeper.h"
#include "scripted_dialogs.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString kRestore = u"Songbinder was closed without saving %1. Restore the unsaved changes?"_s;

// The edited playlist the tests and the child process share.
void edit(PlaylistDocument& document) {
    document.loadFrom(u"/music/mix.m3u"_s, u"#EXTM3U"_s, {}, TextCodec::PlaylistEncoding::Plain,
                      FileIdentity{1, 2, 3, 4});
    document.insertEntry(u"b.mp3"_s, {u"#EXTINF:1,B"_s});
    document.insertEntry(u"a.mp3"_s);
    document.setRootPath(u"/music/"_s);
    document.markModifiedWithoutChange();
}

// What a copy of the document would hold: every part of the playlist.
QByteArray held(const PlaylistDocument& document) {
    return recoveryBytes(takeRecoverySnapshot(document), PathRules::posix());
}

// The child: edits, then says so on stdout ("edited", and "written" when
// the delayed copy is on the disk) and waits for its end. Waiting, it writes
// its copy soon; ending, only much later.
int runChild(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PlaylistDocument document(PathRules::posix());
    RecoveryFolder folder(QString::fromLocal8Bit(argv[2]));
    // A signal that ends the program at once must not wait for the delay.
    RecoveryKeeper keeper(document, folder,
                          qstrcmp(argv[1], "--edit-then-wait") == 0 ? 100 : 600000);
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, [&](int signalNumber) {
        keeper.writeNow();
        TerminationSignals::endAs(signalNumber);
    });
    QObject::connect(&keeper, &RecoveryKeeper::written, [] {
        std::puts("written");
        std::fflush(stdout);
    });
    edit(document);
    std::puts("edited");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_state.isValid()); }

    // Any path comes back as it was (the playlist itself is checked end to
    // end below); anything else is no copy.
    void copyKeepsAnyPath() {
        PlaylistDocument document(PathRules::posix());
        document.unbindFrom(u"/m/a b\n%20 é 🎵.m3u"_s);
        const std::optional<RecoverySnapshot> back =
            parseRecoveryBytes(held(document), PathRules::posix());
        QVERIFY(back.has_value());
        QCOMPARE(back->filePath, document.filePath());
        QVERIFY(!parseRecoveryBytes(held(document).mid(1), PathRules::posix()));
    }

    // Written a while after a change, gone once the playlist is saved.
    void keeperFollowsTheUnsavedChanges() {
        RecoveryFolder folder(m_state.filePath(u"recovery"_s));
        PlaylistDocument document(PathRules::posix());
        RecoveryKeeper keeper(document, folder, 20);
        QSignalSpy written(&keeper, &RecoveryKeeper::written);
        document.insertEntry(u"a.mp3"_s);
        QTest::qWait(100);
        QCOMPARE(written.size(), 0); // nothing unsaved yet
        edit(document);
        QVERIFY(written.wait());
        QCOMPARE(QFile::permissions(folder.ownCopy()), // the user's alone
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                     QFileDevice::WriteUser);
        document.markSaved(document.filePath(), document.fileIdentity());
        keeper.waitForWorker();
        QVERIFY(!QFile::exists(folder.ownCopy()));
        // A copy of a running program is nobody's orphan.
        document.markModifiedWithoutChange();
        QVERIFY(written.wait());
        QVERIFY(RecoveryFolder(folder.folder()).orphans().isEmpty());
        keeper.discard();
        QVERIFY(!QFile::exists(folder.ownCopy()));
    }

    // A real process, edited and ended: at once by SIGTERM or SIGHUP (the
    // copy is written on the way out), or by SIGKILL once the delayed copy
    // is there. The next start offers it; Yes restores it, No deletes it.
    void editsSurviveTheEnd_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<bool>("restore");
        QTest::newRow("SIGTERM at once, restored") << int(SIGTERM) << true;
        QTest::newRow("SIGHUP at once, declined") << int(SIGHUP) << false;
        QTest::newRow("SIGKILL after the delay, restored") << int(SIGKILL) << true;
    }
    void editsSurviveTheEnd() {
        QFETCH(int, signalNumber);
        QFETCH(bool, restore);
        const QString place = m_state.filePath(u"recovery-%1"_s.arg(signalNumber));
        QProcess child;
        child.start(
            QCoreApplication::applicationFilePath(),
            {signalNumber == SIGKILL ? u"--edit-then-wait"_s : u"--edit-then-end"_s, place});
        const QByteArray awaited = signalNumber == SIGKILL ? "written" : "edited";
        QByteArray said;
        while (!said.contains(awaited) && child.waitForReadyRead(20000))
            said += child.readAllStandardOutput();
        QVERIFY2(said.contains(awaited), said.constData());
        ::kill(static_cast<pid_t>(child.processId()), signalNumber);
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        RecoveryFolder folder(place);
        QCOMPARE(folder.orphans().size(), 1);
        PlaylistDocument document(PathRules::posix());
        ScriptedDialogs dialogs;
        dialogs.expectMessage(kRestore.arg(u"/music/mix.m3u"_s),
                              restore ? MessageAnswer::Yes : MessageAnswer::No);
        QCOMPARE(offerRecovery(document, dialogs, folder), restore);
        QVERIFY(dialogs.done());
        QCOMPARE(dialogs.lastMessage().defaultButton, MessageAnswer::Yes);
        PlaylistDocument edited(PathRules::posix());
        edit(edited);
        if (restore)
            QCOMPARE(held(document), held(edited));
        QCOMPARE(document.isModified(), restore);
        QVERIFY(folder.orphans().isEmpty());
        QCOMPARE(QDir(place).entryList(QDir::Files).size(), restore ? 2 : 0);
    }

private:
    QTemporaryDir m_state;
};

int main(int argc, char** argv) {
    if (argc == 3 &&
        (qstrcmp(argv[1], "--edit-then-wait") == 0 || qstrcmp(argv[1], "--edit-then-end") == 0))
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
