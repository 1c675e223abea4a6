// The calls the association command makes, written out as plain calls of
// the registry module, so that every backend, the system registry
// included, confirms the keys and values the command leaves behind.
#include "registry_suite.h"

namespace {

const std::string kCommand = "\"C:\\Tools\\ed.exe\" \"%1\"";

// The class name as the command takes it: the value read, as text, cut
// at its first NUL.
std::string classNameOf(const RegValue& value) {
    const auto* bytes = std::get_if<std::string>(&value);
    return bytes ? bytes->substr(0, bytes->find('\0')) : std::string();
}

// A write of the default value as the recorder shows it.
std::string setLine(const std::string& path, const std::string& value) {
    return "set " + path + " @ = " + mini_test::show(value + '\0');
}

void write(SuiteRun& t, const std::string& path, const std::string& value) {
    t.reg.writeKeyValue(t.root, path, "", value, kWriteSz);
}

// .m3u names no class: the "m3ufile" type, with Open and Edit, Edit first.
void registerNewClass(SuiteRun& t) {
    t.reg.createKey(t.root, ".m3u");
    write(t, ".m3u", "m3ufile");
    t.reg.createKey(t.root, "m3ufile\\shell\\open\\command");
    t.reg.createKey(t.root, "m3ufile\\shell\\edit\\command");
    write(t, "m3ufile\\shell", "Edit");
    write(t, "m3ufile\\shell\\open", "&Open");
    write(t, "m3ufile\\shell\\edit", "&Edit");
    write(t, "m3ufile\\shell\\open\\command", kCommand);
    write(t, "m3ufile\\shell\\edit\\command", kCommand);
}

// .m3u names class C: only C's Edit verb is set.
void setEditVerb(SuiteRun& t, const std::string& className) {
    if (isEmptyValue(t.reg.readKeyValue(t.root, className + "\\shell\\edit\\command", ""))) {
        t.reg.createKey(t.root, className + "\\shell\\edit\\command");
        write(t, className + "\\shell\\edit", "&Edit");
    }
    write(t, className + "\\shell\\edit\\command", kCommand);
}

// The whole command after the user agreed; gives the class name it used.
std::string associate(SuiteRun& t) {
    const std::string className = classNameOf(t.reg.readKeyValue(t.root, ".m3u", ""));
    if (className.empty())
        registerNewClass(t);
    else
        setEditVerb(t, className);
    return className;
}

const std::vector<std::string> kNewClassChanges = {
    "create .m3u",
    setLine(".m3u", "m3ufile"),
    "create m3ufile\\shell\\open\\command",
    "create m3ufile\\shell\\edit\\command",
    setLine("m3ufile\\shell", "Edit"),
    setLine("m3ufile\\shell\\open", "&Open"),
    setLine("m3ufile\\shell\\edit", "&Edit"),
    setLine("m3ufile\\shell\\open\\command", kCommand),
    setLine("m3ufile\\shell\\edit\\command", kCommand),
};

void expectNewClassTable(SuiteRun& t) {
    const std::pair<const char*, std::string> table[] = {
        {".m3u", "m3ufile"},
        {"m3ufile", ""},
        {"m3ufile\\shell", "Edit"},
        {"m3ufile\\shell\\open", "&Open"},
        {"m3ufile\\shell\\edit", "&Edit"},
        {"m3ufile\\shell\\open\\command", kCommand},
        {"m3ufile\\shell\\edit\\command", kCommand},
    };
    for (const auto& [path, value] : table) {
        t.checks.row(path);
        MT_CHECK(t.checks, t.exists(path));
        MT_EQUAL(t.checks, t.defaultValue(path), value.empty() ? "empty" : storedText(value));
    }
    t.checks.row({});
}

void noM3uKey(SuiteRun& t) {
    t.rec.clear();
    MT_EQUAL(t.checks, associate(t), "");
    MT_EQUAL(t.checks, t.rec.changes(), kNewClassChanges);
    expectNewClassTable(t);
}

void m3uKeyWithoutDefaultValue(SuiteRun& t) {
    t.reg.createKey(t.root, ".m3u");
    t.reg.writeKeyValue(t.root, ".m3u", "Content Type", std::string("audio/x-mpegurl"), kWriteSz);
    t.rec.clear();
    MT_EQUAL(t.checks, associate(t), "");
    MT_EQUAL(t.checks, t.rec.changes(), kNewClassChanges);
    expectNewClassTable(t);
    MT_EQUAL(t.checks, shown(t.reg.readKeyValue(t.root, ".m3u", "Content Type")),
             storedText("audio/x-mpegurl"));
}

void knownClassWithEditCommand(SuiteRun& t) {
    t.reg.createKey(t.root, ".m3u");
    write(t, ".m3u", "Playlist.File");
    t.reg.createKey(t.root, "Playlist.File\\shell\\edit\\command");
    t.reg.createKey(t.root, "Playlist.File\\shell\\play\\command");
    write(t, "Playlist.File\\shell", "play");
    write(t, "Playlist.File\\shell\\edit", "Edit with Notes");
    write(t, "Playlist.File\\shell\\edit\\command", "notes.exe %1");
    write(t, "Playlist.File\\shell\\play\\command", "player.exe \"%1\"");
    t.rec.clear();

    MT_EQUAL(t.checks, associate(t), "Playlist.File");
    const std::vector<std::string> changes = {
        setLine("Playlist.File\\shell\\edit\\command", kCommand),
    };
    MT_EQUAL(t.checks, t.rec.changes(), changes);
    MT_EQUAL(t.checks, t.defaultValue("Playlist.File\\shell\\edit\\command"), storedText(kCommand));
    MT_EQUAL(t.checks, t.defaultValue("Playlist.File\\shell\\edit"), storedText("Edit with Notes"));
    MT_EQUAL(t.checks, t.defaultValue("Playlist.File\\shell"), storedText("play"));
    MT_EQUAL(t.checks, t.defaultValue("Playlist.File\\shell\\play\\command"),
             storedText("player.exe \"%1\""));
    MT_EQUAL(t.checks, t.defaultValue(".m3u"), storedText("Playlist.File"));
    MT_CHECK(t.checks, !t.exists("m3ufile"));
}

void knownClassWithoutEditVerb(SuiteRun& t) {
    t.reg.createKey(t.root, ".m3u");
    write(t, ".m3u", "Playlist.File");
    t.reg.createKey(t.root, "Playlist.File\\shell\\play\\command");
    write(t, "Playlist.File\\shell", "play");
    write(t, "Playlist.File\\shell\\play\\command", "player.exe \"%1\"");
    t.rec.clear();

    MT_EQUAL(t.checks, associate(t), "Playlist.File");
    const std::vector<std::string> changes = {
        "create Playlist.File\\shell\\edit\\command",
        setLine("Playlist.File\\shell\\edit", "&Edit"),
        setLine("Playlist.File\\shell\\edit\\command", kCommand),
    };
    MT_EQUAL(t.checks, t.rec.changes(), changes);
    MT_EQUAL(t.checks, t.defaultValue("Playlist.File\\shell\\edit"), storedText("&Edit"));
    MT_EQUAL(t.checks, t.defaultValue("Playlist.File\\shell\\edit\\command"), storedText(kCommand));
    MT_EQUAL(t.checks, t.defaultValue("Playlist.File\\shell"), storedText("play"));
}

void secondRunRewritesOnlyTheEditCommand(SuiteRun& t) {
    associate(t);
    t.rec.clear();
    // The value read carries its NUL; the key paths built from it do not.
    MT_EQUAL(t.checks, associate(t), "m3ufile");
    const std::vector<std::string> changes = {
        setLine("m3ufile\\shell\\edit\\command", kCommand),
    };
    MT_EQUAL(t.checks, t.rec.changes(), changes);
    expectNewClassTable(t);
}

} // namespace

std::vector<NamedSuiteTest> associationTests() {
    return {
        {"association: no .m3u key", noM3uKey},
        {"association: .m3u without a default value", m3uKeyWithoutDefaultValue},
        {"association: known class with an edit command", knownClassWithEditCommand},
        {"association: known class without an Edit verb", knownClassWithoutEditVerb},
        {"association: a second run rewrites only the edit command",
         secondRunRewritesOnlyTheEditCommand},
    };
}
