#include "ui/win32/StdControls.h"

namespace setup {

void TButton::Create(TForm& parent, int id, const TRect& bounds, const char* caption, HFONT font) {
    CreateChild("BUTTON", caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, parent, bounds, id);
    SendMessageA(Window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

bool TButton::OnParentMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return false;
    Click();
    result = 0;
    return true;
}

void TEdit::Create(TForm& parent, int id, const TRect& bounds, const char* text, HFONT font) {
    CreateChild("EDIT", text, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent,
                bounds, id);
    SendMessageA(Window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

std::string TEdit::Text() const {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(Window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(Window, text.data(), int(text.size()))));
    return text;
}

void TEdit::SetText(const std::string& text) {
    SetWindowTextA(Window, text.c_str());
}

void TListBox::Create(TForm& parent, int id, const std::vector<std::string>& lines) {
    CreateChild("LISTBOX", "", LBS_NOINTEGRALHEIGHT, 0, parent, {0, 0, 0, 0}, id);
    for (const std::string& line : lines)
        SendMessageA(Window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

std::vector<std::string> TListBox::Items() const {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(Window, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string line(static_cast<size_t>(SendMessageA(Window, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        line.resize(static_cast<size_t>(
            SendMessageA(Window, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
        items.push_back(line);
    }
    return items;
}

TTimer::TTimer(TForm& owner, unsigned interval) : Owner(&owner), Interval(interval) {
    owner.Timers.push_back(this);
}

TTimer::~TTimer() {
    SetEnabled(false);
    if (Owner)
        std::erase(Owner->Timers, this);
}

// The timer's id is its address: the form hands a tick only to a timer it holds.
void TTimer::SetEnabled(bool enabled) {
    if (enabled == Running || !Owner || !Owner->HasWindow())
        return;
    const auto id = reinterpret_cast<UINT_PTR>(this);
    if (enabled)
        Running = SetTimer(Owner->Handle(), id, Interval, nullptr) != 0;
    else {
        KillTimer(Owner->Handle(), id);
        Running = false;
    }
}

} // namespace setup
