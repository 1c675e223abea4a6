// What only the Linux store has to show: its file, its lock, and what it
// does with a file it cannot read.
#include "store_tests.h"

#include "platform/registry_store_posix.h"
#include "platform/registry_text.h"
#include "registry/registry_module.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <stdlib.h>

namespace {

using mini_test::Checks;
namespace fs = std::filesystem;

const std::int32_t kSz = static_cast<std::int32_t>(kRegSz);

// A temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "songbinder-store-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        if (!m_path.empty())
            fs::remove_all(m_path, ec);
    }
    bool ok() const { return !m_path.empty(); }
    std::string path(const std::string& below = {}) const {
        return below.empty() ? m_path : m_path + '/' + below;
    }

private:
    std::string m_path;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string textOf(const RegValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : std::string("(not a text)");
}

void twoInstancesWritingInTurn(Checks& checks) {
    TempFolder temp;
    PosixRegistryStore first(temp.path("songbinder"));
    PosixRegistryStore second(temp.path("songbinder"));
    RegistryModule a(first);
    RegistryModule b(second);
    a.createKey(kHKeyClassesRoot, "m3ufile\\shell\\open\\command");
    b.createKey(kHKeyClassesRoot, "m3ufile\\shell\\edit\\command");
    a.writeKeyValue(kHKeyClassesRoot, "m3ufile\\shell\\open\\command", "", std::string("one"), kSz);
    b.writeKeyValue(kHKeyClassesRoot, "m3ufile\\shell\\edit\\command", "", std::string("two"), kSz);
    a.writeKeyValue(kHKeyClassesRoot, "m3ufile\\shell", "", std::string("Edit"), kSz);

    PosixRegistryStore later(temp.path("songbinder"));
    RegistryModule c(later);
    const std::pair<const char*, const char*> expected[] = {
        {"m3ufile\\shell\\open\\command", "one"},
        {"m3ufile\\shell\\edit\\command", "two"},
        {"m3ufile\\shell", "Edit"},
    };
    for (const auto& [path, value] : expected) {
        checks.row(path);
        MT_EQUAL(checks, textOf(c.readKeyValue(kHKeyClassesRoot, path, "")),
                 std::string(value) + '\0');
    }
}

// Without the lock, one writer's read-modify-write would drop the other's
// values.
void instancesWritingAtOnceLoseNothing(Checks& checks) {
    TempFolder temp;
    PosixRegistryStore setup(temp.path("songbinder"));
    RegistryModule(setup).createKey(kHKeyClassesRoot, "k");
    constexpr int kWrites = 40;
    const auto writer = [&](const std::string& prefix) {
        PosixRegistryStore store(temp.path("songbinder"));
        RegistryModule registry(store);
        for (int i = 0; i < kWrites; ++i)
            registry.writeKeyValue(kHKeyClassesRoot, "k", prefix + std::to_string(i),
                                   std::int32_t{i}, static_cast<std::int32_t>(kRegDword));
    };
    std::thread one(writer, "one");
    std::thread two(writer, "two");
    one.join();
    two.join();
    const auto root = parseRegistryText(readFile(setup.filePath()));
    MT_CHECK(checks, root.has_value());
    if (!root || root->subKeys.size() != 1)
        return;
    MT_EQUAL(checks, root->subKeys[0].values.size(), std::size_t{2 * kWrites});
}

void corruptStoreIsKeptAside(Checks& checks) {
    TempFolder temp;
    const std::string folder = temp.path("songbinder");
    fs::create_directories(folder);
    const std::string garbage = "[m3ufile]\n@=sz:\"unterminated\n\x01\x02 not a store\n";
    writeFile(folder + "/registry.txt", garbage);

    PosixRegistryStore store(folder);
    RegistryModule registry(store);
    MT_CHECK(checks, isEmptyValue(registry.readKeyValue(kHKeyClassesRoot, "m3ufile", "")));
    MT_EQUAL(checks, readFile(folder + "/registry.txt.corrupt-1"), garbage);
    MT_CHECK(checks, !fs::exists(folder + "/registry.txt"));
    MT_EQUAL(checks, store.keptAsideAs(), folder + "/registry.txt.corrupt-1");

    registry.createKey(kHKeyClassesRoot, ".m3u");
    registry.writeKeyValue(kHKeyClassesRoot, ".m3u", "", std::string("m3ufile"), kSz);
    MT_EQUAL(checks, textOf(registry.readKeyValue(kHKeyClassesRoot, ".m3u", "")),
             std::string("m3ufile\0", 8));

    checks.row("a second bad store gets a name of its own");
    writeFile(folder + "/registry.txt", "nonsense");
    registry.createKey(kHKeyClassesRoot, "other");
    MT_EQUAL(checks, readFile(folder + "/registry.txt.corrupt-1"), garbage);
    MT_EQUAL(checks, readFile(folder + "/registry.txt.corrupt-2"), "nonsense");
    MT_CHECK(checks, isEmptyValue(registry.readKeyValue(kHKeyClassesRoot, ".m3u", "")));
}

