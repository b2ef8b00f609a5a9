#include "ui/win32/Form.h"

#include "base/Exceptions.h"
#include "base/Timing.h"
#include "ui/win32/GdiCanvas.h"
#include "ui/win32/StdControls.h"
#include "win32/Callback.h"

namespace setup {
namespace {

// The window's extra bytes hold its form from WM_NCCREATE on (zero before).
constexpr int FormSlot = 0;

} // namespace

TForm::TForm(TToolkit& toolkit) : Toolkit(toolkit) {
    Toolkit.Forms.push_back(this);
}

TForm::~TForm() {
    // The page's own members are gone by now; they let go of their windows as they went.
    EndWindow();
    if (Toolkit.ActiveForm == this)
        Toolkit.ActiveForm = nullptr;
    std::erase(Toolkit.Forms, this);
    for (TWinControl* control : Controls)
        control->Parent = nullptr;
    for (TTimer* timer : Timers)
        timer->Owner = nullptr;
}

void TForm::CreateForm(const char* caption, int clientWidth, int clientHeight, TFormBorder border) {
    if (Scaled)
        PixelScale = TScale::OfScreen();
    Font = CreateFontFrom(PixelScale.ToPixels(FontDesc));
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (border == TFormBorder::Dialog) {
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    } else {
        style |= WS_POPUP;
    }
    RECT frame{0, 0, PixelScale.ToPixels(clientWidth), PixelScale.ToPixels(clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    // The window procedure takes ownership of the window on WM_NCCREATE.
    if (!CreateWindowExA(exStyle, MAKEINTATOM(Toolkit.FormClass), caption, style, left, top, width,
                         height, nullptr, nullptr, GetModuleHandleA(nullptr), this))
        throw Exception(Format("Cannot create window %s", caption), GetLastError());
    SETUP_MARK(FirstWindowTime);
}

void TForm::LetGoOfWindow() {
    Accessible.Disconnect();
    if (Window)
        SetWindowLongPtrA(Window.Get(), FormSlot, 0);
    for (TWinControl* control : Controls)
        control->LetGo();
    // Timers die with the window.
    for (TTimer* timer : Timers)
        timer->Running = false;
}

void TForm::EndWindow() {
    LetGoOfWindow();
    Window.Reset();
}

void TForm::AddLabel(TLabel& label, const TRect& bounds, const char* text) {
    label.SetBoundsRect(bounds);
    label.SetCaption(text);
    AddGraphic(label);
}

std::vector<HWND> TForm::ChildWindows() const {
    std::vector<HWND> windows;
    for (const TWinControl* control : Controls)
        windows.push_back(control->Handle());
    return windows;
}

void TForm::Show() {
    FormShow();
    SETUP_MARK(FirstShownTime);
    ShowWindow(Window.Get(), SW_SHOW);
    SetForegroundWindow(Window.Get());
    BringWindowToTop(Window.Get());
}

void TForm::Hide() {
    ShowWindow(Window.Get(), SW_HIDE);
}

void TForm::ShowMaximized() {
    FormShow();
    ShowWindow(Window.Get(), SW_SHOWMAXIMIZED);
}

void TForm::SetEnabled(bool enabled) {
    EnableWindow(Window.Get(), enabled);
}

void TForm::InvalidateRect(const TRect& rect) {
    const TRect r = PixelScale.ToPixels(rect);
    RECT area{r.Left, r.Top, r.Right, r.Bottom};
    ::InvalidateRect(Window.Get(), &area, FALSE);
}

void TForm::PaintControlNow(TGraphicControl& control) {
    const TWindowDC dc = WindowDC(Window.Get());
    GdiCanvas canvas(dc.Get(), PixelScale);
    canvas.SetOriginAndClip(control.BoundsRect());
    control.Paint(canvas);
}

void TForm::PaintBackground(ICanvas& canvas, const TRect& client) {
    canvas.SetBrushColor(Color);
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.FillRect(client);
}

void TForm::OnPaint() {
    const TPaintDC paint = BeginPaintDC(Window.Get());
    HDC dc = paint.Get();
    RECT client;
    GetClientRect(Window.Get(), &client);
    {
        GdiCanvas canvas(dc, PixelScale);
        for (TGraphicControl* control : Graphics)
            control->AdjustBounds(canvas);
        PaintBackground(
            canvas, {0, 0, PixelScale.ToUnits(client.right), PixelScale.ToUnits(client.bottom)});
    }
    for (TGraphicControl* control : Graphics) {
        const TRect b = PixelScale.ToPixels(control->BoundsRect());
        RECT area{b.Left, b.Top, b.Right, b.Bottom};
        RECT overlap;
        if (!control->Visible() || !IntersectRect(&overlap, &area, &paint.Context().Paint.rcPaint))
            continue;
        GdiCanvas canvas(dc, PixelScale);
        canvas.SetOriginAndClip(control->BoundsRect());
        control->Paint(canvas);
    }
    SETUP_MARK(FirstPaintedTime);
}

void TForm::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(Window.Get(), focus))
            LastFocus = focus;
        return;
    }
    // Give the keyboard focus back where it was, or to the first control that takes it.
    HWND focus = LastFocus && IsWindowVisible(LastFocus)
                     ? LastFocus
                     : GetNextDlgTabItem(Window.Get(), nullptr, FALSE);
    if (focus)
        SetFocus(focus);
    if (Toolkit.ActiveForm != this) {
        Toolkit.ActiveForm = this;
        FormActivate();
    }
}

