// New, Open, Save, Save As and closing with Windows rules: their questions,
// dialogs, the bound-file flag, the bytes written, failed writes, and what
// the document tells the window.
#include "load_messages.h"
#include "playlist_file/closing.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_reader.h"
#include "playlist_file/playlist_writer.h"
#include "playlist_fixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using A = MessageAnswer;
const QString kMix = u"C:\\Music\\mix.m3u"_s;
const QByteArray kOldBytes = "C:\\Music\\old.mp3\r\n";
const QByteArray kEditedBytes = "C:\\Music\\a.mp3\r\n";
const Asked kOverwrite{u"Overwrite Existing File?"_s, A::Yes};
const Asked kRootWarning{
    u"WARNING: Your playlist's path is not the same as your root folder. Continue?"_s, A::Yes};

Asked answered(Asked asked, MessageAnswer answer) {
    asked.answer = answer;
    return asked;
}

// A playlist with one unsaved entry, named C:\Music\mix.m3u, while the
// browser shows C:\Music.
struct Edited : PlaylistFixture<> {
    Edited() {
        fs.addFolder(u"C:\\Music"_s);
        document.unbindFrom(kMix);
        setEntries({u"C:\\Music\\a.mp3"_s});
        document.markModifiedWithoutChange();
    }

    QString browserFolder = u"C:\\Music"_s;
    QString dialogFileName; // kept by the window between dialogs
};

enum class Command { New, Open };

// What another program (a player, a script) did to the file after it was
// opened, or last saved here, between the edit and the save.
enum class Meanwhile { Changed, Deleted, SavedHereThenNothing, SavedHereThenChanged };

void run(Command command, Edited& f) {
    if (command == Command::New)
        newPlaylist(f.document, f.fs, f.dialogs, f.browserFolder);
    else
        openPlaylist(f.document, f.fs, f.dialogs, f.browserFolder, f.dialogFileName);
}

} // namespace

Q_DECLARE_METATYPE(Meanwhile)

class TestFileCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void untitledName_data();
    void untitledName();
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
    void changesByAnotherProgram_data();
    void changesByAnotherProgram();
    void saveAs_data();
    void saveAs();
    void roundTripIsByteForByte();
    void closing_data();
    void closing();
};

void TestFileCommands::untitledName_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");

    QTest::newRow("Windows: trailing spaces are padding") << true << "C:\\Music  "
                                                          << "C:\\Music\\untitled.m3u";
    QTest::newRow("Linux: top folder") << false << "/"
                                       << "/untitled.m3u";
    QTest::newRow("Linux: trailing space belongs to the name") << false << "/music/Mix "
                                                               << "/music/Mix /untitled.m3u";
}

void TestFileCommands::untitledName() {
    QFETCH(bool, windows);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QCOMPARE(untitledPlaylistPath(folder, windows ? PathRules::windows() : PathRules::posix()),
             name);
}

void TestFileCommands::newStartsAnUntitledPlaylist_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("folder") << "C:\\Music"
                            << "C:\\Music\\untitled.m3u";
    QTest::newRow("drive's top folder") << "C:\\"
                                        << "C:\\untitled.m3u";
}

void TestFileCommands::newStartsAnUntitledPlaylist() {
    QFETCH(QString, folder);
    QFETCH(QString, name);
    Edited f;
    f.document.markSaved(f.document.filePath(), std::nullopt);
    f.document.setRootPath(u"C:\\Music\\"_s);
    f.browserFolder = folder;
    const DocumentSignals heard(f.document);

    newPlaylist(f.document, f.fs, f.dialogs, f.browserFolder);

    QVERIFY(f.dialogs.done());
    QCOMPARE(f.document.filePath(), name);
    QVERIFY(f.entries().isEmpty());
    QCOMPARE(f.document.rootPath(), u"C:\\Music\\"_s);
    QVERIFY(!f.document.isBoundToFile());
    QVERIFY(!f.document.isModified());
    QCOMPARE(heard.filePaths(), QStringList{name});
    QCOMPARE(heard.count(), 1);
}

