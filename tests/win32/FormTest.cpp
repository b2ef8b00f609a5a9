// A form hands its messages only to what it holds: a window or timer id of anyone else is
// never taken for one of its own, and no message of a window's end reaches an object.
#include "ui/win32/Form.h"
#include "base/Exceptions.h"
#include "ui/win32/StdControls.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

namespace setup {
namespace {

class TProbeForm : public TForm {
public:
    explicit TProbeForm(TToolkit& toolkit) : TForm(toolkit) { CreateForm("Probe", 200, 100); }
};

// Delivers what is queued until done() or the time limit has passed, showing each message to
// seen first.
template <class Done>
void PumpUntil(Done done, DWORD limit = 2000,
               const std::function<void(const MSG&)>& seen = nullptr) {
    const DWORD start = GetTickCount();
    MSG message;
    while (!done() && GetTickCount() - start < limit) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (seen)
                seen(message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    }
}

TEST(Form, ForeignWindowsAndTimerIdsAreNeverTakenForItsOwn) {
    TToolkit toolkit;
    TProbeForm form(toolkit);
    int clicks = 0;
    TButton button;
    button.Create(form, 101, {0, 0, 60, 20}, "&Go", form.FontHandle());
    button.OnClick = [&] { ++clicks; };
    int ticks = 0;
    TTimer timer(form, 60000); // running, but too slow to tick by itself during the test
    timer.OnTimer = [&] { ++ticks; };
    timer.SetEnabled(true);
    // A child of a control class the toolkit did not make, with a stray value where a control
    // would keep its object, and a top-level window that is no form.
    const TWindowHandle foreign(CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 30, 60, 20,
                                                form.Handle(), reinterpret_cast<HMENU>(102),
                                                nullptr, nullptr));
    SetWindowLongPtrA(foreign.Get(), GWLP_USERDATA, 0x1234);
    const TWindowHandle stranger(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                                 nullptr, nullptr, nullptr));
    ASSERT_TRUE(foreign && stranger);

    EXPECT_EQ(toolkit.FormOf(form.Handle()), &form);
    for (HWND other : {stranger.Get(), foreign.Get(), button.Handle(), HWND{}})
        EXPECT_EQ(toolkit.FormOf(other), nullptr);

    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(102, BN_CLICKED),
                 reinterpret_cast<LPARAM>(foreign.Get()));
    SendMessageA(form.Handle(), WM_TIMER, 0x1234, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(ticks, 0);
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button.Handle()));
    EXPECT_EQ(clicks, 1);
}

TEST(Form, ATimerTicksThroughItsFormUntilStoppedAndThenIgnoresAQueuedTick) {
    TToolkit toolkit;
    TProbeForm form(toolkit);
    TTimer timer(form, 10);
    int ticks = 0;
    timer.OnTimer = [&] {
        if (++ticks == 3)
            timer.SetEnabled(false);
    };
    timer.SetEnabled(true);
    ASSERT_TRUE(timer.Enabled());
    WPARAM id = 0;
    PumpUntil([&] { return ticks >= 3; }, 2000,
              [&](const MSG& message) {
                  if (message.message == WM_TIMER && message.hwnd == form.Handle())
                      id = message.wParam;
              });
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer.Enabled());
    // A tick queued before the timer stopped, which Windows does not take back.
    ASSERT_NE(id, 0u);
    PostMessageA(form.Handle(), WM_TIMER, id, 0);
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, 3);
}

// What a dying page's window saw from the moment its destruction began: each message with the
// slot its form's window procedure reads the object from.
struct TDeathLog {
    bool Destroying = false;
    LONG_PTR SlotThen = -1;
    LONG_PTR ListenerObjectThen = -1;
    LONG_PTR ListenerProcedureThen = 0;
    std::vector<std::pair<UINT, LONG_PTR>> Messages;
    int Activations = 0;
    int Clicks = 0;
};

