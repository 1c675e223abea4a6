#include "fake_file_system.h"
#include "platform/native_file_system.h"
#include "platform/registry_memory.h"
#include "platform/registry_store_posix.h"
#include "playlist_fixture.h"
#include "recording_registry.h"
#include "registry/association.h"
#include "registry/desktop_association.h"
#include "registry/registry_module.h"
#include "scripted_dialogs.h"
#include "small_disk.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kQuestion = u"Make this program the default app for editing .m3u files?"_s;

std::string ansi(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// "set KEY @ = "TEXT\0"" as the recorder writes a default text value.
QString setLine(const QString& key, const QString& text) {
    QString shown = text;
    shown.replace(u'\\', u"\\\\"_s).replace(u'"', u"\\\""_s);
    return u"set %1 @ = \"%2\\0\""_s.arg(key, shown);
}

QStringList qLines(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines)
        out.append(QString::fromLocal8Bit(line));
    return out;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Failures as a test shows them, one a line: empty when there is none.
QString shown(const QList<AssociationFailure>& failures) {
    QStringList lines;
    for (const AssociationFailure& failure : failures)
        lines.append(failure.path + u": "_s + failure.reason);
    return lines.join(u'\n');
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The command's world: Windows rules in memory, a registry in memory that
// records every call, no desktop unless a test gives it one. Tests of what
// only real files show point `fs` at the native file system.
struct Fixture {
    explicit Fixture(PathRules rules = PathRules::windows())
        : fake(rules) {
        env.executablePath = u"C:\\Tools\\ed.exe"_s;
    }

    void run(MessageAnswer answer = MessageAnswer::Yes) {
        dialogs.expectMessage(kQuestion, answer);
        rec.clear();
        associateWithPlaylists(dialogs, *fs, rec, env);
    }
    // A desktop below `folder` (a real one, or one of the fake's).
    void setDesktop(const QString& folder) {
        env.dataHome = folder + u"/data"_s;
        env.configHome = folder + u"/config"_s;
        env.dataDirs = {folder + u"/system"_s};
    }
    // The real file system, with a desktop below `folder`, run as `executable`.
    void useRealDesktop(const QString& folder, const QString& executable) {
        fs = &native;
        env.executablePath = executable;
        setDesktop(folder);
    }
    QString entryPath() const { return env.dataHome + u"/applications/"_s + kDesktopEntryId; }
    QString mimeappsPath() const { return env.configHome + u"/mimeapps.list"_s; }

    // Stores exactly `bytes`: a byte other than NUL after them keeps the
    // registry from counting a NUL there.
    void setDefault(const std::string& key, const std::string& bytes) {
        RegistryModule(memory).createKey(kHKeyClassesRoot, key);
        RegHandle handle = 0;
        memory.openKey(kHKeyClassesRoot, key.c_str(), 0, kKeyReadWrite, &handle);
        const std::string guarded = bytes + 'X';
        memory.setValue(handle, "", kRegSz, reinterpret_cast<const std::uint8_t*>(guarded.data()),
                        static_cast<std::uint32_t>(bytes.size()));
        memory.closeKey(handle);
    }
    QString defaultOf(const std::string& key) {
        const RegValue value = RegistryModule(memory).readKeyValue(kHKeyClassesRoot, key, "");
        const auto* text = std::get_if<std::string>(&value);
        return text ? QString::fromLocal8Bit(QByteArray::fromStdString(*text)) : u"(none)"_s;
    }

    FakeFileSystem fake;
    NativeFileSystem native;
    FileSystem* fs = &fake;
    ScriptedDialogs dialogs;
    MemoryRegistry memory;
    RecordingRegistry rec{memory, kHKeyClassesRoot};
    AssociationEnvironment env;
};

const QString kCommand = u"\"C:\\Tools\\ed.exe\" \"%1\""_s;

// A registry whose disk is full: every change fails with the code alone.
class FullRegistry final : public MemoryRegistry {
protected:
    RegResult beginCall(bool forWriting) override {
        return forWriting ? kErrorDiskFull : kErrorSuccess;
    }
};

// Folders 0777 and files 0666 below `folder`, itself included.
void openToEveryone(const QString& folder) {
    QFile::setPermissions(folder, QFile::Permissions(0x7777));
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!it.fileInfo().isSymLink())
            QFile::setPermissions(path, it.fileInfo().isDir() ? QFile::Permissions(0x7777)
                                                              : QFile::Permissions(0x6666));
    }
}

