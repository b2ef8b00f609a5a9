#include "app/Application.h"

#include "app/ProgramTitle.h"
#include "ui/win32/Form.h"
#include "ui/win32/MessageDialog.h"
#include "win32/Callback.h"

#include <windows.h>

namespace setup {

std::string WithFullStop(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

std::string ProgramTitle() {
    char title[MAX_PATH];
    WriteProgramTitle(title);
    return title;
}

void ShowErrorBox(HWND owner, const std::string& title, const std::exception& error) {
    MessageBoxA(owner, WithFullStop(error.what()).c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
}

TApplication::TApplication(TToolkit::TDialogRunner runDialog)
    : FToolkit(runDialog), TitleText(ProgramTitle()) {
    CallbackErrorHandler = [this](const std::exception& error) { ShowException(error); };
}

TApplication::~TApplication() {
    CallbackErrorHandler = nullptr;
}

int TApplication::Run(TForm& mainForm) {
    mainForm.ShowMaximized();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab, Enter, Escape and mnemonics work on every page as in a dialog.
        HWND active = GetActiveWindow();
        if (FToolkit.FormOf(active) && IsDialogMessageA(active, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::EndWithFailure(const std::exception& error) {
    ShowException(error);
    PostQuitMessage(2);
}

namespace {
HWND DialogOwner() {
    return GetActiveWindow();
}
} // namespace

bool TApplication::AbortConfirmation() {
    TMessageDialog dialog;
    dialog.Caption = "Information";
    dialog.Text = "You have chosen to abort the installation process. Are you sure?";
    dialog.Icon = MAKEINTRESOURCEA(32516); // IDI_INFORMATION
    dialog.Buttons = {{"&Yes", IDYES}, {"&No", IDNO}};
    dialog.DefaultResult = IDYES;
    dialog.CancelResult = IDNO;
    return ShowMessageDialog(FToolkit, DialogOwner(), dialog) == IDYES;
}

void TApplication::PlainMessage(const std::string& text) {
    TMessageDialog dialog;
    dialog.Caption = TitleText;
    dialog.Text = text;
    dialog.Buttons = {{"OK", IDOK}};
    dialog.DefaultResult = IDOK;
    dialog.CancelResult = IDOK;
    ShowMessageDialog(FToolkit, DialogOwner(), dialog);
}

void TApplication::ShowException(const std::exception& error) {
    ShowErrorBox(DialogOwner(), TitleText, error);
}

} // namespace setup
