// A form hands its messages only to what it holds: a window or timer id of anyone else is
// never taken for one of its own.
#include "ui/win32/Form.h"
#include "ui/win32/StdControls.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

class TProbeForm : public TForm {
public:
    explicit TProbeForm(TToolkit& toolkit) : TForm(toolkit) { CreateForm("Probe", 200, 100); }
};

// Delivers what is queued until done() or the time limit has passed.
template <class Done> void PumpUntil(Done done, DWORD limit = 2000) {
    const DWORD start = GetTickCount();
    MSG message;
    while (!done() && GetTickCount() - start < limit) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
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
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button.Handle()));
    EXPECT_EQ(clicks, 1);
}

TEST(Form, ATimerTicksThroughItsFormUntilStopped) {
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
    PumpUntil([&] { return ticks >= 3; });
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer.Enabled());
    PumpUntil([] { return false; }, 100); // a stopped timer stays quiet
    EXPECT_EQ(ticks, 3);
}

} // namespace
} // namespace setup