// "Save Current File First?" (New) and "Save File First?" (Open).
void TestFileCommands::unsavedChangesQuestion_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("rootElsewhere"); // the save then stops at its root check
    QTest::addColumn<QString>("writeFailure");
    QTest::addColumn<bool>("goesOn");

    for (const Command command : {Command::New, Command::Open}) {
        const QByteArray name = command == Command::New ? "New, " : "Open, ";
        QTest::newRow(name + "Yes saves and goes on") << command << A::Yes << false << "" << true;
        QTest::newRow(name + "No goes on") << command << A::No << false << "" << true;
        QTest::newRow(name + "Cancel stops") << command << A::Cancel << false << "" << false;
        QTest::newRow(name + "Yes, save declined at the root check, goes on")
            << command << A::Yes << true << "" << true;
        QTest::newRow(name + "Yes, failed save stops")
            << command << A::Yes << false << "No space left on device" << false;
    }
}

void TestFileCommands::unsavedChangesQuestion() {
    QFETCH(Command, command);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, rootElsewhere);
    QFETCH(QString, writeFailure);
    QFETCH(bool, goesOn);
    Edited f;
    f.document.markSaved(f.document.filePath(), std::nullopt);
    f.document.markModifiedWithoutChange();
    f.fs.setWriteFailure(writeFailure);
    f.dialogs.expectMessage(
        command == Command::New ? u"Save Current File First?"_s : u"Save File First?"_s, answer);
    if (rootElsewhere) {
        f.document.setRootPath(u"D:\\"_s);
        f.dialogs.expectMessage(kRootWarning.text, A::No);
    }
    if (!writeFailure.isEmpty())
        f.dialogs.expectMessage({});
    if (goesOn && command == Command::Open)
        f.dialogs.expectOpen(std::nullopt);
    const DocumentSignals heard(f.document);

    run(command, f);

    QVERIFY(f.dialogs.done());
    QCOMPARE(f.dialogs.shown().first().message.defaultButton, A::Yes);
    const bool written = answer == A::Yes && !rootElsewhere && writeFailure.isEmpty();
    QCOMPARE(f.fs.content(kMix), written ? kEditedBytes : QByteArray());
    if (command == Command::New)
        QCOMPARE(f.entries().isEmpty(), goesOn);
    else
        QCOMPARE(f.document.isBoundToFile(), !goesOn);
    const bool modified = !goesOn || (command == Command::Open && !written);
    QCOMPARE(f.document.isModified(), modified);
    // A command that stops at its first question changes nothing the window
    // shows.
    if (!goesOn)
        QCOMPARE(heard.count(), 0);
    else
        QCOMPARE(heard.modified(), modified ? QList<bool>{} : QList<bool>{false});
}

void TestFileCommands::openOutcomes_data() {
    QTest::addColumn<std::optional<QString>>("chosen");
    QTest::addColumn<bool>("loads");
    QTest::newRow("cancelled") << std::optional<QString>() << false;
    QTest::newRow("empty name") << std::optional<QString>(QString()) << false;
    QTest::newRow("missing file") << std::optional<QString>(u"C:\\Lists\\none.m3u"_s) << false;
    QTest::newRow("name typed without extension, loaded")
        << std::optional<QString>(u"c:\\lists\\mix"_s) << true;
}

void TestFileCommands::openOutcomes() {
    QFETCH(std::optional<QString>, chosen);
    QFETCH(bool, loads);
    Edited f;
    f.document.markSaved(f.document.filePath(), std::nullopt);
    f.document.setRootPath(u"C:\\Old\\"_s);
    f.fs.addFile(u"C:\\Lists\\mix"_s, "C:\\Music\\b.mp3\r\n");
    f.fs.addFile(u"C:\\Music\\b.mp3"_s);
    f.browserFolder = u"C:\\Lists"_s;
    f.dialogs.expectOpen(chosen);
    const DocumentSignals heard(f.document);

    run(Command::Open, f);

    QVERIFY(f.dialogs.done());
    const FileDialogRequest& request = f.dialogs.lastFileDialog();
    QCOMPARE(request.title, u"Open..."_s);
    QCOMPARE(request.filter, u"Playlists (*.m3u *.m3u8)|*.m3u;*.m3u8|All Files (*.*)|*.*"_s);
    QCOMPARE(request.initialFolder, u"C:\\Lists"_s);
    QCOMPARE(f.document.filePath(), loads ? *chosen : kMix);
    QCOMPARE(heard.filePaths(), loads ? QStringList{*chosen} : QStringList{});
    QCOMPARE(f.entries(),
             loads ? QStringList{u"C:\\Music\\b.mp3"_s} : QStringList{u"C:\\Music\\a.mp3"_s});
    QCOMPARE(f.document.rootPath(), loads ? QString() : u"C:\\Old\\"_s);
    QCOMPARE(heard.rootPaths(), loads ? QStringList{QString()} : QStringList{});
    QCOMPARE(f.document.isBoundToFile(), loads);
    QVERIFY(!f.document.isModified());
}

