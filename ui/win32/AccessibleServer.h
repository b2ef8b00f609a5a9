// A page told to screen readers: its window, and those of its children that carry no text of
// their own, answer WM_GETOBJECT with objects that read the controls' descriptions. oleacc.dll
// and oleaut32.dll are loaded from the system folder when a reader first asks; where they or
// their functions are missing (a bare Windows 95), the system answers as it would anyway.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include "ui/Accessible.h"
#include "win32/ComGuard.h"
#include "win32/ComPtr.h"

#include <optional>
#include <string>

namespace setup {

class TForm;
class TGraphicControl;

class TAccessibleServer {
public:
    explicit TAccessibleServer(TForm& page) : Page(page) {}
    ~TAccessibleServer() { Disconnect(); }
    TAccessibleServer(const TAccessibleServer&) = delete;
    TAccessibleServer& operator=(const TAccessibleServer&) = delete;

    // WM_GETOBJECT sent to the page's window or to one of its children: the message's result
    // when answered (E_OUTOFMEMORY when its object cannot be made), none to leave it to the
    // system.
    std::optional<LRESULT> Answer(HWND window, WPARAM wParam, LPARAM lParam);
    // Tells listening readers that what control says of itself changed.
    void Announce(const TGraphicControl& control, TAccessChange change) const;
    // Cuts every object handed out off the page and answers nothing more: from here on a call
    // from this process gets CO_E_OBJNOTCONNECTED, one from a reader the system's error.
    void Disconnect();

    // For the objects. Each question answers its value, or the COM code for why it has none:
    // E_OUTOFMEMORY when memory ran out, E_INVALIDARG for an id that names nothing to describe.

    // The page's visible children in reading order, as child ids with their boxes on the
    // screen.
    static constexpr int MaxChildren = 64; // a page has a few dozen controls at most
    struct TChildren {
        long Ids[MaxChildren];
        TRect Boxes[MaxChildren];
        int Count = 0;
    };
    TResult<TChildren> Children() const;
    // What windowless child id says of itself, bounds in screen pixels.
    TResult<TAccessDescription> Describe(long id) const;
    // The page's child window of child id, or null.
    HWND ChildWindow(long id) const;
    // The name of the page's window: its caption, or on a borderless page its first text, as
    // drawn; of a child window: the text just before it in reading order, or empty.
    TResult<std::string> NameOf(HWND window) const;
    // The child under a screen point: a child id, or 0 for the page itself; -1 when outside.
    TResult<long> HitTest(POINT screen) const;

    // A window's client area on the screen.
    static TRect ScreenRect(HWND window);

private:
    // The work of the answers above, which may throw. A description's role is None when id
    // names no windowless child with something to say.
    TChildren ListChildren() const;
    TAccessDescription Described(long id) const;

    TForm& Page;
    // One object per window asked (the page and its child windows), each holding a reference.
    static constexpr int MaxObjects = 16;
    struct {
        HWND Window;
        TComPtr<IAccessible> Object;
    } Objects[MaxObjects]{};
    int ObjectCount = 0;
    bool Ended = false;
};

} // namespace setup
