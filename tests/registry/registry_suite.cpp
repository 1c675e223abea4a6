#include "registry_suite.h"

#include <algorithm>
#include <climits>

namespace {

using mini_test::Checks;

void textReadsBackWithItsNul(SuiteRun& t) {
    t.reg.createKey(t.root, ".m3u");
    t.reg.writeKeyValue(t.root, ".m3u", "", std::string("m3ufile"), kWriteSz);
    const RegValue value = t.reg.readKeyValue(t.root, ".m3u", "");
    MT_EQUAL(t.checks, shown(value), storedText("m3ufile"));
    const auto* bytes = std::get_if<std::string>(&value);
    MT_CHECK(t.checks, bytes != nullptr && bytes->size() == 8 && bytes->back() == '\0');
}

void missingThingsReadEmpty(SuiteRun& t) {
    t.reg.createKey(t.root, "m3ufile\\shell");
    t.reg.writeKeyValue(t.root, "m3ufile\\shell", "Named", std::string("x"), kWriteSz);
    struct Row {
        const char* name;
        const char* key;
        const char* value;
    };
    const Row rows[] = {
        {"key missing", "nothing\\here", ""},
        {"default value missing", "m3ufile\\shell", ""},
        {"named value missing", "m3ufile\\shell", "Other"},
        {"key missing below an existing key", "m3ufile\\shell\\edit", ""},
    };
    for (const Row& row : rows) {
        t.checks.row(row.name);
        MT_EQUAL(t.checks, shown(t.reg.readKeyValue(t.root, row.key, row.value)), "empty");
    }
    t.checks.row("readValue keeps the value");
    const RegHandle key = t.open("m3ufile\\shell");
    RegValue value = std::string("kept");
    MT_EQUAL(t.checks, t.reg.readValue(key, "", value), kErrorFileNotFound);
    MT_EQUAL(t.checks, shown(value), "text \"kept\"");
    t.close(key);
    t.checks.row("reading creates nothing");
    MT_CHECK(t.checks, !t.exists("nothing"));
}

void otherTypesReadEmptyAndMinusOne(SuiteRun& t) {
    t.reg.createKey(t.root, "types");
    const std::uint32_t types[] = {kRegNone, kRegExpandSz, kRegBinary, kRegMultiSz, 11};
    for (const std::uint32_t type : types) {
        t.checks.row("type " + std::to_string(type));
        t.setRaw("types", "", type, std::string("abc\0\0", 5));
        MT_EQUAL(t.checks, shown(t.reg.readKeyValue(t.root, "types", "")), "empty");
        const RegHandle key = t.open("types");
        RegValue value = std::int32_t{7};
        MT_EQUAL(t.checks, t.reg.readValue(key, "", value), -1);
        MT_EQUAL(t.checks, shown(value), "integer 7");
        t.close(key);
    }
}

void writeToMissingKeyWritesNothingUntilCreated(SuiteRun& t) {
    t.reg.writeKeyValue(t.root, "m3ufile\\shell", "", std::string("Edit"), kWriteSz);
    MT_CHECK(t.checks, !t.exists("m3ufile\\shell"));
    MT_CHECK(t.checks, !t.exists("m3ufile"));
    t.reg.createKey(t.root, "m3ufile\\shell");
    t.reg.writeKeyValue(t.root, "m3ufile\\shell", "", std::string("Edit"), kWriteSz);
    MT_EQUAL(t.checks, t.defaultValue("m3ufile\\shell"), storedText("Edit"));
}

void otherWriteTypesWriteNothing(SuiteRun& t) {
    t.reg.createKey(t.root, "types");
    const std::int32_t types[] = {0, 2, 3, 7, 11, -1};
    for (const std::int32_t type : types) {
        t.checks.row("type " + std::to_string(type));
        const RegHandle key = t.open("types");
        MT_EQUAL(t.checks, t.reg.writeValue(key, "", type, std::string("abc")), kErrorSuccess);
        std::uint32_t size = 0;
        MT_EQUAL(t.checks, t.rec.queryValue(key, "", nullptr, nullptr, &size), kErrorFileNotFound);
        t.close(key);
    }
}

void integersRoundTrip(SuiteRun& t) {
    t.reg.createKey(t.root, "numbers");
    const std::int32_t values[] = {0, 1, -1, 0x12345678, INT32_MIN, INT32_MAX};
    for (const std::int32_t number : values) {
        t.checks.row(std::to_string(number));
        t.reg.writeKeyValue(t.root, "numbers", "n", number, kWriteDword);
        MT_EQUAL(t.checks, shown(t.reg.readKeyValue(t.root, "numbers", "n")),
                 "integer " + std::to_string(number));
    }
    t.checks.row("four bytes, lowest first");
    t.reg.writeKeyValue(t.root, "numbers", "n", std::int32_t{0x12345678}, kWriteDword);
    const RegHandle key = t.open("numbers");
    std::uint8_t bytes[8] = {};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof bytes;
    MT_EQUAL(t.checks, t.rec.queryValue(key, "n", &type, bytes, &size), kErrorSuccess);
    MT_EQUAL(t.checks, type, kRegDword);
    MT_EQUAL(t.checks, size, 4u);
    MT_CHECK(t.checks,
             bytes[0] == 0x78 && bytes[1] == 0x56 && bytes[2] == 0x34 && bytes[3] == 0x12);
    t.close(key);
}

void valuesConvertToTheTypeWritten(SuiteRun& t) {
    t.reg.createKey(t.root, "convert");
    struct Row {
        const char* name;
        RegValue value;
        std::int32_t type;
        const char* expected;
    };
    const Row rows[] = {
        {"integer as text", std::int32_t{-42}, kWriteSz, "text \"-42\\0\""},
        {"empty as text", RegValue{}, kWriteSz, "text \"\\0\""},
        {"text as integer", std::string(" 42 "), kWriteDword, "integer 42"},
        {"negative text as integer", std::string("-7"), kWriteDword, "integer -7"},
        {"empty as integer", RegValue{}, kWriteDword, "integer 0"},
    };
    for (const Row& row : rows) {
        t.checks.row(row.name);
        t.reg.writeKeyValue(t.root, "convert", "", row.value, row.type);
        MT_EQUAL(t.checks, shown(t.reg.readKeyValue(t.root, "convert", "")), row.expected);
    }
    t.checks.row("a text that is no number is not stored as 0");
    const RegHandle key = t.open("convert");
    MT_EQUAL(t.checks, t.reg.writeValue(key, "n", kWriteDword, std::string("twelve")),
             kErrorInvalidParameter);
    MT_EQUAL(t.checks, shown(t.reg.readKeyValue(t.root, "convert", "n")), "empty");
    t.close(key);
}

void emptyTextIsAValue(SuiteRun& t) {
    t.reg.createKey(t.root, "c\\shell\\edit\\command");
    t.reg.writeKeyValue(t.root, "c\\shell\\edit\\command", "", std::string(), kWriteSz);
    MT_EQUAL(t.checks, t.defaultValue("c\\shell\\edit\\command"), storedText(""));
}

void rewritingReplacesValueAndType(SuiteRun& t) {
    t.reg.createKey(t.root, "k");
    t.reg.writeKeyValue(t.root, "k", "", std::string("a long first text"), kWriteSz);
    t.reg.writeKeyValue(t.root, "k", "", std::string("bb"), kWriteSz);
    MT_EQUAL(t.checks, t.defaultValue("k"), storedText("bb"));
    t.reg.writeKeyValue(t.root, "k", "", std::int32_t{5}, kWriteDword);
    MT_EQUAL(t.checks, t.defaultValue("k"), "integer 5");
}

void createMakesEveryKeyAlongThePath(SuiteRun& t) {
    t.reg.createKey(t.root, "m3ufile");
    t.reg.writeKeyValue(t.root, "m3ufile", "", std::string("Playlist"), kWriteSz);
    t.reg.createKey(t.root, "m3ufile\\shell\\open\\command");
    for (const char* path :
         {"m3ufile", "m3ufile\\shell", "m3ufile\\shell\\open", "m3ufile\\shell\\open\\command"}) {
        t.checks.row(path);
        MT_CHECK(t.checks, t.exists(path));
    }
    t.checks.row("values of existing keys stay");
    t.reg.createKey(t.root, "m3ufile");
    MT_EQUAL(t.checks, t.defaultValue("m3ufile"), storedText("Playlist"));
}

void namesIgnoreCase(SuiteRun& t) {
    t.reg.createKey(t.root, "M3UFile\\Shell");
    t.reg.createKey(t.root, "m3ufile\\SHELL\\Edit");
    t.reg.writeKeyValue(t.root, "m3ufile\\shell\\edit", "", std::string("&Edit"), kWriteSz);
    MT_EQUAL(t.checks, t.defaultValue("M3UFILE\\Shell\\EDIT"), storedText("&Edit"));
    t.reg.writeKeyValue(t.root, "m3ufile", "Count", std::int32_t{1}, kWriteDword);
    t.reg.writeKeyValue(t.root, "m3ufile", "COUNT", std::int32_t{2}, kWriteDword);
    MT_EQUAL(t.checks, shown(t.reg.readKeyValue(t.root, "m3ufile", "count")), "integer 2");
}

void pathSpelling(SuiteRun& t) {
    t.reg.createKey(t.root, "a\\\\b\\");
    MT_CHECK(t.checks, t.exists("a\\b"));
    MT_CHECK(t.checks, t.exists("a\\\\b\\\\"));
    RegHandle key = 0;
    std::uint32_t disposition = 0;
    MT_EQUAL(t.checks, t.rec.createKey(t.root, "\\lead", 0, kKeyReadWrite, &key, &disposition),
             kErrorBadPathname);
    MT_CHECK(t.checks, !t.exists("lead"));
    // Below HKEY_CLASSES_ROOT itself an open takes one leading backslash.
    const RegResult leading = t.rec.openKey(t.root, "\\a", 0, kKeyReadWrite, &key);
    if (t.root != kHKeyClassesRoot) {
        MT_EQUAL(t.checks, leading, kErrorBadPathname);
    } else {
        MT_EQUAL(t.checks, leading, kErrorSuccess);
        t.close(key);
        MT_EQUAL(t.checks, t.rec.openKey(t.root, "\\\\a", 0, kKeyReadWrite, &key),
                 kErrorBadPathname);
    }

    t.checks.row("an empty path names the key itself");
    const RegHandle a = t.open("a");
    RegHandle same = 0;
    MT_EQUAL(t.checks, t.rec.openKey(a, "", 0, kKeyReadWrite, &same), kErrorSuccess);
    t.rec.setValue(same, "", kRegSz, reinterpret_cast<const std::uint8_t*>("x"), 2);
    MT_EQUAL(t.checks, t.defaultValue("a"), storedText("x"));
    t.close(same);
    t.checks.row("a path below an open key");
    MT_EQUAL(t.checks, t.rec.createKey(a, "c\\d", 0, kKeyReadWrite, &key, &disposition),
             kErrorSuccess);
    MT_EQUAL(t.checks, disposition, kRegCreatedNewKey);
    t.close(key);
    MT_EQUAL(t.checks, t.rec.createKey(a, "C", 0, kKeyReadWrite, &key, &disposition),
             kErrorSuccess);
    MT_EQUAL(t.checks, disposition, kRegOpenedExistingKey);
    t.close(key);
    t.close(a);
    MT_CHECK(t.checks, t.exists("a\\c\\d"));
}

void handlesAndAccessRights(SuiteRun& t) {
    t.reg.createKey(t.root, "k");
    t.reg.writeKeyValue(t.root, "k", "", std::string("v"), kWriteSz);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>("w");
    std::uint32_t size = 0;

    const RegHandle readOnly = t.open("k", kKeyQueryValue);
    MT_EQUAL(t.checks, t.rec.setValue(readOnly, "", kRegSz, bytes, 2), kErrorAccessDenied);
    MT_EQUAL(t.checks, t.rec.queryValue(readOnly, "", nullptr, nullptr, &size), kErrorSuccess);
    t.close(readOnly);
    const RegHandle writeOnly = t.open("k", kKeySetValue);
    MT_EQUAL(t.checks, t.rec.queryValue(writeOnly, "", nullptr, nullptr, &size),
             kErrorAccessDenied);
    t.close(writeOnly);
    MT_EQUAL(t.checks, t.defaultValue("k"), storedText("v"));

    t.checks.row("a size without data");
    const RegHandle key = t.open("k");
    MT_EQUAL(t.checks, t.rec.setValue(key, "", kRegBinary, nullptr, 3), kErrorNoAccess);
    MT_EQUAL(t.checks, t.defaultValue("k"), storedText("v"));

    t.checks.row("a closed handle");
    MT_EQUAL(t.checks, t.rec.closeKey(key), kErrorSuccess);
    MT_EQUAL(t.checks, t.rec.closeKey(key), kErrorInvalidHandle);
    MT_EQUAL(t.checks, t.rec.queryValue(key, "", nullptr, nullptr, &size), kErrorInvalidHandle);
    MT_EQUAL(t.checks, t.rec.setValue(key, "", kRegSz, bytes, 2), kErrorInvalidHandle);
    MT_EQUAL(t.checks, t.rec.setValue(0, "", kRegSz, bytes, 2), kErrorInvalidHandle);
}

void queriesReportSizes(SuiteRun& t) {
    t.reg.createKey(t.root, "k");
    t.reg.writeKeyValue(t.root, "k", "", std::string("m3ufile"), kWriteSz);
    const RegHandle key = t.open("k");
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    MT_EQUAL(t.checks, t.rec.queryValue(key, "", &type, nullptr, &size), kErrorSuccess);
    MT_EQUAL(t.checks, type, kRegSz);
    MT_EQUAL(t.checks, size, 8u);

    t.checks.row("a buffer too small");
    char buffer[16] = "untouched";
    size = 3;
    type = 0;
    MT_EQUAL(t.checks,
             t.rec.queryValue(key, "", &type, reinterpret_cast<std::uint8_t*>(buffer), &size),
             kErrorMoreData);
    MT_EQUAL(t.checks, size, 8u);
    MT_EQUAL(t.checks, type, kRegSz);
    MT_EQUAL(t.checks, std::string(buffer), "untouched");

    t.checks.row("text stored without its NUL");
    t.setRaw("k", "bare", kRegSz, "abcX", 3);
    MT_EQUAL(t.checks, shown(t.reg.readKeyValue(t.root, "k", "bare")), "text \"abc\"");
    size = sizeof buffer;
    std::fill(buffer, buffer + sizeof buffer, 'Z');
    MT_EQUAL(t.checks,
             t.rec.queryValue(key, "bare", nullptr, reinterpret_cast<std::uint8_t*>(buffer), &size),
             kErrorSuccess);
    MT_EQUAL(t.checks, size, 3u);
    MT_EQUAL(t.checks, std::string(buffer, 5), std::string("abc\0Z", 5));

    t.checks.row("a NUL right after the counted text is counted too");
    t.setRaw("k", "counted", kRegSz, "abc", 3);
    MT_EQUAL(t.checks, shown(t.reg.readKeyValue(t.root, "k", "counted")), storedText("abc"));

    t.checks.row("NUL inside a text");
    t.setRaw("k", "inner", kRegSz, std::string("ab\0cd\0", 6));
    MT_EQUAL(t.checks, shown(t.reg.readKeyValue(t.root, "k", "inner")), shown(text("ab\0cd\0", 6)));
    t.close(key);
}

void bytesAboveAsciiRoundTrip(SuiteRun& t) {
    // A UTF-8 path and single-byte letters both come back byte for byte.
    const std::string texts[] = {"/home/j\xC3\xB6rg/Musik/songbinder", "Caf\xE9 \x80 \xFF"};
    t.reg.createKey(t.root, "k");
    for (const std::string& value : texts) {
        t.checks.row(value);
        t.reg.writeKeyValue(t.root, "k", "", value, kWriteSz);
        MT_EQUAL(t.checks, t.defaultValue("k"), storedText(value));
    }
}

void callsOfEachOperation(SuiteRun& t) {
    t.rec.clear();
    t.reg.createKey(t.root, "m3ufile\\shell");
    t.reg.writeKeyValue(t.root, "m3ufile\\shell", "", std::string("Edit"), kWriteSz);
    t.reg.readKeyValue(t.root, "m3ufile\\shell", "");
    t.reg.writeKeyValue(t.root, "m3ufile\\shell\\edit", "", std::string("&Edit"), kWriteSz);
    t.reg.readKeyValue(t.root, "nothing", "");
    const std::vector<std::string> expected = {
        "create m3ufile\\shell",
        "close m3ufile\\shell",
        "open m3ufile\\shell",
        "set m3ufile\\shell @ = \"Edit\\0\"",
        "close m3ufile\\shell",
        "open m3ufile\\shell",
        "query m3ufile\\shell @ size",
        "query m3ufile\\shell @ data",
        "close m3ufile\\shell",
        // A key that does not open is neither written nor closed.
        "open m3ufile\\shell\\edit -> 2",
        "open nothing -> 2",
    };
    MT_EQUAL(t.checks, t.rec.lines(), expected);
    for (const RecordingRegistry::Call& call : t.rec.calls()) {
        if (call.what != "create" && call.what != "open")
            continue;
        t.checks.row(call.line());
        MT_EQUAL(t.checks, call.options, kRegOptionNonVolatile);
        MT_EQUAL(t.checks, call.access, kKeyReadWrite);
    }
}

} // namespace