TDeathLog* Watched = nullptr;
HWND WatchedWindow = nullptr;
HWND WatchedListener = nullptr;
WNDPROC FormProcedure = nullptr;
WNDPROC ButtonProcedure = nullptr;

LRESULT CALLBACK WatchDestruction(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == WatchedWindow) {
        Watched->Destroying = true;
        Watched->SlotThen = GetWindowLongPtrA(WatchedWindow, 0);
        Watched->ListenerObjectThen = GetWindowLongPtrA(WatchedListener, GWLP_USERDATA);
        Watched->ListenerProcedureThen = GetWindowLongPtrA(WatchedListener, GWLP_WNDPROC);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WatchMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Watched && Watched->Destroying)
        Watched->Messages.emplace_back(message, GetWindowLongPtrA(window, 0));
    return CallWindowProcA(FormProcedure, window, message, wParam, lParam);
}

// A child the page does not own that tells its parent when it goes.
LRESULT CALLBACK NotifyOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(102, BN_CLICKED),
                     reinterpret_cast<LPARAM>(window));
    return CallWindowProcA(ButtonProcedure, window, message, wParam, lParam);
}

// A control that hears its own window's messages, as the folder list does.
class TListeningControl : public TWinControl {
public:
    void Create(TForm& parent, int id) {
        CreateChild("BUTTON", "", WS_VISIBLE, 0, parent, {0, 70, 60, 90}, id);
        Subclass();
    }
    int Heard = 0;

protected:
    LRESULT OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        ++Heard;
        return ClassMessage(message, wParam, lParam);
    }
};

// No destructor of its own: its members go before its window, in any order.
class TDyingPage : public TForm {
public:
    TDyingPage(TToolkit& toolkit, TDeathLog& log) : TForm(toolkit), Log(log) {
        CreateForm("Dying", 200, 100);
        Button1.Create(*this, 101, {10, 10, 70, 30}, "&Go", FontHandle());
        Button1.OnClick = [this] { ++Log.Clicks; };
        Listener.Create(*this, 103);
    }

    TDeathLog& Log;
    TButton Button1;
    TListeningControl Listener;

protected:
    void FormActivate() override { ++Log.Activations; }
};

TEST(Form, APageWindowOutlivesItsMembersAndItsLastMessagesReachNoObject) {
    TToolkit toolkit;
    TProbeForm other(toolkit);
    other.Show();
    TDeathLog log;
    auto page = std::make_unique<TDyingPage>(toolkit, log);
    page->Show();
    SetFocus(page->Button1.Handle());
    HWND foreign = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 0, 40, 60, 20,
                                   page->Handle(), reinterpret_cast<HMENU>(102), nullptr, nullptr);
    ASSERT_TRUE(foreign);
    ButtonProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(foreign, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NotifyOnDestroy)));
    ASSERT_EQ(GetActiveWindow(), page->Handle());
    const int activations = log.Activations;
    ASSERT_EQ(activations, 1);
    WatchedListener = page->Listener.Handle();
    const LONG_PTR subclassed = GetWindowLongPtrA(WatchedListener, GWLP_WNDPROC);
    SendMessageA(WatchedListener, WM_NULL, 0, 0);
    ASSERT_GT(page->Listener.Heard, 0);

    Watched = &log;
    WatchedWindow = page->Handle();
    FormProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(WatchedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchMessages)));
    HHOOK hook = SetWindowsHookExA(WH_CBT, &WatchDestruction, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    page.reset();
    UnhookWindowsHookEx(hook);
    Watched = nullptr;

    EXPECT_TRUE(log.Destroying);
    EXPECT_EQ(log.SlotThen, 0);
    // The subclassed child had its own procedure back, and no object to find.
    EXPECT_EQ(log.ListenerObjectThen, 0);
    EXPECT_NE(log.ListenerProcedureThen, subclassed);
    // It still got messages while it died, and none of them could find the page.
    std::set<UINT> seen;
    for (const auto& [message, slot] : log.Messages) {
        seen.insert(message);
        EXPECT_EQ(slot, 0) << "message 0x" << std::hex << message;
    }
    for (UINT message : {WM_ACTIVATE, WM_COMMAND, WM_DESTROY})
        EXPECT_TRUE(seen.count(message)) << "no message 0x" << std::hex << message;
    EXPECT_EQ(log.Activations, activations);
    EXPECT_EQ(log.Clicks, 0);
    EXPECT_EQ(toolkit.FormOf(WatchedWindow), nullptr);
}

