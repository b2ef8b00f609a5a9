#include "base/Exceptions.h"
#include "install/RegistryAccessor.h"
#include "platform/fake/FakeRegistry.h"

#include <gtest/gtest.h>

using namespace setup;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    FakeRegistry fake;
    TRegistry registry{fake};
};

TEST_F(RegistryTest, SelectingTheSameRootKeepsTheCurrentKey) {
    registry.SetRootKey(TRootKey::LocalMachine);
    ASSERT_TRUE(registry.OpenKey("\\software\\a", true));
    registry.SetRootKey(TRootKey::LocalMachine);
    registry.WriteString("v", "1");
    EXPECT_EQ(fake.GetString(TRootKey::LocalMachine, "software\\a", "v"), "1");

    registry.SetRootKey(TRootKey::CurrentUser);
    EXPECT_THROW(registry.WriteString("v", "2"), ERegistryException) << "no key is current";
}

TEST_F(RegistryTest, PathsWithoutBackslashAreRelativeToTheCurrentKey) {
    registry.OpenKey("\\software", true);
    ASSERT_TRUE(registry.OpenKey("maker", true));
    registry.WriteString("v", "x");
    EXPECT_EQ(fake.GetString(TRootKey::CurrentUser, "software\\maker", "v"), "x");
    ASSERT_TRUE(registry.OpenKey("sub", true));
    registry.WriteString("v", "y");
    EXPECT_EQ(fake.GetString(TRootKey::CurrentUser, "software\\maker\\sub", "v"), "y");
}

TEST_F(RegistryTest, FailedOpenLeavesNoKeyToWriteInto) {
    registry.SetRootKey(TRootKey::LocalMachine);
    registry.OpenKey("\\software\\windows", true);
    EXPECT_FALSE(registry.OpenKey("\\software\\absent", false));
    try {
        registry.WriteString("name", "x");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'name'");
        EXPECT_EQ(e.ErrorCode(), ErrorFileNotFound) << "why the key is not there";
    }
    EXPECT_EQ(fake.GetString(TRootKey::LocalMachine, "software\\windows", "name"), "<missing>");
}

TEST_F(RegistryTest, CreateKeyReportsThePathItWasGiven) {
    fake.UncreatableKeys.insert("HKCU\\software\\x");
    try {
        registry.CreateKey("\\Software\\X");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to create key \\Software\\X");
    }
    registry.CreateKey("\\software\\y");
    EXPECT_TRUE(fake.HasKey(TRootKey::CurrentUser, "software\\y"));
    EXPECT_THROW(registry.WriteString("v", "x"), ERegistryException) << "created, not opened";
}

TEST_F(RegistryTest, KeyOpenedForReadingRefusesWrites) {
    fake.SetString(TRootKey::CurrentUser, "k", "text", "x");
    ASSERT_TRUE(registry.OpenKey("\\k", false, TKeyAccess::Read));
    EXPECT_EQ(registry.ReadString("text"), "x");
    try {
        registry.WriteString("text", "y");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'text'");
        EXPECT_EQ(e.ErrorCode(), ErrorAccessDenied);
    }
}

TEST_F(RegistryTest, ReadStringByValueKind) {
    fake.SetString(TRootKey::CurrentUser, "k", "text", "C:\\WINDOWS");
    fake.SetValue(TRootKey::CurrentUser, "k", "expand", REG_TYPE_EXPAND_SZ,
                  std::string("%x%\0junk", 8));
    fake.SetValue(TRootKey::CurrentUser, "k", "empty", REG_TYPE_BINARY, "");
    fake.SetValue(TRootKey::CurrentUser, "k", "number", REG_TYPE_DWORD, std::string(4, '\1'));
    fake.SetString(TRootKey::CurrentUser, "k", "locked", "x");
    fake.UnreadableValues.insert("locked");

    EXPECT_EQ(registry.ReadString("text"), ""); // no key open yet
    registry.OpenKey("\\k", false);
    EXPECT_EQ(registry.ReadString("text"), "C:\\WINDOWS");
    EXPECT_EQ(registry.ReadString("expand"), "%x%");
    EXPECT_EQ(registry.ReadString("empty"), "");
    EXPECT_EQ(registry.ReadString("absent"), "");
    try {
        registry.ReadString("number");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'number'");
    }
    try {
        registry.ReadString("locked");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to get data for 'locked'");
    }
}

} // namespace