RegHandle SuiteRun::open(const std::string& path, std::uint32_t access) {
    RegHandle key = 0;
    return rec.openKey(root, path.c_str(), 0, access, &key) == kErrorSuccess ? key : 0;
}

bool SuiteRun::exists(const std::string& path) {
    const RegHandle key = open(path);
    if (key != 0)
        close(key);
    return key != 0;
}

void SuiteRun::setRaw(const std::string& path, const std::string& name, std::uint32_t type,
                      const std::string& bytes, std::size_t count) {
    const RegHandle key = open(path);
    MT_CHECK(checks, key != 0);
    MT_EQUAL(checks,
             rec.setValue(key, name.c_str(), type,
                          reinterpret_cast<const std::uint8_t*>(bytes.data()),
                          static_cast<std::uint32_t>(std::min(count, bytes.size()))),
             kErrorSuccess);
    close(key);
}

std::string SuiteRun::defaultValue(const std::string& path) {
    return shown(reg.readKeyValue(root, path, ""));
}

std::string shown(const RegValue& value) {
    if (const auto* bytes = std::get_if<std::string>(&value))
        return "text " + mini_test::show(*bytes);
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return "integer " + std::to_string(*number);
    return "empty";
}

std::string storedText(const std::string& text) {
    return "text " + mini_test::show(text + '\0');
}

