// New, Open, Save, Save As and closing with Windows rules: their questions,
// dialogs, the bound-file flag, the bytes written and failed writes.
#include "fake_file_system.h"
#include "playlist/entries.h"
#include "playlist_file/closing.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_reader.h"
#include "session.h"

#include <QTest>

namespace {

using A = MessageAnswer;
const QString kFilter = "Playlists (*.m3u)|*.m3u|All Files (*.*)|*.*";
const QString kMix = "C:\\Music\\mix.m3u";
const QByteArray kOldBytes = "C:\\Music\\old.mp3\r\n";
const Asked kOverwrite{"Overwrite Existing File?", A::Yes};
const Asked kRootWarning{
    "WARNING: Your playlist's path is not the same as your root folder. Continue?", A::Yes};

Asked answered(Asked asked, MessageAnswer answer) {
    asked.answer = answer;
    return asked;
}

// A playlist with one unsaved entry, named C:\Music\mix.m3u.
struct Edited : Session<FakeFileSystem> {
    Edited() {
        fs.addFolder("C:\\Music");
        window.dir = "C:\\Music";
        state.sCurrentPlaylist = kMix;
        setEntries({"C:\\Music\\a.mp3"});
        state.bUnsaved = true;
    }
};

enum class Command { New, Open };
void run(Command command, CommandContext& ctx) {
    command == Command::New ? mnuFileNew_Click(ctx) : mnuFileOpen_Click(ctx);
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newStartsAnUntitledPlaylist_data();
    void newStartsAnUntitledPlaylist();
    void unsavedChangesQuestion_data();
    void unsavedChangesQuestion();
    void openOutcomes_data();
    void openOutcomes();
    void dialogsOfferTheLastChosenName();
    void saveChecks_data();
    void saveChecks();
    void saveWritesEachEntryWithCrLf_data();
    void saveWritesEachEntryWithCrLf();
    void failedSaveIsReportedAndChangesNothing_data();
    void failedSaveIsReportedAndChangesNothing();
    void saveAs_data();
    void saveAs();
    void roundTripIsByteForByte();
    void closing_data();
    void closing();
};

void TestFileCommands::newStartsAnUntitledPlaylist_data() {
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("name");
    QTest::newRow("folder") << "C:\\Music"
                            << "C:\\Music\\untitled.m3u";
    QTest::newRow("drive's top folder") << "C:\\"
                                        << "C:\\untitled.m3u";
}

void TestFileCommands::newStartsAnUntitledPlaylist() {
    QFETCH(QString, dir);
    QFETCH(QString, name);
    Edited s;
    s.state.bUnsaved = false;
    s.state.bBoundFile = true;
    s.state.playlist.setRootPath("C:\\Music\\");
    s.window.dir = dir;

    mnuFileNew_Click(s.ctx);

    QCOMPARE(s.state.sCurrentPlaylist, name);
    QVERIFY(s.state.playlist.entries().isEmpty());
    QCOMPARE(s.state.playlist.rootPath(), "C:\\Music\\");
    QVERIFY(!s.state.bBoundFile);
    QVERIFY(!s.state.bUnsaved);
    QCOMPARE(s.window.refreshCount, 1);
}

// "Save Current File First?" (New) and "Save File First?" (Open).
void TestFileCommands::unsavedChangesQuestion_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("writeFailure");
    QTest::addColumn<bool>("goesOn");

    for (const Command command : {Command::New, Command::Open}) {
        const QByteArray name = command == Command::New ? "New, " : "Open, ";
        QTest::newRow(name + "Yes saves and goes on") << command << A::Yes << "" << true;
        QTest::newRow(name + "No goes on") << command << A::No << "" << true;
        QTest::newRow(name + "Cancel stops") << command << A::Cancel << "" << false;
        QTest::newRow(name + "Yes, failed save stops")
            << command << A::Yes << "No space left on device" << false;
    }
}

