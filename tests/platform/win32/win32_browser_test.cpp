#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "platform/win32/win32_files_shell.h"
#include "platform/win32/win32_registry.h"

namespace korvane {
namespace {

constexpr const char* kTestKey = "Software\\KorvaneTest\\Registry";

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    }
    void Set(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    HKEY key_ = nullptr;
};

TEST_F(Registry, StringIsTrimmedAndEndsAtItsFirstNul) {
    const char text[] = "  \"C:\\Web\\web.exe\" %1  \0tail";
    Set("", REG_SZ, text, sizeof text);
    const RegistryValue value = ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, "");
    EXPECT_TRUE(value.found);
    EXPECT_EQ(value.text, "\"C:\\Web\\web.exe\" %1");
}

TEST_F(Registry, NumberAndOtherTypes) {
    const DWORD number = 0x12345678;
    Set("n", REG_DWORD, &number, sizeof number);
    const char expandable[] = "%ProgramFiles%\\web.exe";
    Set("x", REG_EXPAND_SZ, expandable, sizeof expandable);
    EXPECT_EQ(ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, "n").number, 0x12345678u);
    const RegistryValue other = ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, "x");
    EXPECT_TRUE(other.found);
    EXPECT_EQ(other.text, "");
    EXPECT_FALSE(ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, "missing").found);
    EXPECT_FALSE(ReadRegistryValue(HKEY_CURRENT_USER, "Software\\KorvaneTest\\NoSuchKey", "").found);
}

struct ShellCall {
    std::string file;
    std::string parameters;
};

TEST(Win32Browser, QuotedAddressToTheBrowserThenTheShellFallback) {
    Win32FilesShell shell;
    std::vector<ShellCall> calls;
    shell.shellOpen = [&](const std::string& file, const std::string& parameters) -> long long {
        calls.push_back({file, parameters});
        return 2;  // "file not found": every attempt fails
    };
    const std::string address = "https://h.test/?q=%22Worm%20X%22&ia=web";
    EXPECT_FALSE(shell.OpenUrlInBrowser(address));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().file, address);
    EXPECT_EQ(calls.back().parameters, "");
    if (calls.size() == 2) {
        EXPECT_EQ(calls.front().parameters, "\"" + address + "\"");
    }
}

TEST(Win32Browser, OtherAddressesGoStraightToTheShell) {
    Win32FilesShell shell;
    std::vector<ShellCall> calls;
    shell.shellOpen = [&](const std::string& file, const std::string& parameters) -> long long {
        calls.push_back({file, parameters});
        return 33;
    };
    EXPECT_TRUE(shell.OpenUrlInBrowser("ftp://h.test/"));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "ftp://h.test/");
}

}  // namespace
}  // namespace korvane
