#pragma once
// Reading one value of the registry (never writing it).
#include <windows.h>

#include <cstdint>
#include <string>

namespace korvane {

struct RegistryValue {
    bool found = false;  // key opened and value queried
    DWORD type = REG_NONE;
    std::string text;          // REG_SZ: up to the first NUL, blanks trimmed
    std::uint32_t number = 0;  // REG_DWORD
};

// Value valueName ("" for the default value) of key path under root.
// Another type than REG_SZ or REG_DWORD is found but carries no value.
RegistryValue ReadRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName);

}  // namespace korvane
