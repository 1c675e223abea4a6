#include "registry/association.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/window_services.h"
#include "playlist/form_state.h"
#include "registry/desktop_association.h"
#include "registry/registry_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>
#include <string>

namespace {

const QString kQuestion =
    QStringLiteral("Make this program the default app for editing .m3u files?");

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

class Association {
public:
    Association(CommandContext& ctx, RegistryBackend& backend)
        : m_ctx(ctx)
        , m_registry(backend) {}

    // The class name, as Text1 holds it.
    QString className() const { return m_ctx.window.hiddenText(); }

    void readClassName() {
        QString value = valueAsText(m_registry.readKeyValue(kHKeyClassesRoot, ".m3u", ""));
        // A text box ends its text at the first NUL; the value read carries
        // the NUL it was stored with.
        if (const qsizetype nul = value.indexOf(QChar(0)); nul >= 0)
            value.truncate(nul);
        m_ctx.window.setHiddenText(value);
    }

    void create(const QString& keyPath) { m_registry.createKey(kHKeyClassesRoot, toAnsi(keyPath)); }

    void write(const QString& keyPath, const QString& text) {
        m_registry.writeKeyValue(kHKeyClassesRoot, toAnsi(keyPath), "", toAnsi(text),
                                 static_cast<std::int32_t>(kRegSz));
    }

    // A text or integer as the key's default value.
    bool hasDefaultValue(const QString& keyPath) {
        return !isEmptyValue(m_registry.readKeyValue(kHKeyClassesRoot, toAnsi(keyPath), ""));
    }

    // .m3u names a class: only that class's Edit verb is set; its other
    // verbs and its default verb stay.
    void setEditVerb(const QString& command) {
        if (!hasDefaultValue(className() + QStringLiteral("\\shell\\edit\\command"))) {
            create(className() + QStringLiteral("\\shell\\edit\\command"));
            write(className() + QStringLiteral("\\shell\\edit"), QStringLiteral("&Edit"));
        }
        write(className() + QStringLiteral("\\shell\\edit\\command"), command);
    }

    // No class yet: a new "m3ufile" type with Open and Edit, Edit the default.
    void registerNewClass(const QString& command) {
        create(QStringLiteral(".m3u"));
        write(QStringLiteral(".m3u"), QStringLiteral("m3ufile"));
        create(QStringLiteral("m3ufile\\shell\\open\\command"));
        create(QStringLiteral("m3ufile\\shell\\edit\\command"));
        write(QStringLiteral("m3ufile\\shell"), QStringLiteral("Edit"));
        write(QStringLiteral("m3ufile\\shell\\open"), QStringLiteral("&Open"));
        write(QStringLiteral("m3ufile\\shell\\edit"), QStringLiteral("&Edit"));
        write(QStringLiteral("m3ufile\\shell\\open\\command"), command);
        write(QStringLiteral("m3ufile\\shell\\edit\\command"), command);
    }

private:
    CommandContext& m_ctx;
    RegistryModule m_registry;
};

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
    QString folder = fs.parentFolder(executablePath);
    if (!folder.endsWith(rules.separator()))
        folder += rules.separator();
    const QFileInfo file(QString(executablePath).replace(rules.separator(), QLatin1Char('/')));
    // On Windows the program is named as its .exe; elsewhere by the very
    // file that runs, which has no extension to add.
    const QString name =
        rules.isWindows() ? file.completeBaseName() + QStringLiteral(".exe") : file.fileName();
    return QLatin1Char('"') + folder + name + QStringLiteral("\" \"%1\"");
}

void mnuHelpAss_Click(CommandContext& ctx, RegistryBackend& registry,
                      const AssociationEnvironment& env) {
    if (ctx.dialogs.ask(kQuestion, MessageButtons::YesNo, MessageAnswer::Yes) != MessageAnswer::Yes)
        return;
    const QString command = editCommand(ctx.fs, env.executablePath);

    Association association(ctx, registry);
    association.readClassName();
    if (!association.className().isEmpty())
        association.setEditVerb(command);
    else
        association.registerNewClass(command);

    // The registry entries alone mean nothing to a Linux desktop.
    if (!env.dataHome.isEmpty())
        registerDesktopEditor(env);
}

void mnuHelpAss_Click(CommandContext& ctx) {
    const AssociationEnvironment env = currentAssociationEnvironment();
    const std::unique_ptr<RegistryBackend> registry =
        makeNativeRegistryBackend(QFile::encodeName(registryStoreFolder(env)).toStdString());
    mnuHelpAss_Click(ctx, *registry, env);
}
