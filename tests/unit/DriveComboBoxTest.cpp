#include "widgets/DriveComboBox.h"

#include "base/Exceptions.h"
#include "platform/fake/FakeDrives.h"
#include "tests/unit/FileCtrlFakes.h"
#include "ui/fake/RecordingCanvas.h"
#include "widgets/DirectoryListBox.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace setup {
namespace {

using Texts = std::vector<std::string>;

TDriveIcons DriveIcons() {
    return {std::make_unique<FakeBitmap>(16, 11), std::make_unique<FakeBitmap>(16, 11),
            std::make_unique<FakeBitmap>(16, 11), std::make_unique<FakeBitmap>(16, 11),
            std::make_unique<FakeBitmap>(16, 11)};
}

class DriveComboBoxTest : public ::testing::Test {
protected:
    DriveComboBoxTest() {
        drives.AddVolume("A:", TDriveType::Removable).Label = "FLOPPYLABEL";
        drives.AddVolume("C:").Label = "Win98";
        drives.AddFolder("C:\\Program Files");
        drives.AddVolume("D:", TDriveType::CDRom).Ready = false;
        drives.AddVolume("E:").Label = std::nullopt;
        drives.AddFolder("E:\\Stuff");
        drives.AddVolume("M:", TDriveType::RamDisk).Label = "Ram";
        drives.AddVolume("Q:", TDriveType::Unknown);
        drives.AddVolume("R:", TDriveType::NoRootDir);
        drives.AddVolume("X:", TDriveType::Remote).Remote = "\\\\Server\\Share";
        drives.AddVolume("Y:", TDriveType::Remote).Label = "NetLabel";
        FakeDrives::Volume& unasked = drives.AddVolume("Z:", TDriveType::Remote);
        unasked.Remote = "\\\\Gone\\Share";
        unasked.Ready = false; // the connection cannot be asked for, nor the volume read
        EXPECT_TRUE(drives.ChangeDirectory("E:\\Stuff"));
        EXPECT_TRUE(drives.ChangeDirectory("C:\\Program Files"));
    }

    // The chooser's pair: the list's window made first, then the linked box's.
    void Open(TTextCase textCase = tcUpperCase) {
        list = std::make_unique<TDirectoryListBox>(drives, listView);
        combo = std::make_unique<TDriveComboBox>(drives, comboView, DriveIcons());
        combo->SetTextCase(textCase);
        combo->SetDirList(list.get());
        list->OnChange = [this] { events.push_back("list " + list->Directory()); };
        combo->OnChange = [this] { events.push_back(std::string("box ") + combo->Drive()); };
        list->CreateWnd();
        combo->CreateWnd();
        events.clear();
        drives.Log.clear();
    }

    void Choose(char letter) {
        const auto& items = combo->Entries();
        const auto entry = std::find_if(items.begin(), items.end(),
                                        [&](const TDriveEntry& e) { return e.Text[0] == letter; });
        ASSERT_NE(entry, items.end());
        comboView.Selected = static_cast<int>(entry - items.begin());
        combo->SelectionChanged();
    }

