// The folder list and the drive box as real windows over a real folder tree, worked with the
// mouse and keyboard messages a person would cause.
#include "widgets/win32/ChooserControls.h"

#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Drives.h"
#include "tests/win32/TempFolder.h"
#include "ui/win32/Form.h"
#include "win32/Callback.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace setup {
namespace {

std::string LastError;

class TTestForm : public TForm {
public:
    explicit TTestForm(TToolkit& toolkit) : TForm(toolkit) {
        CreateForm("Choose Folder", 261, 322);
        Show();
    }
};

// A temporary folder with plain, hidden and system sub-folders and a file.
class FileCtrlWindowsTest : public ::testing::Test {
protected:
    FileCtrlWindowsTest() : Root("filectrl") {
        for (const char* name : {"Gamma", "Alpha", "beta", "Hidden", "Sys", "Gamma\\Inner"})
            MakeFolder(name);
        SetFileAttributesA((Root / "Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((Root / "Sys").c_str(), FILE_ATTRIBUTE_SYSTEM);
        TFileHandle file(CreateFileA((Root / "file.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        CallbackErrorHandler = [](const std::exception& error) { LastError = error.what(); };
        LastError.clear();
        list.OnChange = [this] { events.push_back("list " + list.Directory()); };
    }
    ~FileCtrlWindowsTest() override {
        SetCurrentDirectoryA("C:\\"); // leave nothing of the tree in use
        for (auto name = made.rbegin(); name != made.rend(); ++name) {
            SetFileAttributesA(name->c_str(), FILE_ATTRIBUTE_NORMAL);
            RemoveDirectoryA(name->c_str());
        }
        CallbackErrorHandler = nullptr;
    }

    void MakeFolder(const std::string& name) {
        made.push_back(Root / name);
        CreateDirectoryA(made.back().c_str(), nullptr);
    }

    // The list at the root of the tree.
    HWND OpenList() {
        list.Create(form, 101, {16, 112, 161, 249});
        list.SetDirectory(Root.Folder());
        events.clear();
        return list.Handle();
    }

    static std::vector<std::string> Texts(HWND window, UINT count, UINT length, UINT text) {
        std::vector<std::string> texts;
        const auto n = static_cast<int>(SendMessageA(window, count, 0, 0));
        for (int i = 0; i < n; ++i) {
            std::string item(static_cast<size_t>(SendMessageA(window, length, i, 0)) + 1, '\0');
            item.resize(static_cast<size_t>(
                SendMessageA(window, text, i, reinterpret_cast<LPARAM>(item.data()))));
            texts.push_back(item);
        }
        return texts;
    }
    static std::vector<std::string> Entries(HWND list) {
        return Texts(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    }
    static int IndexOf(HWND list, const std::string& text) {
        const std::vector<std::string> entries = Entries(list);
        const auto at = std::find(entries.begin(), entries.end(), text);
        return at == entries.end() ? -1 : static_cast<int>(at - entries.begin());
    }
    static std::string CurrentDirectory() {
        char path[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, path);
        return path;
    }

    // Down, up, double-click, up at the middle of an entry, as the mouse sends them.
    static void DoubleClick(HWND list, int index) {
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        RECT item{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
    }

    // A key pressed and released on the focused window, through the program's message loop.
    void PressKey(HWND window, WPARAM key, UINT scanCode) {
        SetFocus(window);
        PostMessageA(window, WM_KEYDOWN, key, 1 | (LPARAM(scanCode) << 16));
        PostMessageA(window, WM_KEYUP, key, 1 | (LPARAM(scanCode) << 16) | (3u << 30));
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(form.Handle(), &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }

    TTempFolder Root;
    std::vector<std::string> made;
    TToolkit toolkit;
    TTestForm form{toolkit};
    Win32Drives drives{AnsiLeadBytes()};
    TDirectoryListBoxWindow list{drives};
    std::vector<std::string> events;
};

TEST_F(FileCtrlWindowsTest, ListShowsTheTreeWithoutHiddenSystemOrFiles) {
    ASSERT_TRUE(GetFileAttributesA((Root / "Hidden").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    const HWND window = OpenList();
    const std::vector<std::string> entries = Entries(window);
    ASSERT_GE(entries.size(), 5u);
    EXPECT_EQ(entries.front(), "C:\\");
    const std::string leaf = Root.Folder().substr(Root.Folder().rfind('\\') + 1);
    EXPECT_EQ(std::vector<std::string>(entries.end() - 4, entries.end()),
              (std::vector<std::string>{leaf, "Alpha", "beta", "Gamma"}));
    EXPECT_EQ(SendMessageA(window, LB_GETCURSEL, 0, 0), LRESULT(entries.size() - 4));
    EXPECT_EQ(SendMessageA(window, LB_GETITEMHEIGHT, 0, 0), 16);
    EXPECT_EQ(CurrentDirectory(), list.Directory());
    EXPECT_EQ(list.GetItemPath(static_cast<int>(entries.size()) - 3), Root / "Alpha");
}

TEST_F(FileCtrlWindowsTest, DoubleClickOpensTheEntryUnderTheMouse) {
    const HWND window = OpenList();
    DoubleClick(window, IndexOf(window, "Gamma"));
    EXPECT_EQ(list.Directory(), Root / "Gamma");
    EXPECT_EQ(Entries(window).back(), "Inner");
    EXPECT_EQ(CurrentDirectory(), Root / "Gamma");

    DoubleClick(window, IndexOf(window, "Gamma")); // the current folder itself
    EXPECT_EQ(events.size(), 1u);

    const std::string leaf = Root.Folder().substr(Root.Folder().rfind('\\') + 1);
    DoubleClick(window, IndexOf(window, leaf)); // an ancestor
    EXPECT_EQ(list.Directory(), Root.Folder());

    DoubleClick(window, 0);
    EXPECT_EQ(list.Directory(), "C:\\");
    EXPECT_EQ(CurrentDirectory(), "C:\\");
    EXPECT_EQ(events.size(), 3u);
    EXPECT_TRUE(LastError.empty()) << LastError;
}

TEST_F(FileCtrlWindowsTest, EnterOpensTheSelectedEntryAndArrowsOnlySelect) {
    const HWND window = OpenList();
    const int alpha = IndexOf(window, "Alpha");
    PressKey(window, VK_DOWN, 0x50);
    EXPECT_EQ(SendMessageA(window, LB_GETCURSEL, 0, 0), alpha);
    EXPECT_EQ(list.Directory(), Root.Folder());
    EXPECT_TRUE(events.empty());

    PressKey(window, VK_RETURN, 0x1C);
    EXPECT_EQ(list.Directory(), Root / "Alpha");
    EXPECT_EQ(events, std::vector<std::string>{"list " + (Root / "Alpha")});
}

TEST_F(FileCtrlWindowsTest, FailedDoubleClickGoesToTheErrorDisplay) {
    const HWND window = OpenList();
    const std::vector<std::string> before = Entries(window);
    RemoveDirectoryA((Root / "beta").c_str()); // gone since it was listed
    DoubleClick(window, IndexOf(window, "beta"));
    EXPECT_EQ(LastError, "File not found");
    EXPECT_EQ(list.Directory(), Root.Folder());
    EXPECT_EQ(CurrentDirectory(), Root.Folder());
    EXPECT_EQ(Entries(window), before);
    EXPECT_TRUE(events.empty());
}

TEST_F(FileCtrlWindowsTest, DriveBoxListsTheDrivesAndMovesTheList) {
    OpenList();
    TDriveComboBoxWindow combo{drives};
    combo.SetTextCase(tcUpperCase);
    combo.SetDirList(&list);
    combo.OnChange = [&] { events.push_back(std::string("box ") + combo.Drive()); };
    combo.Create(form, 102, {16, 280, 161, 299});
    const HWND box = combo.Handle();
    const std::vector<std::string> drives = Texts(box, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    ASSERT_GE(drives.size(), 2u) << "the test needs a second drive";
    EXPECT_EQ(drives[SendMessageA(box, CB_GETCURSEL, 0, 0)].substr(0, 4), "C: [");
    EXPECT_EQ(combo.Drive(), 'C');
    EXPECT_EQ(events, std::vector<std::string>{"box C"});
    RECT closed;
    GetWindowRect(box, &closed);
    EXPECT_EQ(closed.bottom - closed.top, 19);

    events.clear();
    const auto next = static_cast<size_t>(SendMessageA(box, CB_GETCURSEL, 0, 0)) + 1;
    ASSERT_LT(next, drives.size());
    const char letter = drives[next][0];
    PressKey(box, VK_DOWN, 0x50);
    ASSERT_TRUE(LastError.empty()) << LastError;
    EXPECT_EQ(combo.Drive(), letter);
    EXPECT_EQ(list.Directory()[0], letter);
    EXPECT_EQ(CurrentDirectory(), list.Directory());
    const std::string box_event = std::string("box ") + letter;
    EXPECT_EQ(events, (std::vector<std::string>{"list " + list.Directory(), box_event, box_event}));
}

TEST(Win32DrivesTest, VolumesFoldersAndCase) {
    Win32Drives drives{AnsiLeadBytes()};
    EXPECT_EQ(drives.DriveType("C:\\"), TDriveType::Fixed);
    const TResult<uint32_t> present = drives.LogicalDrives();
    ASSERT_TRUE(present);
    EXPECT_TRUE(*present & (1u << 2)) << "C:";
    SetErrorMode(0);
    EXPECT_TRUE(drives.VolumeLabel("C:\\"));
    EXPECT_EQ(SetErrorMode(0), 0u) << "prompts are suppressed only for the label query";
    const TResult<TVolumeFlags> flags = drives.VolumeFlags("C:\\");
    ASSERT_TRUE(flags);
    EXPECT_TRUE(flags->KeepsCase);
    const TResult<std::optional<std::string>> remote = drives.RemoteName("C:");
    ASSERT_TRUE(remote) << remote.Status().ErrorCode();
    EXPECT_FALSE(remote->has_value()) << "a drive of the machine's own";

    // A letter no drive has: nothing to read, and the system's reason for it.
    char letter = 'Z';
    while (*present & (1u << (letter - 'A')))
        --letter;
    const std::string missing{letter, ':', '\\'};
    const TResult<std::string> label = drives.VolumeLabel(missing);
    EXPECT_FALSE(label);
    EXPECT_NE(label.Status().ErrorCode(), 0u);
    EXPECT_FALSE(drives.VolumeFlags(missing));

    TTempFolder root("drives");
    CreateDirectoryA((root / "Shown").c_str(), nullptr);
    CreateDirectoryA((root / "Hidden").c_str(), nullptr);
    SetFileAttributesA((root / "Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    const TResult<std::vector<TFoundEntry>> found = drives.FindEntries(root / "*.*");
    ASSERT_TRUE(found);
    std::vector<std::string> names;
    for (const TFoundEntry& entry : *found)
        names.push_back(entry.Name + (entry.Directory ? "\\" : ""));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"..\\", ".\\", "Shown\\"}));
    const TResult<std::vector<TFoundEntry>> none = drives.FindEntries(root / "Shown\\*.txt");
    ASSERT_TRUE(none) << "nothing matching is an answer";
    EXPECT_TRUE(none->empty());
    EXPECT_EQ(drives.FindEntries(root / "Missing\\*.*").Status().ErrorCode(),
              unsigned(ERROR_PATH_NOT_FOUND));
    const TStatus entered = drives.ChangeDirectory(root / "Missing");
    EXPECT_FALSE(entered);
    EXPECT_EQ(entered.ErrorCode(), unsigned(ERROR_FILE_NOT_FOUND));
    RemoveDirectoryA((root / "Hidden").c_str());
    RemoveDirectoryA((root / "Shown").c_str());

    EXPECT_LT(drives.CompareText("apple", "Banana"), 0);
    EXPECT_EQ(drives.CompareText("Apple", "aPPLE"), 0);
    EXPECT_NE(drives.CompareStr("Apple", "aPPLE"), 0);
    EXPECT_EQ(drives.UpperFileName("Win98"), "WIN98");
}

} // namespace
} // namespace setup