void TestFileCommands::dialogsOfferTheLastChosenName() {
    Edited f;
    f.document.markSaved(f.document.filePath(), std::nullopt);
    f.fs.addFile(u"C:\\Lists\\a.m3u"_s);
    f.dialogs.expectOpen(u"C:\\Lists\\a.m3u"_s);
    f.dialogs.expectSave(u"C:\\Lists\\b.m3u"_s);
    f.dialogs.expectOpen(std::nullopt);
    f.dialogs.expectOpen(std::nullopt);

    run(Command::Open, f);
    savePlaylistAs(f.document, f.fs, f.dialogs, f.dialogFileName);
    run(Command::Open, f);
    run(Command::Open, f);

    QVERIFY(f.dialogs.done());
    QStringList offered;
    for (const ScriptedDialogs::Shown& shown : f.dialogs.shown())
        offered.append(shown.file.initialName);
    QCOMPARE(offered, (QStringList{u""_s, u"C:\\Lists\\a.m3u"_s, u"C:\\Lists\\b.m3u"_s,
                                   u"C:\\Lists\\b.m3u"_s}));
}

void TestFileCommands::saveChecks_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("bound");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<Script>("script");
    QTest::addColumn<bool>("written");

    QTest::newRow("bound file, no question") << "" << true << true << false << Script{} << true;
    QTest::newRow("new file, no question") << "" << false << false << false << Script{} << true;
    QTest::newRow("existing file, Yes")
        << "" << false << true << false << Script{kOverwrite} << true;
    QTest::newRow("existing file, No")
        << "" << false << true << false << Script{answered(kOverwrite, A::No)} << false;
    QTest::newRow("existing file, Cancel")
        << "" << false << true << false << Script{answered(kOverwrite, A::Cancel)} << false;
    QTest::newRow("existing hidden file asks too")
        << "" << false << true << true << Script{answered(kOverwrite, A::No)} << false;
    QTest::newRow("root is the playlist's folder, ignoring case")
        << "c:\\MUSIC\\" << true << true << false << Script{} << true;
    QTest::newRow("root elsewhere, Yes")
        << "C:\\Music\\Rock\\" << true << true << false << Script{kRootWarning} << true;
    QTest::newRow("root elsewhere, No stops at once")
        << "C:\\Music\\Rock\\" << true << true << false << Script{answered(kRootWarning, A::No)}
        << false;
    QTest::newRow("root elsewhere, Cancel stops at once")
        << "D:\\" << true << true << false << Script{answered(kRootWarning, A::Cancel)} << false;
    QTest::newRow("root warning, then overwrite question")
        << "D:\\" << false << true << false << Script{kRootWarning, kOverwrite} << true;
}

void TestFileCommands::saveChecks() {
    QFETCH(QString, root);
    QFETCH(bool, bound);
    QFETCH(bool, exists);
    QFETCH(bool, hidden);
    QFETCH(Script, script);
    QFETCH(bool, written);
    Edited f;
    f.document.setRootPath(root);
    if (bound) {
        f.document.markSaved(f.document.filePath(), std::nullopt);
        f.document.markModifiedWithoutChange();
    }
    if (exists)
        f.fs.addFile(kMix, kOldBytes, {hidden, false, false});
    expect(f.dialogs, script);
    const DocumentSignals heard(f.document);

    savePlaylist(f.document, f.fs, f.dialogs);

    QVERIFY(f.dialogs.done());
    for (const ScriptedDialogs::Shown& shown : f.dialogs.shown()) {
        QCOMPARE(shown.message.icon, MessageIcon::None);
        QCOMPARE(shown.message.buttons, MessageButtons::YesNoCancel);
        QCOMPARE(shown.message.defaultButton, A::No);
    }
    QCOMPARE(f.fs.content(kMix), written ? kEditedBytes : (exists ? kOldBytes : QByteArray()));
    QCOMPARE(f.document.isModified(), !written);
    QCOMPARE(f.document.isBoundToFile(), bound || written);
    // A save that wrote clears the flag; one declined at either question
    // changes nothing the window shows.
    QCOMPARE(heard.modified(), written ? QList<bool>{false} : QList<bool>{});
    QCOMPARE(heard.count(), written ? 1 : 0);
}

