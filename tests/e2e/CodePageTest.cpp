// End to end under the double-byte code pages of Japanese, Chinese and Korean Windows (the
// prefix made and everything run with the locale, e.g. LANG=ja_JP.UTF-8 for 932): folders whose
// characters end in a byte that looks like a backslash, or like an ASCII letter.
#include "driver/Driver.h"
#include "platform/ErrorTexts.h"
#include "platform/win32/Win32ErrorTexts.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

#include <set>

using namespace e2e;

namespace {

// A character of the system's code page whose second byte is a backslash (in 932 and 950 a
// common one; 949 has none, and there the second byte is an ASCII letter); empty for a code
// page of single bytes.
std::string FolderCharacter() {
    switch (GetACP()) {
    case 932:
        return "\x95\x5C"; // "table"
    case 936:
        return "\x81\x5C";
    case 949:
        return "\x81\x61";
    case 950:
        return "\xA5\x5C"; // "merit", as in "function"
    default:
        return "";
    }
}

std::string Upper(std::string text) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Every file and folder below folder but skipped, upper-cased.
void AddTree(const std::string& folder, const std::string& skipped, std::set<std::string>& tree) {
    WIN32_FIND_DATAA found;
    const setup::TFindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search)
        return;
    do {
        const std::string name = found.cFileName;
        const std::string path = Upper(folder + "\\" + name);
        if (name == "." || name == ".." || path == skipped)
            continue;
        tree.insert(path);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            AddTree(folder + "\\" + name, skipped, tree);
    } while (FindNextFileA(search.Get(), &found));
}

// Drive C: and the Start menu's programs. Wine links the other folders of the user's profile to
// the host's home, which is not the machine under test.
std::set<std::string> DriveC() {
    std::set<std::string> tree;
    AddTree("C:", "C:\\USERS", tree);
    AddTree(ProgramsFolder(), "", tree);
    return tree;
}

// Installs through the chooser into folder; returns the closing message (empty when Setup did
// not end with code 0).
std::string InstallInto(const std::string& folder) {
    TSetupProcess setup;
    HWND destination = OpenDestinationPage(setup);
    HWND chooser = destination ? Browse(setup, destination) : nullptr;
    if (!chooser)
        return "<no chooser>";
    // X cannot type these characters: the path is set as a paste would set it.
    SendMessageA(ChildOfClass(chooser, "Edit"), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(folder.c_str()));
    if (!PressAway(chooser, "%o"))
        return "<chooser stays>";
    SaveScreenshot("destination");
    if (!ToProgressPage(setup, destination))
        return "<no progress page>";
    const std::string text = DismissClosingMessage(setup);
    return setup.WaitForExit() == 0u ? text : std::string();
}

// The install into folder completes, and nothing is made outside the folder (and the folders
// it needs), the system folder's extension, the backups and the Start-menu group.
void ExpectCompleteInstallInto(const std::string& folder) {
    const std::set<std::string> before = DriveC();
    EXPECT_EQ(InstallInto(folder), "Palvorne Lumivary Installation Completed");
    ExpectEveryFileOfTheInstall(folder);
    StopRunner();
    const std::string windows = Upper(WindowsFolder());
    const std::string group = Upper(ProgramsFolder() + "\\Palvorne");
    const std::set<std::string> expected = {windows + "\\SYSTEM\\PLVCPL.CPL",
                                            windows + "\\LOGOS.OLD", windows + "\\LOGOW.OLD"};
    for (const std::string& path : DriveC()) {
        if (before.count(path) || expected.count(path) || path == group ||
            path.starts_with(group + "\\"))
            continue;
        const std::string inside = Upper(folder);
        EXPECT_TRUE(inside == path || inside.starts_with(path + "\\") ||
                    path.starts_with(inside + "\\"))
            << "made outside the destination: " << path;
    }
}

class DoubleByteCodePage : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Character.empty()) << "needs a prefix made and run with LANG=ja_JP.UTF-8 "
                                           "or another double-byte code page's locale";
    }
    const std::string Character = FolderCharacter();
};

TEST_F(DoubleByteCodePage, InstallsIntoAFolderWhoseLastCharacterEndsInABackslashByte) {
    ExpectCompleteInstallInto("C:\\Apps\\" + Character);
}

TEST_F(DoubleByteCodePage, InstallsBelowAFolderWhoseLastCharacterEndsInABackslashByte) {
    ExpectCompleteInstallInto("C:\\" + Character + "\\Palvorne Lumivary");
}

// The closing message names the folder, and the system's reason in its own words: both in
// the code page's characters, drawn with its character set (the screenshot shows them).
TEST_F(DoubleByteCodePage, TheClosingMessageNamesTheFolderAndTheSystemsReason) {
    const std::string folder = "C:\\" + Character + "\\Palvorne Lumivary";
    const std::string held = folder + "\\Mpegdll.dll";
    CreateDirectoryA(("C:\\" + Character).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(held, "in use");
    setup::TFileHandle lock(
        CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    const std::string message = InstallInto(folder);
    lock.Reset();
    setup::Win32ErrorTexts texts;
    const std::string line = "Palvorne Lumivary Installation did not complete.\nFolder: " + folder +
                             "\nMpegdll.dll: Cannot create file: ";
    // Windows calls it a sharing violation, Wine an access denied.
    EXPECT_TRUE(message == line + setup::ReasonText(texts, ERROR_SHARING_VIOLATION) + "." ||
                message == line + setup::ReasonText(texts, ERROR_ACCESS_DENIED) + ".")
        << message;
    ExpectFileIsBlock(folder + "\\PalvorneLV.exe", "PLV");
    StopRunner();
}

} // namespace