RegValue text(const char* bytes, std::size_t size) {
    return std::string(bytes, size);
}

std::vector<NamedSuiteTest> moduleTests() {
    return {
        {"text value reads back with its NUL", textReadsBackWithItsNul},
        {"missing keys and values read empty", missingThingsReadEmpty},
        {"other stored types read empty and -1", otherTypesReadEmptyAndMinusOne},
        {"write to a missing key writes nothing until created",
         writeToMissingKeyWritesNothingUntilCreated},
        {"write of another type writes nothing and gives 0", otherWriteTypesWriteNothing},
        {"32-bit integers round trip", integersRoundTrip},
        {"values convert to the type written", valuesConvertToTheTypeWritten},
        {"an empty text is a value", emptyTextIsAValue},
        {"rewriting replaces value and type", rewritingReplacesValueAndType},
        {"create makes every key along the path", createMakesEveryKeyAlongThePath},
        {"key and value names ignore case", namesIgnoreCase},
        {"path spelling", pathSpelling},
        {"handles and access rights", handlesAndAccessRights},
        {"queries report sizes", queriesReportSizes},
        {"bytes above ASCII round trip", bytesAboveAsciiRoundTrip},
        {"calls of each operation", callsOfEachOperation},
    };
}

std::vector<mini_test::Test> registrySuite(RegistryFixture& fixture) {
    std::vector<NamedSuiteTest> all = moduleTests();
    for (const NamedSuiteTest& test : associationTests())
        all.push_back(test);
    std::vector<mini_test::Test> tests;
    for (const NamedSuiteTest& test : all) {
        tests.push_back({test.name, [&fixture, test](Checks& checks) {
                             std::string why;
                             if (!fixture.setUp(why)) {
                                 checks.fail(__FILE__, __LINE__, "set-up: " + why);
                                 return;
                             }
                             {
                                 RecordingRegistry rec(fixture.backend(), fixture.root());
                                 RegistryModule reg(rec);
                                 SuiteRun run{checks, rec, reg, fixture.root()};
                                 test.run(run);
                                 checks.row({});
                                 MT_EQUAL(checks, rec.openHandles(), 0);
                             }
                             if (!fixture.tearDown(why))
                                 checks.fail(__FILE__, __LINE__, "tear-down: " + why);
                         }});
    }
    return tests;
}
