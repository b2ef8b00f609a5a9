// The registry accessor over the real registry of the Wine prefix.
#include "platform/win32/Win32Registry.h"
#include "base/Exceptions.h"
#include "install/RegistryAccessor.h"

#include <shlwapi.h>
#include <windows.h>

#include <gtest/gtest.h>

using namespace setup;

namespace {

const char* const TestKey = "Software\\SetupTests";

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, TestKey); }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, TestKey); }

    static std::string Read(const std::string& key, const char* name, DWORD* type = nullptr) {
        HKEY handle = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
            return "<missing>";
        char data[256] = {};
        DWORD size = sizeof data;
        const LONG status =
            RegQueryValueExA(handle, name, nullptr, type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(handle);
        return status == ERROR_SUCCESS ? std::string(data, size) : "<missing>";
    }

    Win32Registry api;
    TRegistry registry{api};
};

TEST_F(Win32RegistryTest, WritesTextWithItsTerminatorAndReadsItBack) {
    ASSERT_TRUE(registry.OpenKey(std::string("\\") + TestKey + "\\Palvorne", true));
    registry.WriteString("Palvorne Lumivary", "C:\\Dest\\PalvorneLV.exe");
    DWORD type = 0;
    EXPECT_EQ(Read(std::string(TestKey) + "\\palvorne", "Palvorne Lumivary", &type),
              std::string("C:\\Dest\\PalvorneLV.exe") + '\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(registry.ReadString("Palvorne Lumivary"), "C:\\Dest\\PalvorneLV.exe");
    EXPECT_EQ(registry.ReadString("absent"), "");
}

TEST_F(Win32RegistryTest, RelativeOpenAndCreateKey) {
    registry.OpenKey(std::string("\\") + TestKey, true);
    ASSERT_TRUE(registry.OpenKey("child", true));
    registry.WriteString("v", "1");
    EXPECT_EQ(Read(std::string(TestKey) + "\\child", "v"), std::string("1") + '\0');
    registry.CreateKey(std::string("\\") + TestKey + "\\made");
    HKEY made = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(TestKey) + "\\made").c_str(), 0,
                            KEY_READ, &made),
              ERROR_SUCCESS);
    RegCloseKey(made);
}

TEST_F(Win32RegistryTest, ValuesOfOtherTypesAreRefused) {
    registry.OpenKey(std::string("\\") + TestKey, true);
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, TestKey, 0, KEY_ALL_ACCESS, &key);
    const DWORD number = 1;
    RegSetValueExA(key, "systemroot", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    RegSetValueExA(key, "expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("%x%"), 4);
    RegCloseKey(key);
    EXPECT_EQ(registry.ReadString("expand"), "%x%");
    try {
        registry.ReadString("systemroot");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'systemroot'");
    }
}

TEST_F(Win32RegistryTest, FailedOpenLeavesNothingToWriteInto) {
    registry.OpenKey(std::string("\\") + TestKey, true);
    EXPECT_FALSE(registry.OpenKey(std::string("\\") + TestKey + "\\absent", false));
    EXPECT_THROW(registry.WriteString("v", "x"), ERegistryException);
    EXPECT_EQ(Read(TestKey, "v"), "<missing>");
}

} // namespace