void TestFileCommands::saveWritesEachEntryWithCrLf_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("bytes");

    const QChar highSurrogate(char16_t(0xD800));
    const QChar lowSurrogate(char16_t(0xDC00));
    QTest::newRow("empty playlist, zero bytes") << true << QStringList{} << QByteArray();
    QTest::newRow("entries untrimmed, last one ended too")
        << true << QStringList{u""_s, u" C:\\a.mp3 "_s, u"b.mp3"_s}
        << QByteArray("\r\n C:\\a.mp3 \r\nb.mp3\r\n");
    QTest::newRow("ANSI code page")
        << true << QStringList{u"Café €.mp3"_s} << QByteArray("Caf\xE9 \x80.mp3\r\n");
    QTest::newRow("beyond the code page: UTF-8 with a byte-order mark")
        << true << QStringList{u"Café.mp3"_s, u"ā.mp3"_s}
        << QByteArray("\xEF\xBB\xBF"
                      "Caf\xC3\xA9.mp3\r\n\xC4\x81.mp3\r\n");
    QTest::newRow("Linux: UTF-8, CR LF") << false << QStringList{u"Café.mp3"_s, u"ā.mp3"_s}
                                         << QByteArray("Caf\xC3\xA9.mp3\r\n\xC4\x81.mp3\r\n");
    // A broken character spoils its own line only: it is neither carried
    // over to the next entry nor lost at the end.
    QTest::newRow("Linux: lone surrogates stay on their lines")
        << false << QStringList{u"x"_s + highSurrogate, lowSurrogate + u"y"_s + highSurrogate}
        << QByteArray("x\xEF\xBF\xBD\r\n\xEF\xBF\xBDy\xEF\xBF\xBD\r\n");
}

void TestFileCommands::saveWritesEachEntryWithCrLf() {
    QFETCH(bool, windows);
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, bytes);
    const QString path = windows ? kMix : u"/music/mix.m3u"_s;
    PlaylistFixture<> f(windows ? PathRules::windows() : PathRules::posix());
    f.fs.addFolder(windows ? u"C:\\Music"_s : u"/music"_s);
    f.document.unbindFrom(path);
    f.setEntries(entries);

    savePlaylist(f.document, f.fs, f.dialogs);

    QVERIFY(f.fs.isFile(path));
    QCOMPARE(f.fs.content(path), bytes);
}

void TestFileCommands::failedSaveIsReportedAndChangesNothing_data() {
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only file") << "Permission denied";
    QTest::newRow("disk full") << "No space left on device";
}

void TestFileCommands::failedSaveIsReportedAndChangesNothing() {
    QFETCH(QString, reason);
    const bool readOnly = reason == "Permission denied"_L1;
    Edited f;
    f.fs.addFile(kMix, kOldBytes, {false, false, readOnly});
    if (!readOnly)
        f.fs.setWriteFailure(reason);
    f.document.markSaved(f.document.filePath(), std::nullopt);
    f.document.markModifiedWithoutChange();
    f.dialogs.expectMessage({});
    const DocumentSignals heard(f.document);

    savePlaylist(f.document, f.fs, f.dialogs);

    QVERIFY(f.dialogs.done());
    const MessageRequest& shown = f.dialogs.lastMessage();
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
    QVERIFY2(shown.text.contains(kMix) && shown.text.contains(reason), qPrintable(shown.text));
    QVERIFY(f.document.isModified());
    QVERIFY(f.document.isBoundToFile());
    QCOMPARE(heard.count(), 0);
    QCOMPARE(f.fs.content(kMix), kOldBytes);
    QCOMPARE(f.fs.writeCount(), 0);
}

