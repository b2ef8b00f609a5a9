#include "platform/win32/Win32ShellLinks.h"
#include "base/Exceptions.h"
#include "install/PalvorneComp.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32ErrorTexts.h"
#include "tests/win32/TempFolder.h"
#include "win32/ComPtr.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace setup {
namespace {

// COM for the calling thread, as Setup.exe starts it before its first page.
class TComLibrary {
public:
    TComLibrary() : Result(CoInitialize(nullptr)) {}
    ~TComLibrary() {
        if (SUCCEEDED(Result))
            CoUninitialize();
    }
    TComLibrary(const TComLibrary&) = delete;
    TComLibrary& operator=(const TComLibrary&) = delete;
    HRESULT Result;
};

// Reads a saved link back through the platform's own shell-link object.
TShortcut LoadLink(const std::string& file) {
    TComPtr<IShellLinkA> link;
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkA, link.Receive()));
    TComPtr<IPersistFile> persist;
    EXPECT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, persist.Receive()));
    std::wstring wide(file.begin(), file.end());
    EXPECT_HRESULT_SUCCEEDED(persist->Load(wide.c_str(), STGM_READ));
    char text[MAX_PATH * 2] = {};
    TShortcut result;
    link->GetArguments(text, sizeof text);
    result.Arguments = text;
    link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    result.Path = text;
    link->GetWorkingDirectory(text, sizeof text);
    result.WorkingDirectory = text;
    return result;
}

class Win32ShellLinksTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(Com.Result); }

    // A target that exists, as after the payload was written.
    std::string Target(const std::string& name) {
        const std::string path = Temp / name;
        CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        return path;
    }

    TComLibrary Com;
    TTempFolder Temp{"engine-links-"};
    Win32ShellLinks Links;
    Win32ErrorTexts Texts;
};

TEST_F(Win32ShellLinksTest, SavedLinkReadsBackWithItsThreeFields) {
    const std::string target = Target("PalvorneLV.exe");
    ASSERT_TRUE(CreateShortcut(Links, Texts, Temp.Folder() + "\\", "PalvorneLV.lnk", target,
                               AnsiLeadBytes()));
    const TShortcut link = LoadLink(Temp / "PalvorneLV.lnk");
    EXPECT_EQ(link.Path, target);
    EXPECT_EQ(link.Arguments, target);
    EXPECT_EQ(link.WorkingDirectory, Temp.Folder() + "\\");
}

TEST_F(Win32ShellLinksTest, SavingAgainOverwritesTheLink) {
    ASSERT_TRUE(CreateShortcut(Links, Texts, Temp.Folder() + "\\", "Uninstall.lnk",
                               Target("PalvorneLV.exe"), AnsiLeadBytes()));
    const std::string second = Target("Uninstall.exe");
    ASSERT_TRUE(CreateShortcut(Links, Texts, Temp.Folder() + "\\", "Uninstall.lnk", second,
                               AnsiLeadBytes()));
    EXPECT_EQ(LoadLink(Temp / "Uninstall.lnk").Path, second);
}

// A save the system refuses is told with its reason: into a missing folder, or over a folder
// of the link's name.
TEST_F(Win32ShellLinksTest, RefusedSavesFailWithTheSystemsReason) {
    CreateDirectoryA((Temp / "PalvorneLV.lnk").c_str(), nullptr);
    for (const std::string& file : {Temp / "missing\\x.lnk", Temp / "PalvorneLV.lnk"}) {
        const TLinkSaved saved = Links.Save({"x", Target("x.exe"), ""}, file);
        EXPECT_EQ(saved.Failure(), TLinkFailure::NotSaved) << file;
        EXPECT_FALSE(saved.Status()) << file;
        EXPECT_NE(saved.Status().ErrorCode(), 0u) << file;
        const DWORD attributes = GetFileAttributesA(file.c_str());
        EXPECT_TRUE(attributes == INVALID_FILE_ATTRIBUTES ||
                    (attributes & FILE_ATTRIBUTE_DIRECTORY))
            << file << ": no link file may stand there";
    }
}

TEST(Win32ShellLinksNoComTest, CreationWithoutComRaisesTheSystemsText) {
    Win32ShellLinks links;
    Win32ErrorTexts texts;
    const TLinkSaved saved = links.Save({"a", "C:\\a.exe", "C:\\"}, "C:\\a.lnk");
    EXPECT_EQ(saved.Failure(), TLinkFailure::NoLinkObject);
    EXPECT_EQ(saved.Status().ErrorCode(), static_cast<uint32_t>(CO_E_NOTINITIALIZED));
    try {
        (void)CreateShortcut(links, texts, "C:\\", "a.lnk", "C:\\a.exe", AnsiLeadBytes());
        FAIL() << "saved without COM";
    } catch (const EOleSysError& error) {
        EXPECT_EQ(error.ErrorCode(), static_cast<uint32_t>(CO_E_NOTINITIALIZED));
        EXPECT_FALSE(error.Message().empty());
        EXPECT_NE(error.Message().back(), '\n');
    }
}

} // namespace
} // namespace setup
