// The registry suite over the Linux store, each test in a folder of its
// own, and over the in-memory registry; then the store's own tests.
#include "platform/registry_store_posix.h"
#include "registry_suite.h"
#include "store_tests.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include <stdlib.h>

namespace {

class StoreFixture final : public RegistryFixture {
public:
    bool setUp(std::string& why) override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "songbinder-suite-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            why = "no temporary folder";
            return false;
        }
        m_folder = pattern;
        m_store = std::make_unique<PosixRegistryStore>(m_folder + "/songbinder");
        return true;
    }
    RegistryBackend& backend() override { return *m_store; }
    RegHandle root() const override { return kHKeyClassesRoot; }
    bool tearDown(std::string& why) override {
        m_store.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
        why = ec.message();
        return !ec;
    }

private:
    std::string m_folder;
    std::unique_ptr<PosixRegistryStore> m_store;
};

class MemoryFixture final : public RegistryFixture {
public:
    bool setUp(std::string&) override {
        m_registry = std::make_unique<MemoryRegistry>();
        return true;
    }
    RegistryBackend& backend() override { return *m_registry; }
    RegHandle root() const override { return kHKeyClassesRoot; }
    bool tearDown(std::string&) override {
        m_registry.reset();
        return true;
    }

private:
    std::unique_ptr<MemoryRegistry> m_registry;
};

} // namespace

int main() {
    mini_test::Totals totals;
    StoreFixture store;
    mini_test::runGroup("registry suite over the Linux store", registrySuite(store), totals,
                        std::cout);
    MemoryFixture memory;
    mini_test::runGroup("registry suite over the in-memory registry", registrySuite(memory), totals,
                        std::cout);
    mini_test::runGroup("Linux store", storeTests(), totals, std::cout);
    return mini_test::finish(totals, std::cout);
}