void TestFileCommands::changesByAnotherProgram_data() {
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::addColumn<Script>("script");
    QTest::addColumn<bool>("written");
    const Asked changed{u"This playlist was changed by another program after it was opened. "
                        "Overwrite it?"_s,
                        A::Yes};
    QTest::newRow("changed, Yes") << Meanwhile::Changed << Script{changed} << true;
    QTest::newRow("changed, No writes nothing")
        << Meanwhile::Changed << Script{answered(changed, A::No)} << false;
    QTest::newRow("deleted: written again unasked") << Meanwhile::Deleted << Script{} << true;
    QTest::newRow("saved here, then nothing")
        << Meanwhile::SavedHereThenNothing << Script{} << true;
    QTest::newRow("saved here, then changed, No")
        << Meanwhile::SavedHereThenChanged << Script{answered(changed, A::No)} << false;
}

void TestFileCommands::changesByAnotherProgram() {
    QFETCH(Meanwhile, meanwhile);
    QFETCH(Script, script);
    QFETCH(bool, written);
    Edited f;
    f.fs.addFile(u"C:\\Music\\old.mp3"_s);
    f.fs.addFile(u"C:\\Music\\a.mp3"_s);
    f.fs.addFile(kMix, kOldBytes);
    openPlaylistFile(f.document, f.fs, f.dialogs, kMix);
    f.document.addFile(u"C:\\Music\\a.mp3"_s);
    if (meanwhile == Meanwhile::SavedHereThenNothing ||
        meanwhile == Meanwhile::SavedHereThenChanged) {
        savePlaylist(f.document, f.fs, f.dialogs);
        f.document.removeRows({0});
        f.document.markModifiedWithoutChange();
    }
    const QByteArray theirs = "C:\\Music\\theirs.mp3\r\n";
    if (meanwhile == Meanwhile::Changed || meanwhile == Meanwhile::SavedHereThenChanged)
        f.fs.addFile(kMix, theirs);
    if (meanwhile == Meanwhile::Deleted)
        f.fs.remove(kMix);
    expect(f.dialogs, script);
    const QByteArray ours =
        playlistFileBytes({{}, f.document.entries(), f.document.directives(), {}}, f.fs.rules());
    const QByteArray before = f.fs.content(kMix);

    savePlaylist(f.document, f.fs, f.dialogs);

    QVERIFY(f.dialogs.done());
    for (const ScriptedDialogs::Shown& shown : f.dialogs.shown()) {
        QCOMPARE(shown.message.buttons, MessageButtons::YesNo);
        QCOMPARE(shown.message.defaultButton, A::No);
    }
    QCOMPARE(f.fs.content(kMix), written ? ours : before);
    QCOMPARE(f.document.isModified(), !written);
    QVERIFY(f.document.isBoundToFile());
}

void TestFileCommands::saveAs_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<std::optional<QString>>("chosen");
    QTest::addColumn<Script>("script");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("written");

    const QString other = u"C:\\Music\\other"_s;
    const QString typed = u"C:\\Music\\new"_s;
    QTest::newRow("cancelled") << true << std::optional<QString>() << Script{} << kMix << false;
    QTest::newRow("empty name") << true << std::optional<QString>(QString()) << Script{} << kMix
                                << false;
    QTest::newRow("new name, written as typed")
        << true << std::optional<QString>(typed) << Script{} << typed << true;
    QTest::newRow("nothing unsaved still writes")
        << false << std::optional<QString>(typed) << Script{} << typed << true;
    QTest::newRow("existing file, Yes")
        << true << std::optional<QString>(other) << Script{kOverwrite} << other << true;
    QTest::newRow("existing file, No keeps the new name")
        << true << std::optional<QString>(other) << Script{answered(kOverwrite, A::No)} << other
        << false;
}

