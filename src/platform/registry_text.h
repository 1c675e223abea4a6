#pragma once

#include "platform/registry_memory.h"

#include <optional>
#include <string>
#include <string_view>

// The store's file: one human-readable text holding HKEY_CLASSES_ROOT.
//
//     [m3ufile\shell\edit\command]
//     @=sz:"\"/usr/bin/songbinder\" \"%1\"\0"
//
// Each key has a section named by its path (even a key without values, so
// that it exists); `@` names the default value. Text values show their
// bytes exactly, the stored NUL included; 32-bit integers are written as
// `dword:` and eight hex digits; any other type as `hex(type):` and bytes.
// Control characters and bytes that are not UTF-8 are escaped, so every
// name and value survives the round trip.
std::string formatRegistryText(const RegistryKey& root);

// Nothing when the text is not such a file (the store then keeps it aside).
std::optional<RegistryKey> parseRegistryText(std::string_view text);