    FakeDrives drives;
    FakeListView listView;
    FakeListView comboView;
    std::unique_ptr<TDirectoryListBox> list;
    std::unique_ptr<TDriveComboBox> combo;
    std::vector<std::string> events;
};

TEST_F(DriveComboBoxTest, DriveTextsByTypeInBothCases) {
    Open(tcUpperCase);
    EXPECT_EQ(comboView.Items, (Texts{"A:", "C: [WIN98]", "D: []", "E: []", "M: [RAM]",
                                      "X: \\\\SERVER\\SHARE", "Y: [NETLABEL]", "Z: []"}));
    EXPECT_EQ(combo->Entries()[0].Type, TDriveType::Removable);
    EXPECT_EQ(combo->Entries()[5].Type, TDriveType::Remote);

    combo->SetTextCase(tcLowerCase);
    EXPECT_EQ(comboView.Items, (Texts{"a:", "c: [win98]", "d: []", "e: []", "m: [ram]",
                                      "x: \\\\server\\share", "y: [netlabel]", "z: []"}));
    EXPECT_EQ(combo->Drive(), 'c');
    EXPECT_EQ(comboView.Selected, 1);
    // Only the box's own OnChange: the list stays on the same drive.
    EXPECT_EQ(events, Texts{"box c"});
    // Listing never touches the floppy, and only network drives are asked for a remote name.
    EXPECT_EQ(std::count(drives.Log.begin(), drives.Log.end(), "label a:\\"), 0);
    EXPECT_EQ(std::count(drives.Log.begin(), drives.Log.end(), "remote x:"), 1);
    EXPECT_EQ(std::count(drives.Log.begin(), drives.Log.end(), "remote c:"), 0);
}

TEST_F(DriveComboBoxTest, WindowCreationSelectsTheCurrentDrive) {
    Open();
    EXPECT_EQ(combo->Drive(), 'C');
    EXPECT_EQ(comboView.Selected, 1);
    EXPECT_EQ(list->Directory(), "C:\\Program Files");

    // Started on a network path: no drive, nothing selected.
    drives.AddVolume("\\\\server\\share");
    ASSERT_TRUE(drives.ChangeDirectory("\\\\server\\share"));
    FakeListView view;
    TDriveComboBox network(drives, view);
    network.CreateWnd();
    EXPECT_EQ(network.Drive(), '\0');
    EXPECT_EQ(view.Selected, -1);
}

TEST_F(DriveComboBoxTest, ChoosingADriveMovesTheListFirst) {
    Open();
    char driveSeenByList = 0;
    list->OnChange = [&] {
        driveSeenByList = combo->Drive();
        events.push_back("list " + list->Directory());
    };
    Choose('E');
    EXPECT_EQ(events, (Texts{"list E:\\Stuff", "box E", "box E"}));
    EXPECT_EQ(driveSeenByList, 'E');
    EXPECT_EQ(drives.CurrentDirectory(), "E:\\Stuff");
}

TEST_F(DriveComboBoxTest, DriveThatIsNotReady) {
    Open();
    const auto entries = list->Entries();
    EXPECT_THROW(Choose('D'), EInOutError);
    EXPECT_EQ(combo->Drive(), 'D');
    EXPECT_EQ(comboView.Selected, 2);
    EXPECT_EQ(list->Directory(), "C:\\Program Files");
    EXPECT_EQ(list->Entries(), entries);
    EXPECT_TRUE(events.empty());

    combo->SetDrive('d');
    EXPECT_TRUE(events.empty()) << "the same drive again does nothing";
    Choose('C');
    EXPECT_EQ(events, (Texts{"box C", "box C"})) << "the list never left C:";
    Choose('E');
    EXPECT_EQ(list->Directory(), "E:\\Stuff");
}

TEST_F(DriveComboBoxTest, WritingAFolderOnAnotherDriveSelectsItsDrive) {
    Open();
    list->SetDirectory("E:\\Stuff");
    EXPECT_EQ(events, (Texts{"box E", "list E:\\Stuff"}));
    EXPECT_EQ(comboView.Selected, 3);

    // A drive letter that differs only in case switches no drive.
    events.clear();
    list->SetDirectory("e:\\");
    EXPECT_EQ(events, (Texts{"list E:\\"}));

    // A failed write leaves the box alone.
    events.clear();
    EXPECT_THROW(list->SetDirectory("D:\\Setup"), EInOutError);
    EXPECT_EQ(combo->Drive(), 'E');
    EXPECT_TRUE(events.empty());
}

TEST_F(DriveComboBoxTest, NetworkFolderClearsTheDrive) {
    drives.AddVolume("\\\\server\\share");
    drives.AddFolder("\\\\server\\share\\docs");
    Open();
    list->SetDirectory("\\\\server\\share\\docs");
    EXPECT_EQ(combo->Drive(), '\0');
    EXPECT_EQ(comboView.Selected, -1);
    EXPECT_EQ(list->Directory(), "\\\\server\\share\\docs");
    EXPECT_EQ(events.back(), "list \\\\server\\share\\docs");
}

TEST_F(DriveComboBoxTest, LinksAreTwoWayAndClearedOnDestruction) {
    Open();
    FakeListView view;
    auto other = std::make_unique<TDriveComboBox>(drives, view);
    other->SetDirList(list.get());
    // A list follows one box: the first box no longer moves it, the new one does, and the
    // list's own moves reach the new box.
    combo->SetDrive('E');
    EXPECT_EQ(list->Directory(), "C:\\Program Files");
    other->SetDrive('E');
    EXPECT_EQ(list->Directory(), "E:\\Stuff");
    list->SetDirectory("C:\\Program Files");
    EXPECT_EQ(other->Drive(), 'c');
    EXPECT_EQ(combo->Drive(), 'E');
    other.reset();
    list->SetDirectory("E:\\Stuff"); // no box left to tell

    combo->SetDirList(list.get());
    list.reset();
    combo->SetDrive('C'); // nothing left to move
    EXPECT_EQ(combo->Drive(), 'C');
}

TEST_F(DriveComboBoxTest, DrawingAnEntry) {
    Open();
    RecordingCanvas canvas;
    combo->DrawItem(canvas, 1, {0, 13, 145, 26}, {false, true});
    EXPECT_EQ(canvas.CallsOf(CanvasOp::FillRect).at(0).BrushColor, clWindow);
    EXPECT_EQ(canvas.CallsOf(CanvasOp::Draw).at(0).Rect, (TRect{2, 14, 18, 25}));
    const CanvasCall text = canvas.CallsOf(CanvasOp::DrawTextIn).at(0);
    EXPECT_EQ(text.Text, "C: [WIN98]");
    EXPECT_EQ(text.Rect, (TRect{22, 13, 145, 26}));
    EXPECT_EQ(text.Format, unsigned(DTF_SINGLELINE | DTF_VCENTER | DTF_NOPREFIX));
    EXPECT_EQ(canvas.CallsOf(CanvasOp::DrawFocusRect).size(), 1u);

    EXPECT_EQ(combo->ItemHeight(13), 13);
    EXPECT_EQ(combo->ItemHeight(8), 11);
}

} // namespace
} // namespace setup
