// The registry suite against the system registry: below a key of its own
// under HKEY_CLASSES_ROOT, and, in a registry made for the run alone (a
// fresh Wine prefix), on HKEY_CLASSES_ROOT itself.
#include "registry_suite.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <set>

namespace {

std::string folded(std::string name) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return name;
}

// The names of the keys directly below HKEY_CLASSES_ROOT, folded.
std::set<std::string> classNames() {
    std::set<std::string> names;
    char name[MAX_PATH + 1];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        const LSTATUS status = RegEnumKeyExA(HKEY_CLASSES_ROOT, index, name, &length, nullptr,
                                             nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_SUCCESS)
            names.insert(folded(std::string(name, length)));
    }
    return names;
}

bool removeClassKey(const std::string& name, std::string& why) {
    const LSTATUS status = RegDeleteTreeA(HKEY_CLASSES_ROOT, name.c_str());
    HKEY left = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, name.c_str(), 0, KEY_READ, &left) == ERROR_SUCCESS) {
        RegCloseKey(left);
        why = "HKEY_CLASSES_ROOT\\" + name + " is left over (delete gave " +
              std::to_string(status) + ")";
        return false;
    }
    return true;
}

// A key of its own below HKEY_CLASSES_ROOT stands for the root: safe on any
// machine.
class ScratchKeyFixture final : public RegistryFixture {
public:
    bool setUp(std::string& why) override {
        m_name = "SongbinderSuite." + std::to_string(GetCurrentProcessId()) + '.' +
                 std::to_string(++m_count);
        DWORD disposition = 0;
        const LSTATUS status =
            RegCreateKeyExA(HKEY_CLASSES_ROOT, m_name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &m_root, &disposition);
        if (status != ERROR_SUCCESS || disposition != REG_CREATED_NEW_KEY) {
            why = "cannot make HKEY_CLASSES_ROOT\\" + m_name + ": " + std::to_string(status);
            return false;
        }
        m_backend = makeNativeRegistryBackend({});
        return true;
    }
    RegistryBackend& backend() override { return *m_backend; }
    RegHandle root() const override { return reinterpret_cast<RegHandle>(m_root); }
    bool tearDown(std::string& why) override {
        RegCloseKey(m_root);
        m_backend.reset();
        return removeClassKey(m_name, why);
    }

private:
    std::string m_name;
    int m_count = 0;
    HKEY m_root = nullptr;
    std::unique_ptr<RegistryBackend> m_backend;
};

// HKEY_CLASSES_ROOT itself, as the program uses it. Whatever a test adds
// below it is removed afterwards.
class ClassesRootFixture final : public RegistryFixture {
public:
    bool setUp(std::string&) override {
        m_before = classNames();
        m_backend = makeNativeRegistryBackend({});
        return true;
    }
    RegistryBackend& backend() override { return *m_backend; }
    RegHandle root() const override { return kHKeyClassesRoot; }
    bool tearDown(std::string& why) override {
        m_backend.reset();
        bool clean = true;
        for (const std::string& name : classNames())
            if (m_before.count(name) == 0)
                clean = removeClassKey(name, why) && clean;
        return clean;
    }

private:
    std::set<std::string> m_before;
    std::unique_ptr<RegistryBackend> m_backend;
};

} // namespace

int main() {
    mini_test::Totals totals;
    ScratchKeyFixture scratch;
    mini_test::runGroup("registry suite over the Windows registry, below HKEY_CLASSES_ROOT",
                        registrySuite(scratch), totals, std::cout);

    const char* throwaway = std::getenv("SONGBINDER_THROWAWAY_REGISTRY");
    if (throwaway != nullptr && std::string(throwaway) == "1") {
        ClassesRootFixture classesRoot;
        mini_test::runGroup("registry suite over the Windows registry, on HKEY_CLASSES_ROOT",
                            registrySuite(classesRoot), totals, std::cout);
    } else {
        std::cout << "HKEY_CLASSES_ROOT itself left alone: set SONGBINDER_THROWAWAY_REGISTRY=1 "
                     "in a registry made for the run\n";
    }
    return mini_test::finish(totals, std::cout);
}
