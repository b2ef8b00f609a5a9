// The standard windowed controls the pages use, and the timer.
#pragma once

#include <windows.h>

#include "ui/win32/WinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace setup {

class TButton : public TWinControl {
public:
    // A push button with a mnemonic in its caption; tab order is creation order.
    void Create(HWND parent, int id, const TRect& bounds, const std::string& caption, HFONT font);
    void Click() {
        if (OnClick)
            OnClick();
    }
    bool OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    std::function<void()> OnClick;
};

class TEdit : public TWinControl {
public:
    void Create(HWND parent, int id, const TRect& bounds, const std::string& text, HFONT font);
    std::string Text() const;
    void SetText(const std::string& text);
};

// A list of text lines kept in a hidden list box.
class TListBox : public TWinControl {
public:
    void Create(HWND parent, int id, const std::vector<std::string>& lines);
    std::vector<std::string> Items() const;
};

// A user-interface timer: ticks arrive through the message loop of the creating thread.
class TTimer {
public:
    explicit TTimer(unsigned interval) : Interval(interval) {}
    ~TTimer() { SetEnabled(false); }
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return Id != 0; }
    void SetEnabled(bool enabled);
    std::function<void()> OnTimer;

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    unsigned Interval;
    UINT_PTR Id = 0;
};

} // namespace setup
