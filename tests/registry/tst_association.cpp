#include "fake_file_system.h"
#include "fake_window_services.h"
#include "platform/registry_memory.h"
#include "playlist/form_state.h"
#include "recording_registry.h"
#include "registry/association.h"
#include "registry/desktop_association.h"
#include "registry/registry_module.h"
#include "scripted_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kQuestion =
    QStringLiteral("Make this program the default app for editing .m3u files?");

std::string ansi(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// "set KEY @ = "TEXT\0"" as the recorder writes a default text value.
QString setLine(const QString& key, const QString& text) {
    QString shown = text;
    shown.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QStringLiteral("set %1 @ = \"%2\\0\"").arg(key, shown);
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

void writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The command's world: Windows rules, a registry in memory that records
// every call, no desktop unless a test gives it one.
struct Fixture {
    explicit Fixture(PathRules rules = PathRules::windows())
        : state(rules)
        , fs(rules) {
        env.executablePath = QStringLiteral("C:\\Tools\\ed.exe");
    }

    void run(MessageAnswer answer = MessageAnswer::Yes) {
        dialogs.expectMessage(kQuestion, answer);
        rec.clear();
        mnuHelpAss_Click(ctx, rec, env);
    }
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
        return text ? QString::fromLocal8Bit(QByteArray::fromStdString(*text))
                    : QStringLiteral("(none)");
    }

    FormState state;
    FakeFileSystem fs;
    ScriptedDialogs dialogs;
    FakeWindowServices window;
    CommandContext ctx{state, fs, dialogs, window};
    MemoryRegistry memory;
    RecordingRegistry rec{memory, kHKeyClassesRoot};
    AssociationEnvironment env;
};

const QString kCommand = QStringLiteral("\"C:\\Tools\\ed.exe\" \"%1\"");

} // namespace

class TestAssociation : public QObject {
    Q_OBJECT

private slots:
    void answerNoChangesNothing() {
        QTemporaryDir home;
        Fixture f;
        f.env.dataHome = home.filePath(QStringLiteral("data"));
        f.env.configHome = home.filePath(QStringLiteral("config"));
        f.run(MessageAnswer::No);
        QVERIFY(f.rec.calls().empty());
        QCOMPARE(f.window.text1, QStringLiteral("Text1"));
        QVERIFY(QDir(home.path()).isEmpty());
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
            QStringLiteral("create .m3u"),
            setLine(QStringLiteral(".m3u"), QStringLiteral("m3ufile")),
            QStringLiteral("create m3ufile\\shell\\open\\command"),
            QStringLiteral("create m3ufile\\shell\\edit\\command"),
            setLine(QStringLiteral("m3ufile\\shell"), QStringLiteral("Edit")),
            setLine(QStringLiteral("m3ufile\\shell\\open"), QStringLiteral("&Open")),
            setLine(QStringLiteral("m3ufile\\shell\\edit"), QStringLiteral("&Edit")),
            setLine(QStringLiteral("m3ufile\\shell\\open\\command"), kCommand),
            setLine(QStringLiteral("m3ufile\\shell\\edit\\command"), kCommand),
        };
        QCOMPARE(qLines(f.rec.changes()), expected);
        QCOMPARE(f.window.text1, QString());
        QVERIFY(f.dialogs.done());
        QCOMPARE(f.dialogs.shown().size(), 1);