void TestFileCommands::unsavedChangesQuestion() {
    QFETCH(Command, command);
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, writeFailure);
    QFETCH(bool, goesOn);
    Edited s;
    s.state.bBoundFile = true;
    s.fs.setWriteFailure(writeFailure);
    s.dialogs.expectMessage(
        command == Command::New ? "Save Current File First?" : "Save File First?", answer);
    if (!writeFailure.isEmpty())
        s.dialogs.expectMessage({});
    if (goesOn && command == Command::Open)
        s.dialogs.expectOpen(std::nullopt);

    run(command, s.ctx);

    QVERIFY(s.dialogs.done());
    QCOMPARE(s.dialogs.shown().first().message.defaultButton, A::Yes);
    const bool written = answer == A::Yes && writeFailure.isEmpty();
    QCOMPARE(s.fs.content(kMix), written ? QByteArray("C:\\Music\\a.mp3\r\n") : QByteArray());
    if (command == Command::New)
        QCOMPARE(s.state.playlist.entries().isEmpty(), goesOn);
    else
        QCOMPARE(s.state.bBoundFile, !goesOn);
    QCOMPARE(s.state.bUnsaved, !goesOn || (command == Command::Open && !written));
    if (answer == A::Cancel)
        QCOMPARE(s.window.refreshCount, 0);
}

void TestFileCommands::openOutcomes_data() {
    QTest::addColumn<std::optional<QString>>("chosen");
    QTest::addColumn<bool>("loads");
    QTest::newRow("cancelled") << std::optional<QString>() << false;
    QTest::newRow("empty name") << std::optional<QString>(QString()) << false;
    QTest::newRow("missing file") << std::optional<QString>("C:\\Lists\\none.m3u") << false;
    QTest::newRow("name typed without extension, loaded")
        << std::optional<QString>("c:\\lists\\mix") << true;
}

void TestFileCommands::openOutcomes() {
    QFETCH(std::optional<QString>, chosen);
    QFETCH(bool, loads);
    Edited s;
    s.state.bUnsaved = false;
    s.state.bBoundFile = true;
    s.state.playlist.setRootPath("C:\\Old\\");
    s.fs.addFile("C:\\Lists\\mix", "C:\\Music\\b.mp3\r\n");
    s.fs.addFile("C:\\Music\\b.mp3");
    s.window.dir = "C:\\Lists";
    s.dialogs.expectOpen(chosen);

    mnuFileOpen_Click(s.ctx);

    const FileDialogRequest& request = s.dialogs.lastFileDialog();
    QCOMPARE(request.title, "Open...");
    QCOMPARE(request.filter, kFilter);
    QCOMPARE(request.initialFolder, "C:\\Lists");
    QCOMPARE(s.state.sCurrentPlaylist, loads ? *chosen : kMix);
    QCOMPARE(s.state.playlist.entries(),
             loads ? QStringList{"C:\\Music\\b.mp3"} : QStringList{"C:\\Music\\a.mp3"});
    QCOMPARE(s.state.playlist.rootPath(), loads ? "" : "C:\\Old\\");
    QCOMPARE(s.state.bBoundFile, loads);
    QVERIFY(!s.state.bUnsaved);
    QCOMPARE(s.window.refreshCount, 1);
}

void TestFileCommands::dialogsOfferTheLastChosenName() {
    Edited s;
    s.state.bUnsaved = false;
    s.fs.addFile("C:\\Lists\\a.m3u");
    s.dialogs.expectOpen("C:\\Lists\\a.m3u");
    s.dialogs.expectSave("C:\\Lists\\b.m3u");
    s.dialogs.expectOpen(std::nullopt);
    s.dialogs.expectOpen(std::nullopt);

    mnuFileOpen_Click(s.ctx);
    mnuFileSaveAs_Click(s.ctx);
    mnuFileOpen_Click(s.ctx);
    mnuFileOpen_Click(s.ctx);

    QVERIFY(s.dialogs.done());
    QStringList offered;
    for (const ScriptedDialogs::Shown& shown : s.dialogs.shown())
        offered.append(shown.file.initialName);
    QCOMPARE(offered,
             (QStringList{"", "C:\\Lists\\a.m3u", "C:\\Lists\\b.m3u", "C:\\Lists\\b.m3u"}));
}

