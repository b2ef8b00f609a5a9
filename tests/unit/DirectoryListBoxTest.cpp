#include "widgets/DirectoryListBox.h"

#include "base/Exceptions.h"
#include "platform/fake/FakeDrives.h"
#include "tests/unit/CodePage932.h"
#include "tests/unit/FileCtrlFakes.h"
#include "ui/fake/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace setup {
namespace {

using K = TFolderKind;
using Entries = std::vector<TFolderEntry>;

TFolderIcons FolderIcons() {
    return {std::make_unique<FakeBitmap>(16, 15), std::make_unique<FakeBitmap>(16, 15),
            std::make_unique<FakeBitmap>(16, 15)};
}

class DirectoryListBoxTest : public ::testing::Test {
protected:
    DirectoryListBoxTest() {
        drives.AddVolume("C:").Label = "SYSTEM";
        drives.AddFolder("C:\\Program Files\\Palvorne");
        drives.AddFolder("C:\\Program Files\\Common Files");
        drives.AddFolder("C:\\Program Files\\accessories");
        drives.AddFolder("C:\\Program Files\\Hidden", true);
        drives.AddFolder("C:\\Program Files\\Sys", false, true);
        drives.AddFile("C:\\Program Files\\readme.txt");
        drives.AddFolder("C:\\A\\B\\C");
        drives.AddFolder("C:\\Windows");
        drives.AddVolume("E:");
        drives.AddFolder("E:\\Stuff\\Inner");
        drives.AddVolume("D:", TDriveType::CDRom).Ready = false;
    }

    // A list started in folder whose window has just been made.
    TDirectoryListBox& Open(const std::string& folder) {
        EXPECT_TRUE(drives.ChangeDirectory(folder));
        list = std::make_unique<TDirectoryListBox>(drives, view, FolderIcons());
        list->OnChange = [this] { ++changes; };
        list->CreateWnd();
        drives.Log.clear();
        return *list;
    }

    // The text positions and texts one paint of every entry produces.
    std::vector<std::pair<int, std::string>> Texts() {
        RecordingCanvas canvas;
        for (size_t i = 0; i < list->Entries().size(); ++i)
            list->DrawItem(canvas, int(i), {0, 16 * int(i), 145, 16 * int(i) + 16}, {});
        std::vector<std::pair<int, std::string>> texts;
        for (const CanvasCall& call : canvas.CallsOf(CanvasOp::TextOutAt))
            texts.emplace_back(call.From.X, call.Text);
        return texts;
    }

