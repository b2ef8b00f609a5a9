// A form hands its messages only to what it holds: a window or timer id of anyone else is
// never taken for one of its own, and a page's window dies before the page does.
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
    bool MembersGone = false;
    bool Destroying = false;
    bool MembersGoneThen = true;
    LONG_PTR SlotThen = -1;
    std::vector<std::pair<UINT, LONG_PTR>> Messages;
    int Activations = 0;
    int Clicks = 0;
};

TDeathLog* Watched = nullptr;
HWND WatchedWindow = nullptr;
WNDPROC FormProcedure = nullptr;
WNDPROC ButtonProcedure = nullptr;

LRESULT CALLBACK WatchDestruction(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == WatchedWindow) {
        Watched->Destroying = true;
        Watched->MembersGoneThen = Watched->MembersGone;
        Watched->SlotThen = GetWindowLongPtrA(WatchedWindow, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WatchMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Watched->Destroying)
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

class TDyingPage : public TForm {
public:
    TDyingPage(TToolkit& toolkit, TDeathLog& log) : TForm(toolkit), Log(log) {
        CreateForm("Dying", 200, 100);
        Button1.Create(*this, 101, {10, 10, 70, 30}, "&Go", FontHandle());
        Button1.OnClick = [this] { ++Log.Clicks; };
    }
    ~TDyingPage() override { DestroyForm(); }

    TDeathLog& Log;
    TButton Button1;
    struct TMember {
        TDeathLog& Log;
        ~TMember() { Log.MembersGone = true; }
    } Member{Log}; // the first member to go

protected:
    void FormActivate() override { ++Log.Activations; }
};

TEST(Form, APageWindowDiesBeforeItsControlsAndItsLastMessagesReachNoObject) {
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
    EXPECT_FALSE(log.MembersGoneThen) << "the page's members went before its window";
    EXPECT_EQ(log.SlotThen, 0);
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
    ~TFailingPage() override { DestroyForm(); } // never runs

    TButton Button1;
    TButton Button2;
};

TEST(Form, APageWhoseConstructorFailsTakesItsWindowDownWithItsFirstControl) {
    TToolkit toolkit;
    TDeathLog log;
    EXPECT_THROW(TFailingPage(toolkit, log), Exception);
    Watched = nullptr;
    // Its controls' windows went while the page was half gone: it heard of it, but its
    // object was not found.
    ASSERT_FALSE(log.Messages.empty());
    for (const auto& [message, slot] : log.Messages)
        EXPECT_EQ(slot, 0) << "message 0x" << std::hex << message;
}

class TCountingForm : public TProbeForm {
public:
    using TProbeForm::TProbeForm;
    int Activations = 0;

protected:
    void FormActivate() override { ++Activations; }
};

// At the end the active page goes first: the form the system activates then runs no handler.
TEST(Form, DetachedFormsRunNoHandlerWhenTheActiveOneDies) {
    TToolkit toolkit;
    TCountingForm backdrop(toolkit);
    backdrop.Show();
    auto page = std::make_unique<TCountingForm>(toolkit);
    page->Show();
    ASSERT_EQ(GetActiveWindow(), page->Handle());
    const int activations = backdrop.Activations;
    toolkit.DetachForms();
    page.reset();
    EXPECT_EQ(GetActiveWindow(), backdrop.Handle()) << "the system activated no other window";
    EXPECT_EQ(backdrop.Activations, activations);
}

} // namespace
} // namespace setup