void TestFileCommands::saveChecks_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("bound");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<Script>("script");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("refreshes");

    QTest::newRow("bound file, no question")
        << "" << true << true << false << Script{} << true << 1;
    QTest::newRow("new file, no question")
        << "" << false << false << false << Script{} << true << 1;
    QTest::newRow("existing file, Yes")
        << "" << false << true << false << Script{kOverwrite} << true << 1;
    QTest::newRow("existing file, No")
        << "" << false << true << false << Script{answered(kOverwrite, A::No)} << false << 1;
    QTest::newRow("existing file, Cancel")
        << "" << false << true << false << Script{answered(kOverwrite, A::Cancel)} << false << 1;
    QTest::newRow("existing hidden file asks too")
        << "" << false << true << true << Script{answered(kOverwrite, A::No)} << false << 1;
    QTest::newRow("root is the playlist's folder, ignoring case")
        << "c:\\MUSIC\\" << true << true << false << Script{} << true << 1;
    QTest::newRow("root elsewhere, Yes")
        << "C:\\Music\\Rock\\" << true << true << false << Script{kRootWarning} << true << 1;
    QTest::newRow("root elsewhere, No stops at once")
        << "C:\\Music\\Rock\\" << true << true << false << Script{answered(kRootWarning, A::No)}
        << false << 0;
    QTest::newRow("root elsewhere, Cancel stops at once")
        << "D:\\" << true << true << false << Script{answered(kRootWarning, A::Cancel)} << false
        << 0;
    QTest::newRow("root warning, then overwrite question")
        << "D:\\" << false << true << false << Script{kRootWarning, kOverwrite} << true << 1;
}

void TestFileCommands::saveChecks() {
    QFETCH(QString, root);
    QFETCH(bool, bound);
    QFETCH(bool, exists);
    QFETCH(bool, hidden);
    QFETCH(Script, script);
    QFETCH(bool, written);
    QFETCH(int, refreshes);
    Edited s;
    s.state.playlist.setRootPath(root);
    s.state.bBoundFile = bound;
    if (exists)
        s.fs.addFile(kMix, kOldBytes, {hidden, false, false});
    expect(s.dialogs, script);

    mnuFileSave_Click(s.ctx);

    QVERIFY(s.dialogs.done());
    for (const ScriptedDialogs::Shown& shown : s.dialogs.shown()) {
        QCOMPARE(shown.message.icon, MessageIcon::None);
        QCOMPARE(shown.message.buttons, MessageButtons::YesNoCancel);
        QCOMPARE(shown.message.defaultButton, A::No);
    }
    QCOMPARE(s.fs.content(kMix),
             written ? QByteArray("C:\\Music\\a.mp3\r\n") : (exists ? kOldBytes : QByteArray()));
    QCOMPARE(s.state.bUnsaved, !written);
    QCOMPARE(s.state.bBoundFile, bound || written);
    QCOMPARE(s.window.refreshCount, refreshes);
}

void TestFileCommands::saveWritesEachEntryWithCrLf_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty playlist, zero bytes") << true << QStringList{} << QByteArray();
    QTest::newRow("entries untrimmed, last one ended too")
        << true << QStringList{"", " C:\\a.mp3 ", "b.mp3"}
        << QByteArray("\r\n C:\\a.mp3 \r\nb.mp3\r\n");
    QTest::newRow("ANSI code page")
        << true << QStringList{"Café €.mp3"} << QByteArray("Caf\xE9 \x80.mp3\r\n");
    QTest::newRow("beyond the code page: UTF-8 with a byte-order mark")
        << true << QStringList{"Café.mp3", "ā.mp3"}
        << QByteArray("\xEF\xBB\xBF"
                      "Caf\xC3\xA9.mp3\r\n\xC4\x81.mp3\r\n");
    QTest::newRow("Linux: UTF-8, CR LF") << false << QStringList{"Café.mp3", "ā.mp3"}
                                         << QByteArray("Caf\xC3\xA9.mp3\r\n\xC4\x81.mp3\r\n");
}

