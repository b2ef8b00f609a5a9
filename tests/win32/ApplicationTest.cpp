#include "app/Application.h"
#include "base/Exceptions.h"
#include "base/Title.h"
#include "ui/win32/Form.h"

#include <gtest/gtest.h>

#include <functional>

using namespace setup;

namespace {

std::string Title(const char* path) {
    char title[MAX_PATH];
    TitleFromExeName(path, title, IsDBCSLeadByte, CharLowerBuffA);
    return title;
}

TEST(Application, TitleComesFromTheExecutableName) {
    EXPECT_EQ(Title("C:\\DOWNLOADS\\SETUP.EXE"), "Setup");
    EXPECT_EQ(Title("Z:\\build\\Setup.exe"), "Setup");
    EXPECT_EQ(Title("C:\\x\\MY.SETUP.EXE"), "My");
    EXPECT_EQ(Title("C:\\folder.with.dots\\INSTALL"), "Install");
}

TEST(Application, ErrorMessagesEndWithAFullStopUnlessTheyEndAtOrBeforeIt) {
    EXPECT_EQ(WithFullStop("File not found"), "File not found.");
    EXPECT_EQ(WithFullStop("Failed to set data for 'x'"), "Failed to set data for 'x'");
    EXPECT_EQ(WithFullStop("Disk full."), "Disk full.");
    EXPECT_EQ(WithFullStop("I/O error 21"), "I/O error 21.");
    EXPECT_EQ(WithFullStop("path/"), "path/.");
    EXPECT_EQ(WithFullStop(""), "");
}

// A dialog that cannot be made, as on a Windows 95/98 whose window heaps are used up.
INT_PTR WINAPI FailingDialog(HINSTANCE, LPCDLGTEMPLATEA, HWND, DLGPROC, LPARAM) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return -1;
}

TEST(Application, ABoxThatCannotBeMadeRaisesWithTheSystemsReason) {
    TApplication application(&FailingDialog);
    const std::pair<std::function<void()>, std::string> boxes[] = {
        {[&] { application.PlainMessage("Done"); }, application.Title()},
        {[&] { (void)application.AbortConfirmation(); }, "Information"},
    };
    for (const auto& [show, caption] : boxes) {
        try {
            show();
            ADD_FAILURE() << caption << ": no failure";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), "Cannot create window " + caption);
            EXPECT_EQ(error.ErrorCode(), uint32_t(ERROR_NOT_ENOUGH_MEMORY));
        }
    }
}

class TMainPage : public TForm {
public:
    explicit TMainPage(TToolkit& toolkit) : TForm(toolkit) { CreateForm("Main", 100, 50); }
};

std::string ShownText;
std::string BoxCaption;

// Reads the error display's text and dismisses it, as a person would.
VOID CALLBACK DismissTheBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowA("#32770", BoxCaption.c_str());
    if (!box)
        return;
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the message box's text
    ShownText = text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(Application, AFailureThatEndsTheProgramIsShownAndTheLoopEndsWithCode2) {
    TApplication application;
    TMainPage page(application.Toolkit());
    BoxCaption = application.Title();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &DismissTheBox);
    application.EndWithFailure(Exception("Cannot create window Setup", ERROR_NOT_ENOUGH_MEMORY));
    KillTimer(nullptr, timer);
    EXPECT_EQ(ShownText, "Cannot create window Setup.");
    EXPECT_EQ(application.Run(page), 2);
}

} // namespace