// A store that cannot be read is not replaced, and a folder that cannot be
// made fails the writes; both quietly, as the registry does.
void unusableStoresFailQuietly(Checks& checks) {
    TempFolder temp;
    checks.row("store file is a folder");
    const std::string folder = temp.path("songbinder");
    fs::create_directories(folder + "/registry.txt");
    PosixRegistryStore store(folder);
    RegHandle key = 0;
    std::uint32_t disposition = 0;
    MT_CHECK(checks, store.createKey(kHKeyClassesRoot, "k", 0, kKeyReadWrite, &key, &disposition) !=
                         kErrorSuccess);
    MT_CHECK(checks, fs::is_directory(folder + "/registry.txt"));

    checks.row("store folder below a file");
    writeFile(temp.path("plain"), "x");
    PosixRegistryStore below(temp.path("plain/songbinder"));
    RegistryModule registry(below);
    registry.createKey(kHKeyClassesRoot, "k");
    registry.writeKeyValue(kHKeyClassesRoot, "k", "", std::string("v"), kSz);
    MT_CHECK(checks, isEmptyValue(registry.readKeyValue(kHKeyClassesRoot, "k", "")));
    MT_EQUAL(checks, readFile(temp.path("plain")), "x");
}

// The store's file is the user's: a link to it stays a link, and one made
// read-only is not replaced.
void storeFileIsKeptAsTheUserMadeIt(Checks& checks) {
    TempFolder temp;
    const std::string folder = temp.path("songbinder");
    fs::create_directories(folder);
    const std::string elsewhere = temp.path("kept-elsewhere.txt");
    writeFile(elsewhere, "[k]\n");
    fs::create_symlink(elsewhere, folder + "/registry.txt");
    {
        checks.row("linked");
        PosixRegistryStore store(folder);
        MT_EQUAL(checks, RegistryModule(store).createKey(kHKeyClassesRoot, "linked"),
                 kErrorSuccess);
        MT_CHECK(checks, fs::is_symlink(folder + "/registry.txt"));
        MT_CHECK(checks, readFile(elsewhere).find("[linked]") != std::string::npos);
    }
    checks.row("read-only");
    const std::string before = readFile(elsewhere);
    fs::permissions(elsewhere, fs::perms::owner_read | fs::perms::group_read);
    PosixRegistryStore store(folder);
    MT_EQUAL(checks, RegistryModule(store).createKey(kHKeyClassesRoot, "refused"),
             kErrorAccessDenied);
    MT_EQUAL(checks, store.lastFailureText(), std::string("Permission denied"));
    MT_EQUAL(checks, readFile(elsewhere), before);
}

void fileIsReadableText(Checks& checks) {
    TempFolder temp;
    PosixRegistryStore store(temp.path("songbinder"));
    RegistryModule registry(store);
    registry.createKey(kHKeyClassesRoot, "M3UFile\\Shell");
    registry.createKey(kHKeyClassesRoot, "m3ufile\\shell\\edit\\command");
    registry.writeKeyValue(kHKeyClassesRoot, "m3ufile\\shell\\edit\\command", "",
                           std::string("\"/opt/song binder/songbinder\" \"%1\""), kSz);
    registry.writeKeyValue(kHKeyClassesRoot, "m3ufile", "Flags", std::int32_t{0x10000},
                           static_cast<std::int32_t>(kRegDword));
    const std::string expected = "\n[M3UFile]\n"
                                 "\"Flags\"=dword:00010000\n"
                                 "\n[M3UFile\\Shell]\n"
                                 "\n[M3UFile\\Shell\\edit]\n"
                                 "\n[M3UFile\\Shell\\edit\\command]\n"
                                 "@=sz:\"\\\"/opt/song binder/songbinder\\\" \\\"%1\\\"\\0\"\n";
    const std::string file = readFile(store.filePath());
    MT_CHECK(checks, file.size() > expected.size() && file.front() == ';');
    MT_EQUAL(checks, file.substr(file.size() - std::min(file.size(), expected.size())), expected);
}

