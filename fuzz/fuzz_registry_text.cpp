// Reads arbitrary bytes as the file-type store's text. Whatever it accepts
// must write back to a text that reads as the same keys and values, and
// that text must be the same when written again: a store the program loads
// and saves never changes or loses what it holds.
#include "fuzz_check.h"
#include "platform/registry_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

bool sameValue(const RegistryValue& a, const RegistryValue& b) {
    return a.name == b.name && a.type == b.type && a.data == b.data;
}

bool sameKey(const RegistryKey& a, const RegistryKey& b) {
    if (a.name != b.name || a.values.size() != b.values.size() ||
        a.subKeys.size() != b.subKeys.size())
        return false;
    for (std::size_t i = 0; i < a.values.size(); ++i)
        if (!sameValue(a.values[i], b.values[i]))
            return false;
    // Sub-keys are written in name order, whatever order they were read in.
    for (const RegistryKey& child : a.subKeys) {
        const auto other = std::find_if(b.subKeys.begin(), b.subKeys.end(),
                                        [&](const RegistryKey& k) { return k.name == child.name; });
        if (other == b.subKeys.end() || !sameKey(child, *other))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::optional<RegistryKey> root = parseRegistryText(input);
    if (!root)
        return 0;
    const std::string written = formatRegistryText(*root);
    const std::optional<RegistryKey> again = parseRegistryText(written);
    require(again.has_value(), "what the store writes, it reads");
    require(sameKey(*root, *again), "written and read back, the same keys and values");
    require(formatRegistryText(*again) == written, "written twice, the same text");
    return 0;
}
