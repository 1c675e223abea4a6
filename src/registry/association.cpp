#include "registry/association.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "registry/desktop_association.h"
#include "registry/registry_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>
#include <optional>
#include <string>

namespace {

// The translation context of the command's texts.
class Association {
    Q_DECLARE_TR_FUNCTIONS(Association)

public:
    // What the result code of a failed registry call means, where the
    // registry gave no words of its own.
    static QString reasonFor(RegResult result) {
        switch (result) {
        case kErrorAccessDenied:
            return tr("Access denied");
        case kErrorDiskFull:
            return tr("The disk is full");
        case kErrorWriteFault:
            return tr("The data could not be written");
        case kErrorReadFault:
            return tr("The data could not be read");
        default:
            return tr("Error %1").arg(result);
        }
    }

    static QString failures(const QList<AssociationFailure>& failures) {
        QStringList parts;
        for (const AssociationFailure& failure : failures)
            parts.append(tr("Could not write %1\nReason: %2").arg(failure.path, failure.reason));
        return tr("Songbinder could not be registered as an editor of .m3u files.\n\n%1")
            .arg(parts.join(QStringLiteral("\n\n")));
    }

    static QString keptAside(const QString& store, const QString& aside) {
        return tr("The file-type store %1 could not be read. It was kept as %2, and a new one "
                  "was started.")
            .arg(store, aside);
    }
};

// The registry takes text in the system's ANSI code page (UTF-8 on Linux);
// the conversion happens here, at the edge of the command.
std::string toAnsi(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

QString valueAsText(const RegValue& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return QString::fromLocal8Bit(QByteArrayView(text->data(), qsizetype(text->size())));
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return QString::number(*number);
    return {};
}

// An XDG folder variable: its value when it is a full path, else the default.
QString xdgFolder(const char* variable, const QString& fallback) {
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? value : fallback;
}

// The default values of keys below HKEY_CLASSES_ROOT, as the command uses
// them: always the empty value name, always text. The first change that
// failed is kept for the message at the end; the steps after it are still
// tried, as they always were.
class ClassesRoot {
public:
    explicit ClassesRoot(RegistryBackend& backend)
        : m_backend(backend)
        , m_registry(backend) {}

    // The default value as text; empty when there is none.
    QString defaultValue(const QString& keyPath) { return valueAsText(readDefault(keyPath)); }
    // A text or integer as the key's default value.
    bool hasDefaultValue(const QString& keyPath) { return !isEmptyValue(readDefault(keyPath)); }

    void create(const QString& keyPath) {
        note(keyPath, m_registry.createKey(kHKeyClassesRoot, toAnsi(keyPath)));
    }

    void write(const QString& keyPath, const QString& text) {
        note(keyPath, m_registry.writeKeyValue(kHKeyClassesRoot, toAnsi(keyPath), "", toAnsi(text),
                                               static_cast<std::int32_t>(kRegSz)));
    }

    const std::optional<AssociationFailure>& failure() const { return m_failure; }

private:
    RegValue readDefault(const QString& keyPath) {
        return m_registry.readKeyValue(kHKeyClassesRoot, toAnsi(keyPath), "");
    }

    void note(const QString& keyPath, RegResult result) {
        if (result == kErrorSuccess || m_failure)
            return;
        const std::string words = m_backend.lastFailureText();
        m_failure = AssociationFailure{QString::fromLocal8Bit(m_backend.location(toAnsi(keyPath))),
                                       words.empty() ? Association::reasonFor(result)
                                                     : QString::fromLocal8Bit(words)};
    }

    RegistryBackend& m_backend;
    RegistryModule m_registry;
    std::optional<AssociationFailure> m_failure;
};

// .m3u names a class: only that class's Edit verb is set; its other verbs
// and its default verb stay.
void setEditVerb(ClassesRoot& classes, const QString& className, const QString& command) {
    const QString verb = className + QStringLiteral("\\shell\\edit");
    const QString verbCommand = verb + QStringLiteral("\\command");
    if (!classes.hasDefaultValue(verbCommand)) {
        classes.create(verbCommand);
        classes.write(verb, QStringLiteral("&Edit"));
    }
    classes.write(verbCommand, command);
}

// No class yet: a new "m3ufile" type with Open and Edit, Edit the default.
void registerNewClass(ClassesRoot& classes, const QString& command) {
    classes.create(QStringLiteral(".m3u"));
    classes.write(QStringLiteral(".m3u"), QStringLiteral("m3ufile"));
    classes.create(QStringLiteral("m3ufile\\shell\\open\\command"));
    classes.create(QStringLiteral("m3ufile\\shell\\edit\\command"));
    classes.write(QStringLiteral("m3ufile\\shell"), QStringLiteral("Edit"));
    classes.write(QStringLiteral("m3ufile\\shell\\open"), QStringLiteral("&Open"));
    classes.write(QStringLiteral("m3ufile\\shell\\edit"), QStringLiteral("&Edit"));
    classes.write(QStringLiteral("m3ufile\\shell\\open\\command"), command);
    classes.write(QStringLiteral("m3ufile\\shell\\edit\\command"), command);
}

} // namespace

AssociationEnvironment currentAssociationEnvironment() {
    AssociationEnvironment env;
    env.executablePath = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
#ifndef Q_OS_WIN
    const QString home = QDir::homePath();
    env.dataHome = xdgFolder("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    env.configHome = xdgFolder("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    const QStringList dirs =
        qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& dir : dirs)
        if (QDir::isAbsolutePath(dir))
            env.dataDirs.append(dir);
    if (env.dataDirs.isEmpty())
        env.dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
#endif
    return env;
}

QString registryStoreFolder(const AssociationEnvironment& env) {
    return env.dataHome + QStringLiteral("/songbinder");
}

QString editCommand(const FileSystem& fs, const QString& executablePath) {
    const PathRules& rules = fs.rules();
    const QString folder = rules.withTrailingSeparator(fs.parentFolder(executablePath));
    const QFileInfo file(QString(executablePath).replace(rules.separator(), QLatin1Char('/')));
    // On Windows the program is named as its .exe; elsewhere by the very
    // file that runs, which has no extension to add.
    const QString name =
        rules.isWindows() ? file.completeBaseName() + QStringLiteral(".exe") : file.fileName();
    return QLatin1Char('"') + folder + name + QStringLiteral("\" \"%1\"");
}

QString textBeforeNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

void associateWithPlaylists(Dialogs& dialogs, FileSystem& fs, RegistryBackend& registry,
                            const AssociationEnvironment& env) {
    const QString question =
        Association::tr("Make this program the default app for editing .m3u files?");
    if (dialogs.ask(question, MessageButtons::YesNo, MessageAnswer::Yes) != MessageAnswer::Yes)
        return;
    const QString command = editCommand(fs, env.executablePath);

    ClassesRoot classes(registry);
    const QString className = textBeforeNul(classes.defaultValue(QStringLiteral(".m3u")));
    if (!className.isEmpty())
        setEditVerb(classes, className, command);
    else
        registerNewClass(classes, command);

    QList<AssociationFailure> failures;
    if (classes.failure())
        failures.append(*classes.failure());
    // The registry entries alone mean nothing to a Linux desktop.
    if (!env.dataHome.isEmpty())
        failures += registerDesktopEditor(fs, env);
    // Success goes without a word, as it always did; a failure does not, nor
    // a store that could not be read and was put aside.
    QStringList problems;
    if (!failures.isEmpty())
        problems.append(Association::failures(failures));
    if (const std::string aside = registry.keptAsideAs(); !aside.empty())
        problems.append(Association::keptAside(QString::fromLocal8Bit(registry.location(".m3u")),
                                               QString::fromLocal8Bit(aside)));
    if (!problems.isEmpty())
        dialogs.warn(problems.join(QStringLiteral("\n\n")));
}

void associateWithPlaylists(Dialogs& dialogs, FileSystem& fs) {
    const AssociationEnvironment env = currentAssociationEnvironment();
    const std::unique_ptr<RegistryBackend> registry =
        makeNativeRegistryBackend(QFile::encodeName(registryStoreFolder(env)).toStdString());
    associateWithPlaylists(dialogs, fs, *registry, env);
}