void TestFileCommands::saveAs() {
    QFETCH(bool, modified);
    QFETCH(std::optional<QString>, chosen);
    QFETCH(Script, script);
    QFETCH(QString, name);
    QFETCH(bool, written);
    Edited f;
    f.document.markSaved(f.document.filePath(), std::nullopt);
    if (modified)
        f.document.markModifiedWithoutChange();
    f.fs.addFile(u"C:\\Music\\other"_s, kOldBytes);
    f.dialogs.expectSave(chosen);
    expect(f.dialogs, script);
    const DocumentSignals heard(f.document);

    savePlaylistAs(f.document, f.fs, f.dialogs, f.dialogFileName);

    QVERIFY(f.dialogs.done());
    const FileDialogRequest& request = f.dialogs.shown().first().file;
    QCOMPARE(request.title, u"Save As..."_s);
    QCOMPARE(request.filter, u"Playlists (*.m3u *.m3u8)|*.m3u;*.m3u8|All Files (*.*)|*.*"_s);
    QCOMPARE(request.initialName, kMix);
    QCOMPARE(f.document.filePath(), name);
    QCOMPARE(heard.filePaths(), name == kMix ? QStringList{} : QStringList{name});
    QCOMPARE(f.fs.content(name), written ? kEditedBytes : name == kMix ? QByteArray() : kOldBytes);
    QCOMPARE(f.document.isModified(), modified && !written);
    QCOMPARE(heard.modified(), modified && written ? QList<bool>{false} : QList<bool>{});
    const bool named = chosen && !chosen->isEmpty();
    QCOMPARE(f.document.isBoundToFile(), !named || written);
}

// Saved in its root folder, a playlist reads back with the same root and
// entries, and saves again to the same bytes.
void TestFileCommands::roundTripIsByteForByte() {
    PlaylistFixture<> f;
    const QString mix = u"C:\\Music\\mix.m3u"_s;
    const QStringList files{u"C:\\Music\\Zoë\\b.mp3"_s, u"C:\\Music\\a b.mp3"_s,
                            u"C:\\Music\\Ça.mp3"_s, u"C:\\Music\\ā.mp3"_s};
    addFiles(f.fs, files);
    f.document.setRootPath(u"C:\\Music\\"_s);
    for (const QString& file : files)
        QCOMPARE(f.document.addFile(file), PlaylistDocument::AddResult::Added);
    f.document.unbindFrom(mix);
    savePlaylist(f.document, f.fs, f.dialogs);
    const QByteArray first = f.fs.content(mix);
    const QStringList entries = f.entries();
    QCOMPARE(entries.size(), files.size());

    f.document.setRootPath(u"D:\\Elsewhere\\"_s);
    f.dialogs.expectMessage(rootMessage(u"C:\\Music\\"_s).text);
    openPlaylistFile(f.document, f.fs, f.dialogs, mix);
    QCOMPARE(f.document.rootPath(), u"C:\\Music\\"_s);
    QCOMPARE(f.entries(), entries);
    QVERIFY(!f.document.isModified());

    f.fs.remove(mix);
    savePlaylist(f.document, f.fs, f.dialogs);
    QCOMPARE(f.fs.content(mix), first);
    QVERIFY(f.dialogs.done());
}

void TestFileCommands::closing_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<Script>("script");
    QTest::addColumn<QString>("writeFailure");
    QTest::addColumn<bool>("staysOpen");

    const Asked question{u"Save File Before Exiting?"_s, A::Yes};
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
    QFETCH(bool, modified);
    QFETCH(Script, script);
    QFETCH(QString, writeFailure);
    QFETCH(bool, staysOpen);
    const QString untitled = u"C:\\Music\\untitled.m3u"_s;
    Edited f;
    if (!modified)
        f.document.markSaved(f.document.filePath(), std::nullopt);
    f.document.unbindFrom(untitled);
    f.fs.addFile(untitled, kOldBytes);
    f.fs.setWriteFailure(writeFailure);
    expect(f.dialogs, script);
    const DocumentSignals heard(f.document);

    QCOMPARE(mayClosePlaylist(f.document, f.fs, f.dialogs), !staysOpen);
    if (staysOpen && !f.dialogs.done())
        QVERIFY(!mayClosePlaylist(f.document, f.fs, f.dialogs));

    QVERIFY(f.dialogs.done());
    if (!f.dialogs.shown().isEmpty()) {
        const MessageRequest& first = f.dialogs.shown().first().message;
        QCOMPARE(first.icon, MessageIcon::None);
        QCOMPARE(first.buttons, MessageButtons::YesNoCancel);
        QCOMPARE(first.defaultButton, A::Yes);
    }
    const bool written = f.fs.content(untitled) != kOldBytes;
    QCOMPARE(written, modified && !staysOpen && script.first().answer == A::Yes);
    QCOMPARE(f.document.isModified(), modified && !written);
    // A window kept open shows what it showed before.
    if (staysOpen)
        QCOMPARE(heard.count(), 0);
}

QTEST_APPLESS_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
