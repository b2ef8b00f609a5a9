#include "ui/win32/MessageDialog.h"

#include "base/Exceptions.h"
#include "ui/win32/GdiCanvas.h"
#include "ui/win32/Scale.h"
#include "win32/Callback.h"
#include "win32/Handles.h"

#include <algorithm>

namespace setup {
namespace {

// In layout units; the icon is the system's own size.
constexpr int Margin = 12;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int ButtonGap = 8;
constexpr int MaxTextWidth = 600;

// What the dialog procedure is given: the dialog and the font its controls show.
struct TDialogRun {
    const TMessageDialog& Dialog;
    HFONT Font;
};

// An empty template: the controls are made in WM_INITDIALOG, where the text can be measured.
std::vector<WORD> MakeTemplate(const std::string& caption) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    header->cdit = 0;
    words.push_back(0); // no menu
    words.push_back(0); // standard dialog class
    auto append = [&words](const std::string& text) {
        for (char c : text)
            words.push_back(static_cast<unsigned char>(c));
        words.push_back(0);
    };
    append(caption);
    return words;
}

HWND AddControl(HWND dialog, HFONT font, const char* className, const char* text, DWORD style,
                int id, const RECT& r) {
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// The margins and buttons grow with the screen's pixels per inch, as the dialog's font does.
void Layout(HWND window, const TDialogRun& run) {
    const TMessageDialog& dialog = run.Dialog;
    const TScale scale = TScale::OfScreen();
    const int margin = scale.ToPixels(Margin);
    const int buttonWidth = scale.ToPixels(ButtonWidth);
    const int buttonHeight = scale.ToPixels(ButtonHeight);
    const int buttonGap = scale.ToPixels(ButtonGap);
    const int iconSize = GetSystemMetrics(SM_CYICON);
    // As wide as a 640 x 480 screen allows, so that a long message takes few lines.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    RECT text{0, 0, std::min(scale.ToPixels(MaxTextWidth), screenWidth - 2 * margin - 40), 0};
    {
        const TWindowDC dc = WindowDC(window);
        const auto font = Select(dc.Get(), run.Font);
        DrawTextA(dc.Get(), dialog.Text.c_str(), -1, &text,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    }
    const int textLeft = margin + (dialog.Icon ? iconSize + margin : 0);
    const int textHeight = std::max<int>(text.bottom, dialog.Icon ? iconSize : 0);
    const int buttonsWidth = int(dialog.Buttons.size()) * (buttonWidth + buttonGap) - buttonGap;
    const int width = std::max<int>(textLeft + text.right + margin, buttonsWidth + 2 * margin);
    const int buttonsTop = margin + textHeight + margin + scale.ToPixels(4);
    const int height = buttonsTop + buttonHeight + margin;

    if (dialog.Icon) {
        HWND icon = AddControl(window, run.Font, "STATIC", "", SS_ICON, -1,
                               {margin, margin, margin + iconSize, margin + iconSize});
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, dialog.Icon)),
                     0);
    }
    const int textTop = margin + (textHeight - text.bottom) / 2;
    AddControl(window, run.Font, "STATIC", dialog.Text.c_str(), SS_LEFT | SS_NOPREFIX, -1,
               {textLeft, textTop, textLeft + text.right, textTop + text.bottom});
    int left = (width - buttonsWidth) / 2;
    for (const TDialogButton& button : dialog.Buttons) {
        const bool isDefault = button.Result == dialog.DefaultResult;
        HWND control =
            AddControl(window, run.Font, "BUTTON", button.Caption,
                       WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), button.Result,
                       {left, buttonsTop, left + buttonWidth, buttonsTop + buttonHeight});
        if (isDefault)
            SetFocus(control);
        left += buttonWidth + buttonGap;
    }
    SendMessageA(window, DM_SETDEFID, static_cast<WPARAM>(dialog.DefaultResult), 0);

    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    // Centred, but never with its title above or left of the screen.
    SetWindowPos(window, HWND_TOP, std::max(0, (screenWidth - frameWidth) / 2),
                 std::max(0, (GetSystemMetrics(SM_CYSCREEN) - frameHeight) / 2), frameWidth,
                 frameHeight, 0);
}

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR handled = FALSE;
    GuardCallback([&] {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(window, DWLP_USER, lParam);
            Layout(window, *reinterpret_cast<const TDialogRun*>(lParam));
            return; // FALSE: the focus is already on the default button
        }
        if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
            return;
        const TMessageDialog* dialog =
            &reinterpret_cast<const TDialogRun*>(GetWindowLongPtrA(window, DWLP_USER))->Dialog;
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {
            EndDialog(window, dialog->CancelResult);
            handled = TRUE;
            return;
        }
        for (const TDialogButton& button : dialog->Buttons)
            if (button.Result == id) {
                EndDialog(window, id);
                handled = TRUE;
                return;
            }
    });
    return handled;
}

} // namespace

int ShowMessageDialog(TToolkit& toolkit, HWND owner, const TMessageDialog& dialog) {
    const std::vector<WORD> words = MakeTemplate(dialog.Caption);
    // A font of its own: a template's font asks for no character set, and the folder or the
    // system's reason in the text could come out in a face without their characters. It grows
    // with the screen's pixels per inch, as the pages' fonts do.
    const TFontHandle font = CreateFontFrom(TScale::OfScreen().ToPixels(TFontDesc{}));
    const TDialogRun run{dialog, font.Get()};
    const INT_PTR result = toolkit.RunDialog(GetModuleHandleA(nullptr),
                                             reinterpret_cast<const DLGTEMPLATE*>(words.data()),
                                             owner, &DialogProc, reinterpret_cast<LPARAM>(&run));
    // -1 when the dialog cannot be made (0 for an owner that is gone); every button answers more.
    if (result <= 0)
        throw Exception(Format("Cannot create window %s", dialog.Caption.c_str()), GetLastError());
    return static_cast<int>(result);
}

} // namespace setup