LRESULT TForm::OnGetDefId() {
    // A focused push button is what Enter presses; otherwise the page's default button.
    HWND focus = GetFocus();
    if (focus && IsChild(Window.Get(), focus)) {
        const LRESULT code = SendMessageA(focus, WM_GETDLGCODE, 0, 0);
        if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
            return MAKELONG(GetDlgCtrlID(focus), DC_HASDEFID);
    }
    if (DefaultButton && DefaultButton->Handle())
        return MAKELONG(GetDlgCtrlID(DefaultButton->Handle()), DC_HASDEFID);
    return 0;
}

void TForm::OnTimer(UINT_PTR id) {
    for (TTimer* timer : Timers)
        if (reinterpret_cast<UINT_PTR>(timer) == id) {
            timer->Tick();
            return;
        }
}

bool TForm::RouteToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (TWinControl* control : Controls)
        if (child && control->Handle() == child)
            return control->OnParentMessage(message, wParam, lParam, result);
    return false;
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers the whole area
    case WM_SIZE:
        FormResize(PixelScale.ToUnits(LOWORD(lParam)), PixelScale.ToUnits(HIWORD(lParam)));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CLOSE: {
        TCloseAction action = TCloseAction::Hide;
        FormClose(action);
        if (action == TCloseAction::Hide)
            Hide();
        return 0;
    }
    case DM_GETDEFID:
        return OnGetDefId();
    case WM_GETOBJECT:
        if (const auto answer = Accessible.Answer(Window.Get(), wParam, lParam))
            return *answer;
        break;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_COMMAND:
        if (lParam && RouteToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result))
            return result;
        return 0; // IDOK / IDCANCEL from the keyboard without such a button: nothing
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (RouteToChild(item->hwndItem, message, wParam, lParam, result))
            return TRUE;
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (RouteToChild(GetDlgItem(Window.Get(), static_cast<int>(item->CtlID)), message, wParam,
                         lParam, result))
            return TRUE;
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        if (RouteToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result))
            return result;
        break;
    default:
        break;
    }
    return DefWindowProcA(Window.Get(), message, wParam, lParam);
}

LRESULT CALLBACK TForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* form = static_cast<TForm*>(create->lpCreateParams);
        form->Window.Reset(window);
        SetWindowLongPtrA(window, FormSlot, reinterpret_cast<LONG_PTR>(form));
    }
    // Only windows of the forms' class come here, so the slot is ours to read.
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, FormSlot));
    if (!form)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed by someone else: nothing left to own.
        form->LetGoOfWindow();
        (void)form->Window.Release();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    GuardCallback([&] { result = form->HandleMessage(message, wParam, lParam); });
    return result;
}

} // namespace setup