void TestFileCommands::saveWritesEachEntryWithCrLf() {
    QFETCH(bool, windows);
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, bytes);
    const QString path = windows ? kMix : "/music/mix.m3u";
    Session<FakeFileSystem> s(windows ? PathRules::windows() : PathRules::posix());
    s.fs.addFolder(windows ? "C:\\Music" : "/music");
    s.state.sCurrentPlaylist = path;
    s.setEntries(entries);

    mnuFileSave_Click(s.ctx);

    QVERIFY(s.fs.isFile(path));
    QCOMPARE(s.fs.content(path), bytes);
}

void TestFileCommands::failedSaveIsReportedAndChangesNothing_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only file") << kMix << "Permission denied";
    QTest::newRow("disk full") << kMix << "No space left on device";
}

void TestFileCommands::failedSaveIsReportedAndChangesNothing() {
    QFETCH(QString, path);
    QFETCH(QString, reason);
    Edited s;
    s.fs.addFile(kMix, kOldBytes, {false, false, reason == "Permission denied"});
    if (reason.startsWith("No space"))
        s.fs.setWriteFailure(reason);
    s.state.sCurrentPlaylist = path;
    s.state.bBoundFile = true;
    s.dialogs.expectMessage({});

    mnuFileSave_Click(s.ctx);

    const MessageRequest& shown = s.dialogs.lastMessage();
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
    QVERIFY2(shown.text.contains(path) && shown.text.contains(reason), qPrintable(shown.text));
    QVERIFY(s.state.bUnsaved);
    QVERIFY(s.state.bBoundFile);
    QCOMPARE(s.fs.content(kMix), kOldBytes);
    QCOMPARE(s.fs.writeCount(), 0);
}

void TestFileCommands::saveAs_data() {
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<std::optional<QString>>("chosen");
    QTest::addColumn<Script>("script");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("written");

    const QString other = "C:\\Music\\other";
    QTest::newRow("cancelled") << true << std::optional<QString>() << Script{} << kMix << false;
    QTest::newRow("new name, written as typed")
        << true << std::optional<QString>("C:\\Music\\new") << Script{} << "C:\\Music\\new" << true;
    QTest::newRow("nothing unsaved still writes")
        << false << std::optional<QString>("C:\\Music\\new") << Script{} << "C:\\Music\\new"
        << true;
    QTest::newRow("existing file, Yes")
        << true << std::optional<QString>(other) << Script{kOverwrite} << other << true;
    QTest::newRow("existing file, No keeps the new name")
        << true << std::optional<QString>(other) << Script{answered(kOverwrite, A::No)} << other
        << false;
}

void TestFileCommands::saveAs() {
    QFETCH(bool, unsaved);
    QFETCH(std::optional<QString>, chosen);
    QFETCH(Script, script);
    QFETCH(QString, name);
    QFETCH(bool, written);
    Edited s;
    s.state.bUnsaved = unsaved;
    s.state.bBoundFile = true;
    s.fs.addFile("C:\\Music\\other", kOldBytes);
    s.dialogs.expectSave(chosen);
    expect(s.dialogs, script);

    mnuFileSaveAs_Click(s.ctx);

    QVERIFY(s.dialogs.done());
    const FileDialogRequest& request = s.dialogs.shown().first().file;
    QCOMPARE(request.title, "Save As...");
    QCOMPARE(request.filter, kFilter);
    QCOMPARE(request.initialName, kMix);
    QCOMPARE(s.state.sCurrentPlaylist, name);
    QCOMPARE(s.fs.content(name), written        ? QByteArray("C:\\Music\\a.mp3\r\n")
                                 : name == kMix ? QByteArray()
                                                : kOldBytes);
    QCOMPARE(s.state.bUnsaved, unsaved && !written);
    QCOMPARE(s.state.bBoundFile, !chosen || written);
}