// What stands in the way of the desktop files.
enum class Obstacle {
    None,
    UnreadableMimeapps,
    FolderForMimeapps,
    FileForApplicationsFolder,
    ProtectedConfigFolder,
    DiskFull,
};

} // namespace

Q_DECLARE_METATYPE(Obstacle)

class TestAssociation : public QObject {
    Q_OBJECT

private slots:
    void answerNoChangesNothing() {
        Fixture f(PathRules::posix());
        f.setDesktop(u"/home/u"_s);
        f.run(MessageAnswer::No);
        QVERIFY(f.rec.calls().empty());
        QCOMPARE(f.fake.writeCount(), 0);
        QVERIFY(!f.fake.exists(u"/home/u"_s));
        QVERIFY(f.dialogs.done());
    }

    void askedOnceWithoutIcon() {
        Fixture f;
        f.run();
        QCOMPARE(f.dialogs.shown().size(), 1);
        const MessageRequest& asked = f.dialogs.lastMessage();
        QCOMPARE(asked.icon, MessageIcon::None);
        QCOMPARE(asked.buttons, MessageButtons::YesNo);
        QCOMPARE(asked.defaultButton, MessageAnswer::Yes);
    }

    void editCommand_data() {
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("folder") << true << "C:\\Tools\\ed.exe"
                                << "\"C:\\Tools\\ed.exe\" \"%1\"";
        QTest::newRow("drive's top folder") << true << "C:\\ed.exe"
                                            << "\"C:\\ed.exe\" \"%1\"";
        QTest::newRow("extension in capitals") << true << "C:\\Tools\\Ed.EXE"
                                               << "\"C:\\Tools\\Ed.exe\" \"%1\"";
        QTest::newRow("dots and spaces") << true << "D:\\My Programs\\song.binder.exe"
                                         << "\"D:\\My Programs\\song.binder.exe\" \"%1\"";
        QTest::newRow("linux") << false << "/usr/bin/songbinder"
                               << "\"/usr/bin/songbinder\" \"%1\"";
        QTest::newRow("linux, name with a dot") << false << "/opt/sb/songbinder.bin"
                                                << "\"/opt/sb/songbinder.bin\" \"%1\"";
        QTest::newRow("linux top folder") << false << "/songbinder"
                                          << "\"/songbinder\" \"%1\"";
    }
    void editCommand() {
        QFETCH(bool, windows);
        QFETCH(QString, executable);
        QFETCH(QString, expected);
        const FakeFileSystem fs(windows ? PathRules::windows() : PathRules::posix());
        QCOMPARE(::editCommand(fs, executable), expected);
    }