        // Run again, the class now exists: only its edit command is written.
        f.run();
        QCOMPARE(qLines(f.rec.changes()),
                 QStringList{setLine(QStringLiteral("m3ufile\\shell\\edit\\command"), kCommand)});
        QCOMPARE(f.window.text1, QStringLiteral("m3ufile"));
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
            << QStringLiteral("Wiedergabe.liste\u00E4").toLocal8Bit().append('\0') << false
            << QStringLiteral("Wiedergabe.liste\u00E4");
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
            expected << QStringLiteral("create %1\\shell\\edit\\command").arg(className)
                     << setLine(className + QStringLiteral("\\shell\\edit"),
                                QStringLiteral("&Edit"));
        }
        expected << setLine(className + QStringLiteral("\\shell\\edit\\command"), kCommand);
        QCOMPARE(qLines(f.rec.changes()), expected);
        QCOMPARE(f.window.text1, className);
        QCOMPARE(f.defaultOf(cls + "\\shell\\edit\\command"), kCommand + QChar(0));
        QCOMPARE(f.defaultOf(cls + "\\shell\\edit"),
                 (hasEditCommand ? QStringLiteral("Edit with Notes") : QStringLiteral("&Edit")) +
                     QChar(0));
        QCOMPARE(f.defaultOf(cls + "\\shell"), QStringLiteral("open") + QChar(0));
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
            << QStringLiteral("[Added Associations]\naudio/x-mpegurl=%1;\naudio/mpegurl=%1;\n")
                   .arg(id);
        QTest::newRow("other groups kept, defaults untouched")
            << QStringLiteral("# mine\n[Default Applications]\naudio/x-mpegurl=player.desktop;\n")
            << QStringLiteral("# mine\n[Default Applications]\naudio/x-mpegurl=player.desktop;\n\n"
                              "[Added Associations]\naudio/x-mpegurl=%1;\naudio/mpegurl=%1;\n")
                   .arg(id);
        QTest::newRow("added after the programs listed, inside the group")
            << QStringLiteral(
                   "[Added Associations]\ntext/plain=ed.desktop;\naudio/mpegurl=player.desktop\n\n"
                   "[Default Applications]\naudio/mpegurl=player.desktop;\n")
            << QStringLiteral("[Added Associations]\ntext/plain=ed.desktop;\n"
                              "audio/mpegurl=player.desktop;%1;\naudio/x-mpegurl=%1;\n\n"
                              "[Default Applications]\naudio/mpegurl=player.desktop;\n")
                   .arg(id);
        QTest::newRow("already there")
            << QStringLiteral(
                   "[Added Associations]\naudio/x-mpegurl=a.desktop;%1;\naudio/mpegurl=%1;\n")
                   .arg(id)
            << QStringLiteral(
                   "[Added Associations]\naudio/x-mpegurl=a.desktop;%1;\naudio/mpegurl=%1;\n")
                   .arg(id);
        QTest::newRow("taken off the removed associations")
            << QStringLiteral(
                   "[Removed Associations]\naudio/x-mpegurl=%1;\naudio/mpegurl=b.desktop;%1;\n"
                   "text/plain=%1;\n")
                   .arg(id)
            << QStringLiteral("[Removed Associations]\naudio/mpegurl=b.desktop;\ntext/plain=%1;\n\n"
                              "[Added Associations]\naudio/x-mpegurl=%1;\naudio/mpegurl=%1;\n")
                   .arg(id);
    }
    void addedAssociations() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QCOMPARE(withAddedAssociation(before, kDesktopEntryId, kPlaylistMimeTypes), after);
    }

    void desktopIntegration() {
        QTemporaryDir home;
        Fixture f(PathRules::posix());
        f.env.executablePath = QStringLiteral("/opt/song binder/songbinder");
        f.env.dataHome = home.filePath(QStringLiteral("data"));
        f.env.configHome = home.filePath(QStringLiteral("config"));
        f.env.dataDirs = {home.filePath(QStringLiteral("system"))};
        const QString mimeapps = f.env.configHome + QStringLiteral("/mimeapps.list");
        const QByteArray before = "[Default Applications]\naudio/x-mpegurl=player.desktop;\n"
                                  "x-scheme-handler/caf\xE9=\xFF odd bytes\n";
        writeAll(mimeapps, before);
        f.run();

        const QString entry = f.env.dataHome + QStringLiteral("/applications/") + kDesktopEntryId;
        const QByteArray desktop = readAll(entry);
        QVERIFY2(desktop.contains("\nExec=\"/opt/song binder/songbinder\" %f\n"),
                 desktop.constData());
        QVERIFY(desktop.contains("\nMimeType=audio/x-mpegurl;audio/mpegurl;\n"));
        QCOMPARE(readAll(mimeapps),
                 before + "\n[Added Associations]\naudio/x-mpegurl=" + kDesktopEntryId.toUtf8() +
                     ";\naudio/mpegurl=" + kDesktopEntryId.toUtf8() + ";\n");
        validateDesktopEntry(entry);
    }

    void installedEntryIsNotCopied() {
        QTemporaryDir home;
        Fixture f(PathRules::posix());
        f.env.executablePath = QStringLiteral("/usr/bin/songbinder");
        f.env.dataHome = home.filePath(QStringLiteral("data"));
        f.env.configHome = home.filePath(QStringLiteral("config"));
        f.env.dataDirs = {home.filePath(QStringLiteral("a")), home.filePath(QStringLiteral("b"))};
        writeAll(f.env.dataDirs[1] + QStringLiteral("/applications/") + kDesktopEntryId, "x");
        f.run();
        QVERIFY(
            !QFile::exists(f.env.dataHome + QStringLiteral("/applications/") + kDesktopEntryId));
        QVERIFY(readAll(f.env.configHome + QStringLiteral("/mimeapps.list"))
                    .contains("audio/mpegurl=" + kDesktopEntryId.toUtf8()));
    }

    void unreadableMimeappsIsLeftAlone() {
        QTemporaryDir home;
        Fixture f(PathRules::posix());
        f.env.dataHome = home.filePath(QStringLiteral("data"));
        f.env.configHome = home.filePath(QStringLiteral("config"));
        // A folder where the file should be: it cannot be read, so it is not replaced.
        QVERIFY(QDir().mkpath(f.env.configHome + QStringLiteral("/mimeapps.list")));
        f.run();
        QVERIFY(QFileInfo(f.env.configHome + QStringLiteral("/mimeapps.list")).isDir());
        QVERIFY(f.dialogs.done());
        QCOMPARE(f.dialogs.shown().size(), 1);
    }

    void packagedEntryMatchesTheOneWritten() {
        // The installed entry and the one the command writes say the same,
        // apart from how the program is started.
        QFile packaged(QStringLiteral(SONGBINDER_PACKAGING_DIR "/") + kDesktopEntryId);
        QVERIFY(packaged.open(QIODevice::ReadOnly));
        const auto withoutExec = [](const QString& text) {
            QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            lines.removeIf(
                [](const QString& line) { return line.startsWith(QStringLiteral("Exec=")); });
            return lines;
        };
        QCOMPARE(withoutExec(desktopEntryText(QStringLiteral("/x"))),
                 withoutExec(QString::fromUtf8(packaged.readAll())));
    }

    void environmentFollowsTheXdgRules_data() {
        QTest::addColumn<QByteArray>("dataHome");
        QTest::addColumn<QByteArray>("dataDirs");
        QTest::addColumn<QString>("expectedDataHome");
        QTest::addColumn<QStringList>("expectedDataDirs");
        const QStringList defaults = {"/usr/local/share", "/usr/share"};
        QTest::newRow("unset") << QByteArray() << QByteArray() << "HOME/.local/share" << defaults;
        QTest::newRow("set") << QByteArray("/data") << QByteArray("/a:/b") << "/data"
                             << QStringList{"/a", "/b"};
        QTest::newRow("relative entries are ignored") << QByteArray("data") << QByteArray("a::/b")
                                                      << "HOME/.local/share" << QStringList{"/b"};
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
        QCOMPARE(found.dataHome,
                 QString(expectedDataHome).replace(QStringLiteral("HOME"), home.path()));
        QCOMPARE(found.configHome, home.path() + QStringLiteral("/.config"));
        QCOMPARE(found.dataDirs, expectedDataDirs);
        QCOMPARE(found.executablePath, QCoreApplication::applicationFilePath());
    }

    // The call the main window makes: this machine's store and desktop.
    void onThisMachine() {
        QTemporaryDir home;
        const EnvironmentOverride env(
            {{"HOME", home.path().toUtf8()},
             {"XDG_DATA_HOME", QByteArray()},
             {"XDG_CONFIG_HOME", QByteArray()},
             {"XDG_DATA_DIRS", home.filePath(QStringLiteral("system")).toUtf8()}});
        Fixture f(PathRules::posix());
        f.dialogs.expectMessage(kQuestion, MessageAnswer::Yes);
        mnuHelpAss_Click(f.ctx);

        const QByteArray store =
            readAll(home.filePath(QStringLiteral(".local/share/songbinder/registry.txt")));
        const QByteArray command = "@=sz:\"\\\"" +
                                   QCoreApplication::applicationFilePath().toUtf8() +
                                   "\\\" \\\"%1\\\"\\0\"";
        QVERIFY2(store.contains("\n[m3ufile\\shell\\edit\\command]\n" + command + "\n"),
                 store.constData());
        QVERIFY(store.contains("\n[.m3u]\n@=sz:\"m3ufile\\0\"\n"));
        QVERIFY(QFile::exists(home.filePath(QStringLiteral(".local/share/applications/")) +
                              kDesktopEntryId));
        QVERIFY(readAll(home.filePath(QStringLiteral(".config/mimeapps.list")))
                    .contains("[Added Associations]"));
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
        const QString tool =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
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
