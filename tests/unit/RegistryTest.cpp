#include "platform/RegistryAccessor.h"
#include "platform/Exceptions.h"
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
    EXPECT_TRUE(registry.HasCurrentKey());
    registry.WriteString("v", "1");
    EXPECT_EQ(fake.GetString(TRootKey::LocalMachine, "software\\a", "v"), "1");

    registry.SetRootKey(TRootKey::CurrentUser);
    EXPECT_FALSE(registry.HasCurrentKey());
}

TEST_F(RegistryTest, PathsWithoutBackslashAreRelativeToTheCurrentKey) {
    registry.OpenKey("\\software", true);
    ASSERT_TRUE(registry.OpenKey("maker", true));
    EXPECT_EQ(registry.CurrentPath(), "\\software\\maker");
    registry.WriteString("v", "x");
    EXPECT_EQ(fake.GetString(TRootKey::CurrentUser, "software\\maker", "v"), "x");
}

TEST_F(RegistryTest, FailedOpenLeavesNoKeyToWriteInto) {
    registry.SetRootKey(TRootKey::LocalMachine);
    registry.OpenKey("\\software\\windows", true);
    EXPECT_FALSE(registry.OpenKey("\\software\\absent", false));
    EXPECT_FALSE(registry.HasCurrentKey());
    try {
        registry.WriteString("name", "x");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'name'");
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
    EXPECT_FALSE(registry.HasCurrentKey()); // created and closed again
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