    void textBeforeNul_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("no NUL") << u"m3ufile"_s << u"m3ufile"_s;
        QTest::newRow("NUL at the end") << u"m3ufile"_s + QChar(0) << u"m3ufile"_s;
        QTest::newRow("text after the NUL")
            << u"m3ufile"_s + QChar(0) + u"junk"_s + QChar(0) << u"m3ufile"_s;
        QTest::newRow("NUL first") << QChar(0) + u"m3ufile"_s << QString();
    }
    void textBeforeNul() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(::textBeforeNul(text), expected);
    }

    void noClassRegistersM3uFile_data() {
        QTest::addColumn<bool>("m3uKeyExists");
        QTest::newRow("no .m3u key") << false;
        QTest::newRow(".m3u without a default value") << true;
    }
    void noClassRegistersM3uFile() {
        QFETCH(bool, m3uKeyExists);
        Fixture f;
        if (m3uKeyExists)
            RegistryModule(f.memory).createKey(kHKeyClassesRoot, ".m3u");
        f.run();
        const QStringList expected = {
            u"create .m3u"_s,
            setLine(u".m3u"_s, u"m3ufile"_s),
            u"create m3ufile\\shell\\open\\command"_s,
            u"create m3ufile\\shell\\edit\\command"_s,
            setLine(u"m3ufile\\shell"_s, u"Edit"_s),
            setLine(u"m3ufile\\shell\\open"_s, u"&Open"_s),
            setLine(u"m3ufile\\shell\\edit"_s, u"&Edit"_s),
            setLine(u"m3ufile\\shell\\open\\command"_s, kCommand),
            setLine(u"m3ufile\\shell\\edit\\command"_s, kCommand),
        };
        QCOMPARE(qLines(f.rec.changes()), expected);
        QVERIFY(f.dialogs.done());
        QCOMPARE(f.dialogs.shown().size(), 1);

        // Run again, the class now exists: only its edit command is written,
        // below a key path that carries no NUL from the value read.
        f.run();
        QCOMPARE(qLines(f.rec.changes()),
                 QStringList{setLine(u"m3ufile\\shell\\edit\\command"_s, kCommand)});
    }

    void knownClass_data() {
        QTest::addColumn<QByteArray>("m3uValue");
        QTest::addColumn<bool>("hasEditCommand");
        QTest::addColumn<QString>("className");
        QTest::newRow("with an edit command") << QByteArray("txtfile\0", 8) << true << "txtfile";
        QTest::newRow("without an edit command")
            << QByteArray("txtfile\0", 8) << false << "txtfile";
        QTest::newRow("text after the NUL")
            << QByteArray("txtfile\0junk\0", 13) << false << "txtfile";
        QTest::newRow("stored without a NUL") << QByteArray("txtfile") << true << "txtfile";
        QTest::newRow("letters beyond ASCII")
            << u"Wiedergabe.liste\u00E4"_s.toLocal8Bit().append('\0') << false
            << u"Wiedergabe.liste\u00E4"_s;
    }
    void knownClass() {
        QFETCH(QByteArray, m3uValue);
        QFETCH(bool, hasEditCommand);
        QFETCH(QString, className);
        Fixture f;
        f.setDefault(".m3u", m3uValue.toStdString());
        const std::string cls = ansi(className);
        f.setDefault(cls + "\\shell", std::string("open\0", 5));
        f.setDefault(cls + "\\shell\\open\\command", std::string("player.exe %1\0", 14));
        if (hasEditCommand) {
            f.setDefault(cls + "\\shell\\edit", std::string("Edit with Notes\0", 16));
            f.setDefault(cls + "\\shell\\edit\\command", std::string("notes.exe %1\0", 13));
        }
        f.run();

        QStringList expected;
        if (!hasEditCommand) {
            expected << u"create %1\\shell\\edit\\command"_s.arg(className)
                     << setLine(className + u"\\shell\\edit"_s, u"&Edit"_s);
        }
        expected << setLine(className + u"\\shell\\edit\\command"_s, kCommand);
        QCOMPARE(qLines(f.rec.changes()), expected);
        QCOMPARE(f.defaultOf(cls + "\\shell\\edit\\command"), kCommand + QChar(0));
        QCOMPARE(f.defaultOf(cls + "\\shell\\edit"),
                 (hasEditCommand ? u"Edit with Notes"_s : u"&Edit"_s) + QChar(0));
        QCOMPARE(f.defaultOf(cls + "\\shell"), u"open"_s + QChar(0));
        QCOMPARE(f.defaultOf(".m3u"), QString::fromLocal8Bit(m3uValue));
        RegHandle none = 0;
        QCOMPARE(f.memory.openKey(kHKeyClassesRoot, "m3ufile", 0, kKeyReadWrite, &none),
                 kErrorFileNotFound);
        QCOMPARE(f.rec.openHandles(), 0);
    }

    void desktopExecArgument_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "/usr/bin/songbinder"
                               << "\"/usr/bin/songbinder\"";
        QTest::newRow("space") << "/opt/song binder/sb"
                               << "\"/opt/song binder/sb\"";
        QTest::newRow("double quote") << "/opt/a\"b"
                                      << "\"/opt/a\\\\\"b\"";
        QTest::newRow("dollar and backtick") << "/opt/$x`y`"
                                             << "\"/opt/\\\\$x\\\\`y\\\\`\"";
        QTest::newRow("backslash") << "/opt/a\\b"
                                   << "\"/opt/a\\\\\\\\b\"";
        QTest::newRow("percent") << "/opt/100%/sb"
                                 << "\"/opt/100%%/sb\"";
        QTest::newRow("single quote") << "/opt/it's"
                                      << "\"/opt/it's\"";
        QTest::newRow("newline") << "/opt/a\nb"
                                 << "\"/opt/a\\nb\"";
    }
    void desktopExecArgument() {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(::desktopExecArgument(path), expected);
    }

    void addedAssociations_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const QString id = kDesktopEntryId;
        QTest::newRow("no file")
            << QString()
            << u"[Added Associations]\naudio/x-mpegurl=%1;\naudio/mpegurl=%1;\n"_s.arg(id);
        QTest::newRow("other groups kept, defaults untouched")
            << u"# mine\n[Default Applications]\naudio/x-mpegurl=player.desktop;\n"_s
            << u"# mine\n[Default Applications]\naudio/x-mpegurl=player.desktop;\n\n"
               "[Added Associations]\naudio/x-mpegurl=%1;\naudio/mpegurl=%1;\n"_s.arg(id);
        QTest::newRow("added after the programs listed, inside the group")
            << u"[Added Associations]\ntext/plain=ed.desktop;\naudio/mpegurl=player.desktop\n\n"
               "[Default Applications]\naudio/mpegurl=player.desktop;\n"_s
            << u"[Added Associations]\ntext/plain=ed.desktop;\n"
               "audio/mpegurl=player.desktop;%1;\naudio/x-mpegurl=%1;\n\n"
               "[Default Applications]\naudio/mpegurl=player.desktop;\n"_s.arg(id);
        QTest::newRow("already there")
            << u"[Added Associations]\naudio/x-mpegurl=a.desktop;%1;\naudio/mpegurl=%1;\n"_s.arg(id)
            << u"[Added Associations]\naudio/x-mpegurl=a.desktop;%1;\naudio/mpegurl=%1;\n"_s.arg(
                   id);
        QTest::newRow("taken off the removed associations")
            << u"[Removed Associations]\naudio/x-mpegurl=%1;\naudio/mpegurl=b.desktop;%1;\n"
               "text/plain=%1;\n"_s.arg(id)
            << u"[Removed Associations]\naudio/mpegurl=b.desktop;\ntext/plain=%1;\n\n"
               "[Added Associations]\naudio/x-mpegurl=%1;\naudio/mpegurl=%1;\n"_s.arg(id);
    }
    void addedAssociations() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QCOMPARE(withAddedAssociation(before, kDesktopEntryId, kPlaylistMimeTypes), after);
    }

    void desktopIntegration() {
        QTemporaryDir home;
        Fixture f(PathRules::posix());
        f.useRealDesktop(home.path(), u"/opt/song binder/songbinder"_s);
        const QByteArray before = "[Default Applications]\naudio/x-mpegurl=player.desktop;\n"
                                  "x-scheme-handler/caf\xE9=\xFF odd bytes\n";
        writeAll(f.mimeappsPath(), before);
        f.run();

        const QByteArray desktop = readAll(f.entryPath());
        QVERIFY2(desktop.contains("\nExec=\"/opt/song binder/songbinder\" %f\n"),
                 desktop.constData());
        QVERIFY(desktop.contains("\nMimeType=audio/x-mpegurl;audio/mpegurl;\n"));
        QCOMPARE(readAll(f.mimeappsPath()),
                 before + "\n[Added Associations]\naudio/x-mpegurl=" + kDesktopEntryId.toUtf8() +
                     ";\naudio/mpegurl=" + kDesktopEntryId.toUtf8() + ";\n");
        validateDesktopEntry(f.entryPath());
    }

    void installedEntryIsNotCopied() {
        QTemporaryDir home;
        Fixture f(PathRules::posix());
        f.useRealDesktop(home.path(), u"/usr/bin/songbinder"_s);
        f.env.dataDirs = {home.filePath(u"a"_s), home.filePath(u"b"_s)};
        writeAll(f.env.dataDirs[1] + u"/applications/"_s + kDesktopEntryId, "x");
        QCOMPARE(shown(registerDesktopEditor(*f.fs, f.env)), QString());
        QVERIFY(!QFile::exists(f.entryPath()));
        QVERIFY(readAll(f.mimeappsPath()).contains("audio/mpegurl=" + kDesktopEntryId.toUtf8()));
    }

    // A mimeapps.list kept elsewhere and linked in stays a link; the list it
    // points to gets the lines.
    void linkedMimeappsIsWrittenThroughTheLink() {
        QTemporaryDir home;
        Fixture f(PathRules::posix());
        f.fs = &f.native;
        f.setDesktop(home.path());
        const QString target = home.filePath(u"dotfiles/mimeapps.list"_s);
        writeAll(target, "[Default Applications]\n");
        QVERIFY(QDir().mkpath(f.env.configHome));
        QVERIFY(QFile::link(target, f.mimeappsPath()));

        QCOMPARE(shown(registerDesktopEditor(*f.fs, f.env)), QString());
        QVERIFY(QFileInfo(f.mimeappsPath()).isSymLink());
        QCOMPARE(QFileInfo(f.mimeappsPath()).symLinkTarget(), target);
        QVERIFY2(readAll(target).startsWith("[Default Applications]\n\n[Added Associations]\n"),
                 readAll(target).constData());
    }

    // Each file is still tried when the other fails; each failure names its
    // file and the file system's reason.
    void desktopFailures_data() {
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<QStringList>("failedFiles");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("entryWritten");
        QTest::addColumn<bool>("mimeappsWritten");
        const QStringList entry{u"entry"_s};
        const QStringList mimeapps{u"mimeapps"_s};
        QTest::newRow("none") << Obstacle::None << QStringList() << QString() << true << true;
        QTest::newRow("mimeapps.list cannot be opened")
            << Obstacle::UnreadableMimeapps << mimeapps << "Permission denied" << true << false;
        QTest::newRow("a folder named mimeapps.list")
            << Obstacle::FolderForMimeapps << mimeapps << "Is a directory" << true << false;
        QTest::newRow("a file in the way of the applications folder")
            << Obstacle::FileForApplicationsFolder << entry << "Not a directory" << false << true;
        QTest::newRow("config folder write-protected")
            << Obstacle::ProtectedConfigFolder << mimeapps << "Permission denied" << true << false;
        QTest::newRow("disk full: both, the entry first")
            << Obstacle::DiskFull << entry + mimeapps << "Disk full" << false << false;
    }
    void desktopFailures() {
        QFETCH(Obstacle, obstacle);
        QFETCH(QStringList, failedFiles);
        QFETCH(QString, reason);
        QFETCH(bool, entryWritten);
        QFETCH(bool, mimeappsWritten);
        Fixture f(PathRules::posix());
        f.setDesktop(u"/home/u"_s);
        const QByteArray before = "[Default Applications]\n";
        f.fake.addFile(f.mimeappsPath(), before);
        switch (obstacle) {
        case Obstacle::None:
            break;
        case Obstacle::UnreadableMimeapps:
            f.fake.setUnopenable(f.mimeappsPath());
            break;
        case Obstacle::FolderForMimeapps:
            f.fake.remove(f.mimeappsPath());
            f.fake.addFolder(f.mimeappsPath());
            break;
        case Obstacle::FileForApplicationsFolder:
            f.fake.addFile(f.env.dataHome + u"/applications"_s);
            break;
        case Obstacle::ProtectedConfigFolder:
            f.fake.setWriteProtected(f.env.configHome);
            break;
        case Obstacle::DiskFull:
            f.fake.setWriteFailure(u"Disk full"_s);
            break;
        }

        QStringList expected;
        for (const QString& file : failedFiles)
            expected.append((file == u"entry"_s ? f.entryPath() : f.mimeappsPath()) + u": "_s +
                            reason);
        QCOMPARE(shown(registerDesktopEditor(f.fake, f.env)), expected.join(u'\n'));
        QCOMPARE(f.fake.isFile(f.entryPath()), entryWritten);
        if (obstacle != Obstacle::FolderForMimeapps)
            QCOMPARE(f.fake.content(f.mimeappsPath()) != before, mimeappsWritten);
        QCOMPARE(f.fake.isFolder(f.mimeappsPath()), obstacle == Obstacle::FolderForMimeapps);
    }

    // Whatever could not be written is named in one exclamation message with
    // the system's reason; what was there stays as it was.
    void failuresAreReported_data() {
        // Below a temporary home: the files and folders already there, a
        // folder nobody may write to, and the files the message names.
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("readOnly");
        QTest::addColumn<QStringList>("failed");
        QTest::addColumn<QString>("reason");
        const QString mimeapps = u"config/mimeapps.list"_s;
        const QString store = u"data/songbinder/registry.txt"_s;
        const QString entry = u"data/applications/"_s + kDesktopEntryId;
        QTest::newRow("a folder named mimeapps.list")
            << QStringList() << mimeapps << QString() << QStringList{mimeapps} << "Is a directory";
        QTest::newRow("a file where the config folder belongs")
            << QStringList{u"config"_s} << QString() << QString() << QStringList{mimeapps}
            << "Not a directory";
        // (A list already there is rewritten in place.)
        QTest::newRow("config folder read-only, no list yet")
            << QStringList() << QString() << u"config"_s << QStringList{mimeapps}
            << "Permission denied";
        QTest::newRow("a file where the data folder belongs: store and entry")
            << QStringList{u"data"_s, mimeapps} << QString() << QString()
            << QStringList{store, entry} << "Not a directory";
        QTest::newRow("files where both folders belong: all three")
            << QStringList{u"data"_s, u"config"_s} << QString() << QString()
            << QStringList{store, entry, mimeapps} << "Not a directory";
        QTest::newRow("store folder read-only")
            << QStringList{mimeapps} << QString() << u"data/songbinder"_s << QStringList{store}
            << "Permission denied";
    }
    void failuresAreReported() {
        QFETCH(QStringList, files);
        QFETCH(QString, folder);
        QFETCH(QString, readOnly);
        QFETCH(QStringList, failed);
        QFETCH(QString, reason);
        QTemporaryDir home;
        Fixture f(PathRules::posix());
        f.useRealDesktop(home.path(), u"/usr/bin/songbinder"_s);
        const QByteArray kept = "[Default Applications]\naudio/x-mpegurl=player.desktop;\n";
        for (const QString& file : files)
            writeAll(home.filePath(file), kept);
        for (const QString& made : {folder, readOnly})
            if (!made.isEmpty())
                QVERIFY(QDir().mkpath(home.filePath(made)));
        // Everything open to everyone but the read-only folder, and the
        // command run as an unprivileged user, for whom permissions count.
        openToEveryone(home.path());
        if (!readOnly.isEmpty())
            QVERIFY(QFile::setPermissions(home.filePath(readOnly),
                                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                              QFile::ExeOther));
        {
            const AsUnprivilegedUser nobody;
            PosixRegistryStore store(QFile::encodeName(registryStoreFolder(f.env)).toStdString());
            f.dialogs.expectMessage(kQuestion, MessageAnswer::Yes);
            f.dialogs.expectMessage({});
            associateWithPlaylists(f.dialogs, *f.fs, store, f.env);
        }
        openToEveryone(home.path());

        QVERIFY(f.dialogs.done());
        const MessageRequest& message = f.dialogs.lastMessage();
        QCOMPARE(message.icon, MessageIcon::Exclamation);
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QStringList expected;
        for (const QString& file : failed)
            expected.append(u"Could not write %1\nReason: %2"_s.arg(home.filePath(file), reason));
        QCOMPARE(message.text,
                 u"Songbinder could not be registered as an editor of .m3u files.\n\n"_s +
                     expected.join(u"\n\n"_s));
        // Nothing that was there is damaged: a list written to keeps its lines.
        for (const QString& file : files)
            QVERIFY2(readAll(home.filePath(file)).startsWith(kept), qPrintable(file));
    }

    // On a full disk every file is named with the system's reason, and what
    // was there is kept whole: no emptied list, no empty desktop entry.
    void fullDiskKeepsEveryFile() {
        SmallDisk disk;
        if (!disk.isMounted())
            QSKIP("cannot mount a small tmpfs (needs root)");
        Fixture f(PathRules::posix());
        f.useRealDesktop(disk.path(), u"/usr/bin/songbinder"_s);
        const QByteArray list = "[Default Applications]\naudio/x-mpegurl=player.desktop;\n";
        writeAll(f.mimeappsPath(), list);
        QVERIFY(QDir().mkpath(registryStoreFolder(f.env)));
        disk.fill();
        PosixRegistryStore store(QFile::encodeName(registryStoreFolder(f.env)).toStdString());
        QStringList named;
        for (const QString& file :
             {QString::fromStdString(store.filePath()), f.entryPath(), f.mimeappsPath()})
            named.append(u"Could not write %1\nReason: No space left on device"_s.arg(file));
        f.dialogs.expectMessage(kQuestion, MessageAnswer::Yes);
        f.dialogs.expectMessage(
            u"Songbinder could not be registered as an editor of .m3u files.\n\n"_s +
            named.join(u"\n\n"_s));
        associateWithPlaylists(f.dialogs, *f.fs, store, f.env);
        QVERIFY(f.dialogs.done());
        QCOMPARE(readAll(f.mimeappsPath()), list);
        QVERIFY(!QFileInfo::exists(f.entryPath()));
    }

    // A store that cannot be read is put aside, and the user is told where.
    void unreadableStoreIsKeptAsideAndNamed() {
        QTemporaryDir home;
        Fixture f(PathRules::posix());
        f.useRealDesktop(home.path(), u"/usr/bin/songbinder"_s);
        const QString folder = registryStoreFolder(f.env);
        writeAll(folder + u"/registry.txt"_s, "[m3ufile\n\x01 not a store");
        PosixRegistryStore store(QFile::encodeName(folder).toStdString());
        f.dialogs.expectMessage(kQuestion, MessageAnswer::Yes);
        f.dialogs.expectMessage(
            u"The file-type store %1/registry.txt could not be read. It was "
            "kept as %1/registry.txt.corrupt-1, and a new one was started."_s.arg(folder));
        associateWithPlaylists(f.dialogs, *f.fs, store, f.env);
        QVERIFY(f.dialogs.done());
        QCOMPARE(readAll(folder + u"/registry.txt.corrupt-1"_s), "[m3ufile\n\x01 not a store");
    }

    // A full disk, as the registry reports it: a code, no words of its own.
    void fullDiskInTheRegistryIsReported() {
        Fixture f;
        FullRegistry full;
        f.dialogs.expectMessage(kQuestion, MessageAnswer::Yes);
        f.dialogs.expectMessage(u"Songbinder could not be registered as an editor of .m3u "
                                "files.\n\nCould not write HKEY_CLASSES_ROOT\\.m3u\n"
                                "Reason: The disk is full"_s);
        associateWithPlaylists(f.dialogs, *f.fs, full, f.env);
        QVERIFY(f.dialogs.done());
        QCOMPARE(f.dialogs.lastMessage().icon, MessageIcon::Exclamation);
    }

    void packagedEntryMatchesTheOneWritten() {
        // The installed entry and the one the command writes say the same,
        // apart from how the program is started.
        QFile packaged(QStringLiteral(SONGBINDER_PACKAGING_DIR "/") + kDesktopEntryId);
        QVERIFY(packaged.open(QIODevice::ReadOnly));
        const auto withoutExec = [](const QString& text) {
            QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
            lines.removeIf([](const QString& line) { return line.startsWith(u"Exec="_s); });
            return lines;
        };
        QCOMPARE(withoutExec(desktopEntryText(u"/x"_s)),
                 withoutExec(QString::fromUtf8(packaged.readAll())));
    }

    void environmentFollowsTheXdgRules_data() {
        QTest::addColumn<QByteArray>("dataHome");
        QTest::addColumn<QByteArray>("dataDirs");
        QTest::addColumn<QString>("expectedDataHome");
        QTest::addColumn<QStringList>("expectedDataDirs");
        const QStringList defaults = {u"/usr/local/share"_s, u"/usr/share"_s};
        QTest::newRow("unset") << QByteArray() << QByteArray() << "HOME/.local/share" << defaults;
        QTest::newRow("set") << QByteArray("/data") << QByteArray("/a:/b") << "/data"
                             << QStringList{u"/a"_s, u"/b"_s};
        QTest::newRow("relative entries are ignored")
            << QByteArray("data") << QByteArray("a::/b") << "HOME/.local/share"
            << QStringList{u"/b"_s};
    }
    void environmentFollowsTheXdgRules() {
        QFETCH(QByteArray, dataHome);
        QFETCH(QByteArray, dataDirs);
        QFETCH(QString, expectedDataHome);
        QFETCH(QStringList, expectedDataDirs);
        QTemporaryDir home;
        const EnvironmentOverride env({{"HOME", home.path().toUtf8()},
                                       {"XDG_DATA_HOME", dataHome},
                                       {"XDG_DATA_DIRS", dataDirs},
                                       {"XDG_CONFIG_HOME", QByteArray()}});
        const AssociationEnvironment found = currentAssociationEnvironment();
        QCOMPARE(found.dataHome, QString(expectedDataHome).replace(u"HOME"_s, home.path()));
        QCOMPARE(found.configHome, home.path() + u"/.config"_s);
        QCOMPARE(found.dataDirs, expectedDataDirs);
        QCOMPARE(found.executablePath, QCoreApplication::applicationFilePath());
    }

    // The call the main window makes: this machine's store and desktop.
    void onThisMachine() {
        QTemporaryDir home;
        const EnvironmentOverride env({{"HOME", home.path().toUtf8()},
                                       {"XDG_DATA_HOME", QByteArray()},
                                       {"XDG_CONFIG_HOME", QByteArray()},
                                       {"XDG_DATA_DIRS", home.filePath(u"system"_s).toUtf8()}});
        NativeFileSystem fs;
        ScriptedDialogs dialogs;
        dialogs.expectMessage(kQuestion, MessageAnswer::Yes);
        associateWithPlaylists(dialogs, fs);

        const QByteArray store = readAll(home.filePath(u".local/share/songbinder/registry.txt"_s));
        const QByteArray command = "@=sz:\"\\\"" +
                                   QCoreApplication::applicationFilePath().toUtf8() +
                                   "\\\" \\\"%1\\\"\\0\"";
        QVERIFY2(store.contains("\n[m3ufile\\shell\\edit\\command]\n" + command + "\n"),
                 store.constData());
        QVERIFY(store.contains("\n[.m3u]\n@=sz:\"m3ufile\\0\"\n"));
        QVERIFY(QFile::exists(home.filePath(u".local/share/applications/"_s) + kDesktopEntryId));
        QVERIFY(
            readAll(home.filePath(u".config/mimeapps.list"_s)).contains("[Added Associations]"));
        QVERIFY(dialogs.done());
    }

private:
    // Sets environment variables (empty: unset) for one test.
    class EnvironmentOverride {
    public:
        explicit EnvironmentOverride(const QList<std::pair<const char*, QByteArray>>& values) {
            for (const auto& [name, value] : values) {
                m_saved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
                if (value.isEmpty())
                    qunsetenv(name);
                else
                    qputenv(name, value);
            }
        }
        ~EnvironmentOverride() {
            for (const Saved& saved : m_saved) {
                if (saved.wasSet)
                    qputenv(saved.name, saved.value);
                else
                    qunsetenv(saved.name);
            }
        }

    private:
        struct Saved {
            const char* name;
            QByteArray value;
            bool wasSet;
        };
        QList<Saved> m_saved;
    };

    static void validateDesktopEntry(const QString& path) {
        const QString tool = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
        if (tool.isEmpty())
            QSKIP("desktop-file-validate is not installed");
        QProcess process;
        process.start(tool, {path});
        QVERIFY(process.waitForFinished(30000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardOutput().constData());
    }
};

QTEST_GUILESS_MAIN(TestAssociation)
#include "tst_association.moc"
