// The standard windowed controls the pages use, and the timer.
#pragma once

#include <windows.h>

#include "ui/win32/Form.h"
#include "ui/win32/WinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace setup {

class TButton : public TWinControl {
public:
    // A push button with a mnemonic in its caption; tab order is creation order.
    void Create(TForm& parent, int id, const TRect& bounds, const char* caption, HFONT font);
    void Click() {
        if (OnClick)
            OnClick();
    }
    bool OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    std::function<void()> OnClick;
};

class TEdit : public TWinControl {
public:
    void Create(TForm& parent, int id, const TRect& bounds, const char* text, HFONT font);
    std::string Text() const;
    void SetText(const std::string& text);
};

// A list of text lines kept in a hidden list box.
class TListBox : public TWinControl {
public:
    void Create(TForm& parent, int id, const std::vector<std::string>& lines);
    std::vector<std::string> Items() const;
};

// A user-interface timer of a form: ticks arrive as the form's messages.
class TTimer {
public:
    TTimer(TForm& owner, unsigned interval);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return Running; }
    void SetEnabled(bool enabled);
    std::function<void()> OnTimer;

private:
    friend class TForm;
    // Windows does not take back a tick queued before the timer stopped: such a one does nothing.
    void Tick() {
        if (Running && OnTimer)
            OnTimer();
    }
    TForm* Owner; // cleared when the form goes first
    unsigned Interval;
    bool Running = false;
};

} // namespace setup
