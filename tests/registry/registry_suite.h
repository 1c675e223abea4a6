#pragma once

// The registry suite: what the program relies on from the registry module
// and whatever stands for HKEY_CLASSES_ROOT, written once and run against
// every backend: the system registry (under Wine), the Linux store and the
// in-memory registry. Standard C++ only.

#include "mini_test.h"
#include "recording_registry.h"
#include "registry/registry_module.h"

#include <string>
#include <vector>

// Gives each test a fresh, empty key to use as HKEY_CLASSES_ROOT, and
// removes it and everything below it afterwards.
class RegistryFixture {
public:
    virtual ~RegistryFixture() = default;

    virtual bool setUp(std::string& why) = 0;
    virtual RegistryBackend& backend() = 0;
    virtual RegHandle root() const = 0;
    // False, with the reason, when something the test created is left over.
    virtual bool tearDown(std::string& why) = 0;
};

// What a test of the suite works with. Every call goes through `rec`.
struct SuiteRun {
    mini_test::Checks& checks;
    RecordingRegistry& rec;
    RegistryModule& reg;
    RegHandle root;

    // A handle to the key, or 0 when it does not open; close it with close().
    RegHandle open(const std::string& path, std::uint32_t access = kKeyReadWrite);
    void close(RegHandle key) { rec.closeKey(key); }
    bool exists(const std::string& path);
    // Stores the first `count` bytes (all by default) as a value of any
    // type in an existing key.
    void setRaw(const std::string& path, const std::string& name, std::uint32_t type,
                const std::string& bytes, std::size_t count = std::string::npos);
    // The default value of the key, read through readKeyValue, as text.
    std::string defaultValue(const std::string& path);
};

// A value as a failure message shows it: empty, text "...", integer n.
std::string shown(const RegValue& value);
// How shown() gives a text value written by the module: its bytes and NUL.
std::string storedText(const std::string& text);
RegValue text(const char* bytes, std::size_t size);

inline const std::int32_t kWriteSz = static_cast<std::int32_t>(kRegSz);
inline const std::int32_t kWriteDword = static_cast<std::int32_t>(kRegDword);

using SuiteTest = void (*)(SuiteRun&);
struct NamedSuiteTest {
    const char* name;
    SuiteTest run;
};

std::vector<NamedSuiteTest> moduleTests();
std::vector<NamedSuiteTest> associationTests();

// The whole suite over one fixture, ready for mini_test::runGroup. After each
// test no handle may be left open and nothing may be left over.
std::vector<mini_test::Test> registrySuite(RegistryFixture& fixture);