// Names and values of every kind survive being written and read back.
void oddNamesAndValuesRoundTrip(Checks& checks) {
    RegistryKey root;
    root.values.push_back({"", kRegSz, std::string("root value\0", 11)});
    RegistryKey odd{"50% [done] \"q\"\t\x01 a\\b", {}, {}};
    odd.values.push_back({"@", kRegSz, "at"});
    odd.values.push_back({"n\\a\"m\xE9", kRegBinary, std::string("\0\xFF\x80", 3)});
    odd.values.push_back({"short dword", kRegDword, "\x01\x02"});
    odd.values.push_back({"empty", kRegMultiSz, ""});
    odd.values.push_back(
        {"utf8 \xC3\xA9\xE2\x82\xAC", kRegSz, "\xC3\xA9 \xED\xA0\x80 \xF4\x90\x80\x80"});
    odd.subKeys.push_back(RegistryKey{"\xE9t\xC3\xA9", {}, {}});
    root.subKeys.push_back(odd);

    const std::string text = formatRegistryText(root);
    const std::optional<RegistryKey> back = parseRegistryText(text);
    MT_CHECK(checks, back.has_value());
    if (!back)
        return;
    MT_EQUAL(checks, formatRegistryText(*back), text);
    MT_EQUAL(checks, back->values.size(), std::size_t{1});
    MT_EQUAL(checks, back->subKeys.size(), std::size_t{1});
    if (back->subKeys.size() != 1)
        return;
    const RegistryKey& key = back->subKeys[0];
    MT_EQUAL(checks, key.name, odd.name);
    MT_EQUAL(checks, key.values.size(), odd.values.size());
    for (std::size_t i = 0; i < key.values.size() && i < odd.values.size(); ++i) {
        checks.row(odd.values[i].name);
        MT_EQUAL(checks, key.values[i].name, odd.values[i].name);
        MT_EQUAL(checks, key.values[i].type, odd.values[i].type);
        MT_EQUAL(checks, key.values[i].data, odd.values[i].data);
    }
    checks.row({});
    MT_EQUAL(checks, key.subKeys.size(), std::size_t{1});
    if (!key.subKeys.empty())
        MT_EQUAL(checks, key.subKeys[0].name, odd.subKeys[0].name);
}

void handEditedFilesAreRead(Checks& checks) {
    struct Row {
        const char* name;
        std::string text;
        bool valid;
    };
    const Row rows[] = {
        {"comments, blank lines, CR LF, indentation",
         "# mine\r\n\r\n  [a\\b]  \r\n  @=sz:\"x\\0\"\r\n; end\r\n", true},
        {"hex and dword in capitals", "[a]\n\"v\"=hex(3):0A,fF\n\"d\"=dword:0000ABCD\n", true},
        {"a value before any key", "@=sz:\"x\\0\"\n", false},
        {"an unknown type", "[a]\n@=text:\"x\"\n", false},
        {"an unknown escape", "[a]\n@=sz:\"\\q\"\n", false},
        {"an empty level", "[a\\\\b]\n", false},
        {"a short dword", "[a]\n@=dword:123\n", false},
        {"a stray line", "[a]\nhello\n", false},
        {"text after the value", "[a]\n@=sz:\"x\" trailing\n", false},
    };
    for (const Row& row : rows) {
        checks.row(row.name);
        MT_EQUAL(checks, parseRegistryText(row.text).has_value(), row.valid);
    }
    checks.row("what the first file holds");
    std::optional<RegistryKey> root = parseRegistryText(rows[0].text);
    RegistryKey* a = root ? root->findSubKey("A") : nullptr;
    RegistryKey* b = a ? a->findSubKey("B") : nullptr;
    const RegistryValue* value = b ? b->findValue("") : nullptr;
    MT_CHECK(checks, value != nullptr && value->data == std::string("x\0", 2));
}

} // namespace

std::vector<mini_test::Test> storeTests() {
    return {
        {"two instances writing in turn", twoInstancesWritingInTurn},
        {"instances writing at once lose nothing", instancesWritingAtOnceLoseNothing},
        {"a corrupt store is kept aside", corruptStoreIsKeptAside},
        {"unusable stores fail quietly", unusableStoresFailQuietly},
        {"the store file is kept as the user made it", storeFileIsKeptAsTheUserMadeIt},
        {"the file is readable text", fileIsReadableText},
        {"odd names and values round trip", oddNamesAndValuesRoundTrip},
        {"hand-edited files are read", handEditedFilesAreRead},
    };
}