    FakeDrives drives;
    FakeListView view;
    std::unique_ptr<TDirectoryListBox> list;
    int changes = 0;
};

TEST_F(DirectoryListBoxTest, FolderShowsRootAncestorsItselfAndSortedVisibleSubFolders) {
    TDirectoryListBox& box = Open("C:\\Program Files");
    EXPECT_EQ(box.Entries(), (Entries{{"C:\\", K::Open},
                                      {"Program Files", K::Current},
                                      {"accessories", K::Closed},
                                      {"Common Files", K::Closed},
                                      {"Palvorne", K::Closed}}));
    EXPECT_EQ(view.Items, (std::vector<std::string>{"C:\\", "Program Files", "accessories",
                                                    "Common Files", "Palvorne"}));
    EXPECT_EQ(view.Selected, 1);
    EXPECT_EQ(Texts(), (std::vector<std::pair<int, std::string>>{{22, "C:\\"},
                                                                 {26, "Program Files"},
                                                                 {30, "accessories"},
                                                                 {30, "Common Files"},
                                                                 {30, "Palvorne"}}));
    EXPECT_EQ(changes, 0) << "window creation raises no OnChange";
}

TEST_F(DirectoryListBoxTest, RootIsTheCurrentEntryAndItsFirstSubFolderIsSelected) {
    TDirectoryListBox& box = Open("C:\\");
    EXPECT_EQ(box.Entries(), (Entries{{"C:\\", K::Current},
                                      {"A", K::Closed},
                                      {"Program Files", K::Closed},
                                      {"Windows", K::Closed}}));
    EXPECT_EQ(view.Selected, 1);
    EXPECT_EQ(Texts().front(), std::make_pair(22, std::string("C:\\")));
    EXPECT_EQ(Texts().back(), std::make_pair(30, std::string("Windows")));

    // A root without sub-folders has nothing selected, and opening "it" is a list error.
    drives.AddVolume("F:");
    TDirectoryListBox& empty = Open("F:\\");
    EXPECT_EQ(view.Selected, -1);
    try {
        empty.DblClick();
        FAIL() << "no list error";
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (-1)");
    }
    EXPECT_EQ(empty.Directory(), "F:\\");
    EXPECT_EQ(changes, 0);
}

TEST_F(DirectoryListBoxTest, NetworkFolderStartsWithItsShare) {
    drives.AddVolume("\\\\server\\share");
    drives.AddFolder("\\\\server\\share\\docs\\b");
    drives.AddFolder("\\\\server\\share\\docs\\a");
    TDirectoryListBox& box = Open("\\\\server\\share\\docs");
    EXPECT_EQ(box.Entries(), (Entries{{"\\\\server\\share\\", K::Open},
                                      {"docs", K::Current},
                                      {"a", K::Closed},
                                      {"b", K::Closed}}));
    EXPECT_EQ(box.GetItemPath(0), "\\\\server\\share\\");
    EXPECT_EQ(box.GetItemPath(1), "\\\\server\\share\\docs");
    EXPECT_EQ(box.GetItemPath(2), "\\\\server\\share\\docs\\a");
    // The leading backslashes count towards the sub-folders' depth.
    EXPECT_EQ(Texts()[2], std::make_pair(42, std::string("a")));
}

TEST_F(DirectoryListBoxTest, DoubleClickAndEnterOpenTheSelectedEntry) {
    TDirectoryListBox& box = Open("C:\\A\\B\\C");
    EXPECT_EQ(box.GetItemPath(1), "C:\\A");
    EXPECT_EQ(box.GetItemPath(4), "") << "past the last entry";
    view.Selected = 3; // the folder itself
    box.DblClick();
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(drives.Log.empty());

    view.Selected = 2;
    box.DblClick();
    EXPECT_EQ(box.Directory(), "C:\\A\\B");
    EXPECT_EQ(view.Selected, 2);

    view.Selected = 3; // the sub-folder C
    box.KeyPress('\r');
    EXPECT_EQ(box.Directory(), "C:\\A\\B\\C");

    view.Selected = 0;
    box.KeyPress('a');
    EXPECT_EQ(box.Directory(), "C:\\A\\B\\C") << "only Enter opens";
    box.KeyPress('\r');
    EXPECT_EQ(box.Directory(), "C:\\");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(drives.CurrentDirectory(), "C:\\");
}

TEST_F(DirectoryListBoxTest, WritingTheFolderShownDoesNothing) {
    TDirectoryListBox& box = Open("C:\\Program Files");
    box.SetDirectory("C:\\Program Files");
    box.SetDirectory("c:\\PROGRAM files");
    box.SetDirectory("");
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(drives.Log.empty()) << "no folder entered, nothing re-read";

    // A trailing backslash never equals the stored folder: one rebuild, one OnChange, one
    // reading of the folder, one repaint.
    box.SetDirectory("C:\\Program Files\\");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.Directory(), "C:\\Program Files");
    EXPECT_EQ(drives.CurrentDirectory(), "C:\\Program Files");
    EXPECT_EQ(std::count(drives.Log.begin(), drives.Log.end(), "find C:\\Program Files\\*.*"), 1);
    EXPECT_EQ(view.Rebuilds, 2);
    EXPECT_EQ(view.AddedWhileShown, 0);
}

