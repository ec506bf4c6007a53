// Opening an address in the default web browser: the program registered for
// http addresses, or else whatever the shell associates with the address.
#include <windows.h>
// shellapi.h needs the declarations of windows.h first.
#include <shellapi.h>

#include "core/text_util.h"
#include "core/virus_description.h"
#include "platform/win32/win32_files_shell.h"
#include "platform/win32/win32_registry.h"

namespace korvane {

namespace {

std::string ExecutableFolder() {
    std::string buffer(MAX_PATH, '\0');
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    while (n >= buffer.size() && buffer.size() < 32768) {
        buffer.assign(buffer.size() * 2, '\0');
        n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    buffer.resize(n);
    const std::size_t slash = buffer.find_last_of('\\');
    return slash == std::string::npos ? std::string() : buffer.substr(0, slash + 1);
}

long long ShellOpen(const std::string& file, const std::string& parameters) {
    const std::string folder = ExecutableFolder();
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                      folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result);
}

}  // namespace

RegistryValue ReadRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName) {
    RegistryValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.type = type;
        if (type == REG_SZ) {
            std::string buffer(size + 1, '\0');
            DWORD filled = size;
            status = RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(buffer.data()), &filled);
            if (status == ERROR_SUCCESS) value.text = TrimBlanks(buffer.substr(0, buffer.find('\0')));
        } else if (type == REG_DWORD) {
            DWORD number = 0;
            DWORD filled = sizeof number;
            status = RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(&number), &filled);
            if (status == ERROR_SUCCESS) value.number = number;
        }
    }
    RegCloseKey(key);
    value.found = status == ERROR_SUCCESS;
    return value;
}

bool Win32FilesShell::OpenUrlInBrowser(const std::string& address) {
    const auto open = shellOpen ? shellOpen : ShellOpen;
    if (address.rfind("http://", 0) == 0 || address.rfind("https://", 0) == 0) {
        const RegistryValue command = ReadRegistryValue(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "");
        // Another type than a plain string (an expandable one) gives no program.
        const std::string program =
            command.found && command.type == REG_SZ ? BrowserProgramFromCommand(command.text) : std::string();
        if (!program.empty() && open(program, BrowserArgumentForAddress(address)) > 32) return true;
    }
    return open(address, "") > 32;
}

}  // namespace korvane
