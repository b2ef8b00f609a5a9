#include "ui/win32/StdControls.h"

#include "platform/win32/Callback.h"

#include <map>

namespace setup {

void TButton::Create(HWND parent, int id, const TRect& bounds, const std::string& caption,
                     HFONT font) {
    CreateChild("BUTTON", caption.c_str(), WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, parent,
                bounds, id);
    SendMessageA(Window.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

bool TButton::OnParentMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return false;
    Click();
    result = 0;
    return true;
}

void TEdit::Create(HWND parent, int id, const TRect& bounds, const std::string& text, HFONT font) {
    CreateChild("EDIT", text.c_str(), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                parent, bounds, id);
    SendMessageA(Window.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

std::string TEdit::Text() const {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(Window.Get())) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(Window.Get(), text.data(), int(text.size()))));
    return text;
}

void TEdit::SetText(const std::string& text) {
    SetWindowTextA(Window.Get(), text.c_str());
}

void TListBox::Create(HWND parent, int id, const std::vector<std::string>& lines) {
    CreateChild("LISTBOX", "", LBS_NOINTEGRALHEIGHT, 0, parent, {0, 0, 0, 0}, id);
    for (const std::string& line : lines)
        SendMessageA(Window.Get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

std::vector<std::string> TListBox::Items() const {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(Window.Get(), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string line(static_cast<size_t>(SendMessageA(Window.Get(), LB_GETTEXTLEN, i, 0)) + 1,
                         '\0');
        line.resize(static_cast<size_t>(
            SendMessageA(Window.Get(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
        items.push_back(line);
    }
    return items;
}

namespace {
// By id: a thread timer's procedure is told nothing but its id.
std::map<UINT_PTR, TTimer*>& RunningTimers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
} // namespace

void TTimer::SetEnabled(bool enabled) {
    if (enabled == Enabled())
        return;
    if (enabled) {
        Id = SetTimer(nullptr, 0, Interval, &TTimer::TimerProc);
        if (Id)
            RunningTimers()[Id] = this;
    } else {
        KillTimer(nullptr, Id);
        RunningTimers().erase(Id);
        Id = 0;
    }
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    GuardCallback([id] {
        auto found = RunningTimers().find(id);
        if (found != RunningTimers().end() && found->second->OnTimer)
            found->second->OnTimer();
    });
}

} // namespace setup