TEST_F(DirectoryListBoxTest, CaseSensitiveVolumeTellsNamesApartByCase) {
    drives.VolumeOf("C:").Flags = {true, true};
    drives.AddFolder("C:\\Data\\Beta");
    drives.AddFolder("C:\\Data\\BETA");
    drives.AddFolder("C:\\data");
    TDirectoryListBox& box = Open("C:\\Data");
    EXPECT_EQ(box.Entries().size(), 3u) << "of names equal but for case, the first found stays";
    EXPECT_EQ(box.Entries()[2].Text, "Beta");
    box.SetDirectory("C:\\data");
    EXPECT_EQ(box.Directory(), "C:\\data");
    EXPECT_EQ(changes, 1);
}

TEST_F(DirectoryListBoxTest, FailedWriteChangesNothing) {
    TDirectoryListBox& box = Open("C:\\Program Files");
    const Entries before = box.Entries();
    // Someone else moved the current directory; a failed write puts it back.
    ASSERT_TRUE(drives.ChangeDirectory("C:\\Windows"));
    // Silent: refused without a reason, as Windows 9x may.
    drives.FolderErrors = {{"C:\\LOCKED", 5}, {"C:\\Shared", 32}, {"C:\\Silent", 0}};
    drives.AddFolder("C:\\Locked");
    drives.AddFolder("C:\\Shared");
    drives.AddFolder("C:\\Silent");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\Missing\\", "File not found"},
        {"C:\\A\\Missing", "File not found"},
        {"E:\\Stuff\\Missing", "File not found"},
        {"C:\\No\\Such\\Deeper", "Invalid filename"},
        {"D:\\Setup", "I/O error 21"},
        {"C:\\Locked", "File access denied"},
        {"C:\\Shared", "I/O error 32"},
        {"C:\\Silent", "Invalid filename"}};
    for (const auto& [path, message] : cases) {
        try {
            box.SetDirectory(path);
            ADD_FAILURE() << path << " was entered";
        } catch (const EInOutError& error) {
            EXPECT_EQ(error.Message(), message) << path;
        }
        EXPECT_EQ(box.Directory(), "C:\\Program Files") << path;
        EXPECT_EQ(box.Entries(), before) << path;
        EXPECT_EQ(view.Selected, 1) << path;
        EXPECT_EQ(drives.CurrentDirectory(), "C:\\Windows") << path;
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(DirectoryListBoxTest, RelativeAndDriveRelativeFoldersResolveAgainstTheList) {
    TDirectoryListBox& box = Open("C:\\Program Files");
    box.SetDirectory("Palvorne");
    EXPECT_EQ(box.Directory(), "C:\\Program Files\\Palvorne");
    box.SetDirectory("\\Windows");
    EXPECT_EQ(box.Directory(), "C:\\Windows");
    // A file name stands for the folder it is in; wildcards are dropped.
    box.SetDirectory("C:\\Program Files\\readme.txt");
    EXPECT_EQ(box.Directory(), "C:\\Program Files");
    box.SetDirectory("C:\\A\\*.*");
    EXPECT_EQ(box.Directory(), "C:\\A");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(drives.CurrentDirectory(), "C:\\A");
}

TEST_F(DirectoryListBoxTest, OtherDriveWithoutDriveBox) {
    ASSERT_TRUE(drives.ChangeDirectory("E:\\Stuff"));
    TDirectoryListBox& box = Open("C:\\Windows");
    box.SetDirectory("E:\\Stuff\\Inner");
    EXPECT_EQ(box.Directory(), "E:\\Stuff\\Inner");
    EXPECT_EQ(changes, 1) << "the drive switch inside does not rebuild";
    EXPECT_EQ(view.Rebuilds, 2);

    // A drive change moves to the drive's current folder.
    box.DriveChange('c');
    EXPECT_EQ(box.Directory(), "C:\\Windows");
    EXPECT_EQ(changes, 2);
    box.DriveChange('C');
    EXPECT_EQ(changes, 2) << "same drive in another case";
    EXPECT_THROW(box.DriveChange('D'), EInOutError);
    EXPECT_EQ(box.Directory(), "C:\\Windows");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(drives.CurrentDirectory(), "C:\\Windows");
}

TEST_F(DirectoryListBoxTest, UnreadableVolumeShowsNoSubFoldersInLowerCase) {
    ASSERT_TRUE(drives.ChangeDirectory("E:\\Stuff"));
    drives.VolumeOf("E:").Ready = false;
    FakeListView bare;
    TDirectoryListBox box(drives, bare);
    box.CreateWnd();
    EXPECT_EQ(box.Entries(), (Entries{{"E:\\", K::Open}, {"Stuff", K::Current}}));
    RecordingCanvas canvas;
    box.DrawItem(canvas, 1, {0, 16, 145, 32}, {});
    EXPECT_EQ(canvas.CallsOf(CanvasOp::TextOutAt).at(0).Text, "stuff");
}

TEST_F(DirectoryListBoxTest, DoubleByteNamesAreNeverSplit) {
    const std::string name = Hyo;
    drives.LeadBytes = LeadBytes932;
    drives.AddFolder("C:\\" + name + "\\sub\\x");
    TDirectoryListBox& box = Open("C:\\" + name + "\\sub");
    EXPECT_EQ(box.Entries(),
              (Entries{{"C:\\", K::Open}, {name, K::Open}, {"sub", K::Current}, {"x", K::Closed}}));
    EXPECT_EQ(box.GetItemPath(1), "C:\\" + name);
    EXPECT_EQ(Texts()[3].first, 34);
}

TEST_F(DirectoryListBoxTest, DrawingAnEntry) {
    Open("C:\\Program Files");
    RecordingCanvas canvas;
    list->DrawItem(canvas, 1, {0, 16, 145, 32}, {true, true});
    const CanvasCall fill = canvas.CallsOf(CanvasOp::FillRect).at(0);
    EXPECT_EQ(fill.Rect, (TRect{0, 16, 145, 32}));
    EXPECT_EQ(fill.BrushColor, clHighlight);
    const CanvasCall icon = canvas.CallsOf(CanvasOp::Draw).at(0);
    EXPECT_EQ(icon.Rect, (TRect{6, 16, 22, 31}));
    EXPECT_TRUE(icon.Transparent);
    const CanvasCall text = canvas.CallsOf(CanvasOp::TextOutAt).at(0);
    EXPECT_EQ(text.From, (TPoint{26, 16}));
    EXPECT_EQ(text.TextColor, clHighlightText);
    EXPECT_EQ(canvas.CallsOf(CanvasOp::DrawFocusRect).at(0).Rect, (TRect{0, 16, 145, 32}));
    EXPECT_EQ(list->ItemHeight(13), 16);
    EXPECT_EQ(list->ItemHeight(20), 20);

    // Without icons a 16-pixel gap; on a volume that keeps no case, all in lower case.
    drives.VolumeOf("C:").Flags = {false, false};
    FakeListView bare;
    TDirectoryListBox plain(drives, bare);
    plain.CreateWnd();
    RecordingCanvas second;
    plain.DrawItem(second, 0, {0, 0, 145, 16}, {});
    EXPECT_EQ(second.CallsOf(CanvasOp::FillRect).at(0).BrushColor, clWindow);
    const CanvasCall root = second.CallsOf(CanvasOp::TextOutAt).at(0);
    EXPECT_EQ(root.From.X, 22);
    EXPECT_EQ(root.Text, "c:\\");
    EXPECT_EQ(root.TextColor, clWindowText);
    EXPECT_TRUE(second.CallsOf(CanvasOp::Draw).empty());
    EXPECT_TRUE(second.CallsOf(CanvasOp::DrawFocusRect).empty());
    EXPECT_EQ(plain.Entries()[1].Text, "Program Files") << "stored as reported";
    EXPECT_EQ(plain.ItemHeight(13), 13);
}

} // namespace
} // namespace setup