// Saved in its root folder, a playlist reads back with the same root and
// entries, and saves again to the same bytes.
void TestFileCommands::roundTripIsByteForByte() {
    Session<FakeFileSystem> s;
    const QString mix = "C:\\Music\\mix.m3u";
    const QStringList files{"C:\\Music\\Zoë\\b.mp3", "C:\\Music\\a b.mp3", "C:\\Music\\Ça.mp3",
                            "C:\\Music\\ā.mp3"};
    for (const QString& file : files)
        s.fs.addFile(file);
    s.state.playlist.setRootPath("C:\\Music\\");
    for (const QString& file : files)
        AddFileToList(s.ctx, file);
    s.state.sCurrentPlaylist = mix;
    mnuFileSave_Click(s.ctx);
    const QByteArray first = s.fs.content(mix);
    const QStringList entries = s.state.playlist.entries();

    s.state.playlist.setRootPath("D:\\Elsewhere\\");
    s.dialogs.expectMessage(rootMessage("C:\\Music\\").text);
    openPlaylistFile(s.ctx, mix);
    QCOMPARE(s.state.playlist.rootPath(), "C:\\Music\\");
    QCOMPARE(s.state.playlist.entries(), entries);
    QVERIFY(!s.state.bUnsaved);

    s.fs.remove(mix);
    mnuFileSave_Click(s.ctx);
    QCOMPARE(s.fs.content(mix), first);
    QVERIFY(s.dialogs.done());
}

void TestFileCommands::closing_data() {
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<Script>("script");
    QTest::addColumn<QString>("writeFailure");
    QTest::addColumn<bool>("cancel");

    const Asked question{"Save File Before Exiting?", A::Yes};
    QTest::newRow("no changes closes at once") << false << Script{} << "" << false;
    QTest::newRow("Yes, written") << true << Script{question, kOverwrite} << "" << false;
    QTest::newRow("Yes, save fails")
        << true << Script{question, kOverwrite, {}} << "Access denied" << true;
    QTest::newRow("Yes, overwrite declined")
        << true << Script{question, answered(kOverwrite, A::No)} << "" << true;
    QTest::newRow("No closes") << true << Script{answered(question, A::No)} << "" << false;
    QTest::newRow("Cancel stays, asks again next time")
        << true << Script{answered(question, A::Cancel), answered(question, A::Cancel)} << ""
        << true;
}

void TestFileCommands::closing() {
    QFETCH(bool, unsaved);
    QFETCH(Script, script);
    QFETCH(QString, writeFailure);
    QFETCH(bool, cancel);
    Edited s;
    s.state.bUnsaved = unsaved;
    s.state.sCurrentPlaylist = "C:\\Music\\untitled.m3u";
    s.fs.addFile("C:\\Music\\untitled.m3u", kOldBytes);
    s.fs.setWriteFailure(writeFailure);
    expect(s.dialogs, script);

    bool cancelled = !cancel;
    Form_Unload(s.ctx, cancelled);
    QCOMPARE(cancelled, cancel);
    if (cancel && !s.dialogs.done()) {
        Form_Unload(s.ctx, cancelled);
        QVERIFY(cancelled);
    }

    QVERIFY(s.dialogs.done());
    if (!s.dialogs.shown().isEmpty()) {
        const MessageRequest& first = s.dialogs.shown().first().message;
        QCOMPARE(first.icon, MessageIcon::None);
        QCOMPARE(first.buttons, MessageButtons::YesNoCancel);
        QCOMPARE(first.defaultButton, A::Yes);
    }
    const bool written = s.fs.content("C:\\Music\\untitled.m3u") != kOldBytes;
    QCOMPARE(written, unsaved && !cancel && script.first().answer == A::Yes);
    QCOMPARE(s.state.bUnsaved, unsaved && !written);
}

QTEST_APPLESS_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