// A page whose constructor fails once its controls exist, watched from then on.
class TFailingPage : public TForm {
public:
    TFailingPage(TToolkit& toolkit, TDeathLog& log) : TForm(toolkit) {
        CreateForm("Failing", 200, 100);
        Button1.Create(*this, 101, {10, 10, 70, 30}, "&Go", FontHandle());
        Button2.Create(*this, 102, {80, 10, 140, 30}, "&Stop", FontHandle());
        Watched = &log;
        log.Destroying = true;
        FormProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchMessages)));
        throw Exception("no more windows");
    }

    TButton Button1;
    TButton Button2;
};

TEST(Form, APageWhoseConstructorFailsEndsItsWindowUnheard) {
    TToolkit toolkit;
    TDeathLog log;
    EXPECT_THROW(TFailingPage(toolkit, log), Exception);
    Watched = nullptr;
    // Its window and its controls' went while the page was half gone: it heard of it, but its
    // object was not found.
    ASSERT_FALSE(log.Messages.empty());
    std::set<UINT> seen;
    for (const auto& [message, slot] : log.Messages) {
        seen.insert(message);
        EXPECT_EQ(slot, 0) << "message 0x" << std::hex << message;
    }
    EXPECT_TRUE(seen.count(WM_NCDESTROY)) << "the window outlived the page";
}

class TCountingForm : public TProbeForm {
public:
    using TProbeForm::TProbeForm;
    int Activations = 0;

protected:
    void FormActivate() override { ++Activations; }
};

// At the end the active page goes first: the form the system activates then runs no handler.
TEST(Form, AtTheEndEveryWindowGoesAndNoHandlerRuns) {
    TToolkit toolkit;
    TCountingForm page(toolkit); // goes first
    TCountingForm backdrop(toolkit);
    backdrop.Show();
    page.Show();
    ASSERT_EQ(GetActiveWindow(), page.Handle());
    const HWND windows[] = {page.Handle(), backdrop.Handle()};
    TDeathLog log;
    log.Destroying = true;
    Watched = &log;
    FormProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        backdrop.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchMessages)));
    const int activations = backdrop.Activations;
    toolkit.EndWindows();
    Watched = nullptr;

    std::set<UINT> seen;
    for (const auto& [message, slot] : log.Messages) {
        seen.insert(message);
        EXPECT_EQ(slot, 0) << "message 0x" << std::hex << message;
    }
    EXPECT_TRUE(seen.count(WM_ACTIVATE)) << "the system activated no other window";
    EXPECT_EQ(backdrop.Activations, activations);
    for (HWND window : windows)
        EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(page.HasWindow() || backdrop.HasWindow());
}

// Someone else destroys a form's window: the form, its controls and timers let go of it.
TEST(Form, AWindowDestroyedBehindItsFormIsLetGo) {
    TToolkit toolkit;
    TProbeForm form(toolkit);
    TButton button;
    button.Create(form, 101, {0, 0, 60, 20}, "&Go", form.FontHandle());
    TListeningControl listener;
    listener.Create(form, 102);
    TTimer timer(form, 60000);
    timer.SetEnabled(true);
    const HWND window = form.Handle();

    ASSERT_TRUE(DestroyWindow(window));

    EXPECT_FALSE(form.HasWindow());
    EXPECT_EQ(toolkit.FormOf(window), nullptr);
    EXPECT_EQ(button.Handle(), nullptr);
    EXPECT_EQ(listener.Handle(), nullptr);
    EXPECT_FALSE(timer.Enabled());
}

} // namespace
} // namespace setup
