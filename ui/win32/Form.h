// A page: a top-level window with windowed child controls and windowless controls that it
// paints itself. Pages are created once, then only shown and hidden. The form owns its window
// and the child windows on it: whoever goes first, no message reaches an object that is gone.
#pragma once

#include <windows.h>

#include "ui/Control.h"
#include "ui/StdGraphics.h"
#include "ui/win32/AccessibleServer.h"
#include "ui/win32/Scale.h"
#include "ui/win32/Toolkit.h"
#include "ui/win32/WinControl.h"
#include "win32/Handles.h"

#include <string>
#include <vector>

namespace setup {

class TTimer;

enum class TFormBorder { Dialog, None };
enum class TCloseAction { Hide, None };

class TForm : public IControlParent {
public:
    explicit TForm(TToolkit& toolkit);
    ~TForm() override;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    HWND Handle() const { return Window.Get(); }
    void Show(); // visible and in front
    void Hide();
    void ShowMaximized();
    void SetEnabled(bool enabled);

    // Windowless children, painted bottom to top in the order added.
    void AddGraphic(TGraphicControl& control) { Graphics.push_back(&control); }
    // A text inside bounds, added on top of what is there.
    void AddLabel(TLabel& label, const TRect& bounds, const char* text);
    // The push button that Enter presses wherever the focus is, or null.
    void SetDefaultButton(TWinControl* button) { DefaultButton = button; }
    HFONT FontHandle() const { return Font.Get(); }
    // Layout units to the window's pixels: the screen's scale, or none when not Scaled.
    const TScale& Scale() const { return PixelScale; }
    // What the form holds, for looking at its layout: the windowless children bottom to top,
    // the windowed ones in creation order.
    const std::vector<TGraphicControl*>& GraphicControls() const { return Graphics; }
    std::vector<HWND> ChildWindows() const;

    // IControlParent
    bool HasWindow() const override { return static_cast<bool>(Window); }
    void InvalidateRect(const TRect& rect) override;
    void PaintControlNow(TGraphicControl& control) override;
    TColor ParentColor() const override { return Color; }
    TFontDesc ParentFont() const override { return FontDesc; }
    void AccessibleChanged(const TGraphicControl& control, TAccessChange change) override {
        Accessible.Announce(control, change);
    }

protected:
    // Makes the window: caption, client size, border; centred on the screen unless borderless.
    // Sizes, positions and fonts are in layout units from here on, scaled when Scaled.
    // Throws with the system's reason when the window cannot be made.
    void CreateForm(const char* caption, int clientWidth, int clientHeight,
                    TFormBorder border = TFormBorder::Dialog);
    virtual void FormActivate() {}
    // Before each showing: work that only a page on the screen needs may wait until here.
    virtual void FormShow() {}
    virtual void FormResize(int clientWidth, int clientHeight) {
        (void)clientWidth;
        (void)clientHeight;
    }
    // Title-bar close; Action starts as Hide.
    virtual void FormClose(TCloseAction& action) { (void)action; }
    // Paints behind the windowless controls (default: the form colour).
    virtual void PaintBackground(ICanvas& canvas, const TRect& client);

    TColor Color = clBtnFace;
    TFontDesc FontDesc;
    // Grows with the screen's pixels per inch; set before CreateForm.
    bool Scaled = true;

private:
    friend class TToolkit;
    friend class TWinControl;
    friend class TAccessibleServer;
    friend class TTimer;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnActivate(bool active);
    // From here on no message of its window reaches this object or its controls, and the
    // timers are stopped; the window stays until destroyed.
    void LetGoOfWindow();
    // Destroys the window and its children, let go of first, so that the messages of their last
    // moments (deactivation, a child's notification ...) reach no object.
    void EndWindow();
    LRESULT OnGetDefId();
    void OnTimer(UINT_PTR id);
    bool RouteToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    TToolkit& Toolkit;
    // The windowed children and timers: the only windows and timer ids the form's messages are
    // routed to, found without asking the system what a window is.
    std::vector<TWinControl*> Controls;
    std::vector<TTimer*> Timers;
    TScale PixelScale;
    TFontHandle Font;
    TWindowHandle Window; // after Font: the window goes first
    TWinControl* DefaultButton = nullptr;
    HWND LastFocus = nullptr;
    std::vector<TGraphicControl*> Graphics;
    // What the page tells screen readers; cut off when its window ends.
    TAccessibleServer Accessible{*this};
};

} // namespace setup
