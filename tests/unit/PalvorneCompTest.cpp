#include "install/PalvorneComp.h"
#include "base/Exceptions.h"
#include "platform/fake/FakeErrorTexts.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeShellLinks.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

const std::string WindowsKey = "software\\microsoft\\windows\\currentversion";
const std::string FoldersKey = WindowsKey + "\\EXPLORER\\Shell Folders";

class ReadShellFoldersTest : public testing::Test {
protected:
    ReadShellFoldersTest() {
        Registry.SetString(TRootKey::LocalMachine, WindowsKey, "systemroot", "C:\\WINDOWS");
        Registry.SetString(TRootKey::CurrentUser, FoldersKey, "Programs",
                           "C:\\WINDOWS\\Start Menu\\Programs");
        Registry.SetString(TRootKey::CurrentUser, FoldersKey, "Start Menu",
                           "C:\\WINDOWS\\Start Menu");
        Registry.SetString(TRootKey::CurrentUser, FoldersKey, "Desktop", "C:\\WINDOWS\\Desktop");
        Registry.SetString(TRootKey::CurrentUser, FoldersKey, "Startup",
                           "C:\\WINDOWS\\Start Menu\\Programs\\StartUp");
    }

    FakeRegistry Registry;
};

TEST_F(ReadShellFoldersTest, ReadsTheFiveValuesFromTheirRootsAndKeepsThePrograms) {
    EXPECT_EQ(ReadShellFolders(Registry).Programs, "C:\\WINDOWS\\Start Menu\\Programs");
    std::vector<std::string> queried;
    for (const std::string& entry : Registry.Log)
        if (entry.rfind("query ", 0) == 0)
            queried.push_back(entry);
    const std::string machine = "query HKLM\\" + FakeRegistry::Normalize(WindowsKey) + " ";
    const std::string user = "query HKCU\\" + FakeRegistry::Normalize(FoldersKey) + " ";
    EXPECT_EQ(queried,
              (std::vector<std::string>{machine + "systemroot", user + "Programs",
                                        user + "Start Menu", user + "Desktop", user + "Startup"}));
}

TEST_F(ReadShellFoldersTest, MissingValuesAndKeysGiveEmptyTextAndTheKeysAreCreated) {
    FakeRegistry empty;
    EXPECT_EQ(ReadShellFolders(empty).Programs, "");
    EXPECT_TRUE(empty.HasKey(TRootKey::LocalMachine, WindowsKey));
    EXPECT_TRUE(empty.HasKey(TRootKey::CurrentUser, FoldersKey));
    EXPECT_FALSE(empty.HasKey(TRootKey::CurrentUser, WindowsKey + "\\EXPLORER\\shell"));
    // Only read: both keys are opened for reading.
    for (const std::string& entry : empty.Log) {
        if (entry.rfind("open", 0) == 0) {
            EXPECT_NE(entry.find("(read)"), std::string::npos) << entry;
        }
    }
}

TEST_F(ReadShellFoldersTest, ExpandableTextIsAccepted) {
    Registry.SetValue(TRootKey::CurrentUser, FoldersKey, "Programs", REG_TYPE_EXPAND_SZ,
                      std::string("%USERPROFILE%\\Programs\0", 23));
    EXPECT_EQ(ReadShellFolders(Registry).Programs, "%USERPROFILE%\\Programs");
}

// Each value is checked, kept or not.
TEST(ReadShellFolders, AValueOfTheWrongTypeStopsTheReadingThere) {
    const std::pair<TRootKey, std::string> values[] = {
        {TRootKey::LocalMachine, "systemroot"}, {TRootKey::CurrentUser, "Programs"},
        {TRootKey::CurrentUser, "Start Menu"},  {TRootKey::CurrentUser, "Desktop"},
        {TRootKey::CurrentUser, "Startup"},
    };
    for (const auto& [root, name] : values) {
        FakeRegistry registry;
        const std::string key = root == TRootKey::LocalMachine ? WindowsKey : FoldersKey;
        registry.SetValue(root, key, name, REG_TYPE_DWORD, std::string("\1\0\0\0", 4));
        try {
            ReadShellFolders(registry);
            ADD_FAILURE() << name << ": no error";
        } catch (const ERegistryException& error) {
            EXPECT_EQ(error.Message(), "Invalid data type for '" + name + "'");
        }
        // Nothing after the bad value is asked for.
        EXPECT_TRUE(registry.Log.back().ends_with(" " + name)) << registry.Log.back();
    }
}

TEST(CreateShortcutTest, SetsArgumentsPathAndFolderOfTheTarget) {
    FakeShellLinks links;
    FakeErrorTexts texts;
    EXPECT_TRUE(CreateShortcut(links, texts, "C:\\Menu\\Palvorne\\Lumivary\\", "PalvorneLV.lnk",
                               "C:\\Program Files\\Palvorne Lumivary\\PalvorneLV.exe",
                               TLeadBytes()));
    ASSERT_EQ(links.Links.size(), 1u);
    const TShortcut& link = links.Links[0].Link;
    EXPECT_EQ(links.Links[0].File, "C:\\Menu\\Palvorne\\Lumivary\\PalvorneLV.lnk");
    EXPECT_EQ(link.Arguments, "C:\\Program Files\\Palvorne Lumivary\\PalvorneLV.exe");
    EXPECT_EQ(link.Path, link.Arguments);
    EXPECT_EQ(link.WorkingDirectory, "C:\\Program Files\\Palvorne Lumivary\\");
}

TEST(CreateShortcutTest, WorkingDirectoryEndsAtTheLastSeparatorOrColon) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Dest\\\\Uninstall.exe", "C:\\Dest\\\\"},
        {"D:Run.exe", "D:"},
        {"\\Uninstall.exe", "\\"},
        {"Run.exe", ""},
        {"C:\\odd:name\\x.exe", "C:\\odd:name\\"},
        {"C:\\a\\b:c.exe", "C:\\a\\b:"},
        {"C:/Apps/Run.exe", "C:/Apps/"},
    };
    for (const auto& [target, folder] : cases) {
        FakeShellLinks links;
        FakeErrorTexts texts;
        EXPECT_TRUE(CreateShortcut(links, texts, "", "x.lnk", target, TLeadBytes()));
        ASSERT_EQ(links.Links.size(), 1u);
        EXPECT_EQ(links.Links[0].Link.WorkingDirectory, folder) << target;
    }
}

} // namespace
} // namespace setup
