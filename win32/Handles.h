// One owner family for every Win32 handle kind: each handle is given back exactly once, by its
// owner, on every path. Every owner has the same verbs: Get, Release, Reset and a test for
// "holds one".
#pragma once

#include <objbase.h>
#include <windows.h>

#include <utility>

namespace setup {

// The one owner of a handle. Traits say what "no handle" is and how to give one back; a trait
// object may carry what giving back needs besides the handle (the window of a device context,
// the context an object is selected into).
template <typename Traits> class TUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    TUniqueHandle() = default;
    explicit TUniqueHandle(Handle handle, Traits owner = {})
        : Value(handle), Owner(std::move(owner)) {}
    ~TUniqueHandle() { Reset(); }
    TUniqueHandle(TUniqueHandle&& other) noexcept
        : Value(other.Release()), Owner(std::move(other.Owner)) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
            Owner = std::move(other.Owner);
        }
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    Handle Get() const { return Value; }
    explicit operator bool() const { return Value != Traits::Invalid(); }
    const Traits& Context() const { return Owner; }

    // Gives up ownership without giving the handle back.
    Handle Release() { return std::exchange(Value, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (*this)
            Owner.Close(Value);
        Value = handle;
    }

private:
    Handle Value = Traits::Invalid();
    Traits Owner;
};

// Traits of the handles that need nothing but themselves to be given back.
template <typename H, H (*InvalidValue)(), auto CloseFunction> struct TPlainTraits {
    using Handle = H;
    static Handle Invalid() { return InvalidValue(); }
    static void Close(Handle handle) { CloseFunction(handle); }
};

template <typename H> H NullHandle() {
    return nullptr;
}
inline HANDLE InvalidHandleValue() {
    return INVALID_HANDLE_VALUE;
}

// Processes and threads: null when there is none.
using TKernelHandle = TUniqueHandle<TPlainTraits<HANDLE, NullHandle<HANDLE>, CloseHandle>>;
// Files and Toolhelp snapshots: INVALID_HANDLE_VALUE when there is none.
using TFileHandle = TUniqueHandle<TPlainTraits<HANDLE, InvalidHandleValue, CloseHandle>>;
// Folder searches from FindFirstFileA.
using TFindHandle = TUniqueHandle<TPlainTraits<HANDLE, InvalidHandleValue, FindClose>>;
// Registry keys opened or created below a root.
using TRegKey = TUniqueHandle<TPlainTraits<HKEY, NullHandle<HKEY>, RegCloseKey>>;
// Modules from LoadLibraryExA, for example a program loaded to read its resources.
using TModule = TUniqueHandle<TPlainTraits<HMODULE, NullHandle<HMODULE>, FreeLibrary>>;
// Icons loaded unshared (LoadImageA without LR_SHARED).
using TIconHandle = TUniqueHandle<TPlainTraits<HICON, NullHandle<HICON>, DestroyIcon>>;

// GDI objects, freed with DeleteObject once no device context has them selected.
template <typename H>
using TGdiObject = TUniqueHandle<TPlainTraits<H, NullHandle<H>, DeleteObject>>;
using TFontHandle = TGdiObject<HFONT>;
using TBrushHandle = TGdiObject<HBRUSH>;
using TPenHandle = TGdiObject<HPEN>;
using TBitmapHandle = TGdiObject<HBITMAP>;
using TRegionHandle = TGdiObject<HRGN>;
// A memory device context from CreateCompatibleDC.
using TMemoryDC = TUniqueHandle<TPlainTraits<HDC, NullHandle<HDC>, DeleteDC>>;

// The device context of a window (or of the screen, for no window), given back with ReleaseDC.
struct TWindowDCTraits {
    using Handle = HDC;
    HWND Window = nullptr;
    static Handle Invalid() { return nullptr; }
    void Close(Handle dc) const { ReleaseDC(Window, dc); }
};
using TWindowDC = TUniqueHandle<TWindowDCTraits>;
inline TWindowDC WindowDC(HWND window) {
    return TWindowDC(GetDC(window), {window});
}

// BeginPaint and EndPaint, paired on every path; Context().Paint has the area to paint.
struct TPaintTraits {
    using Handle = HDC;
    HWND Window = nullptr;
    PAINTSTRUCT Paint{};
    static Handle Invalid() { return nullptr; }
    void Close(Handle) { EndPaint(Window, &Paint); }
};
using TPaintDC = TUniqueHandle<TPaintTraits>;
inline TPaintDC BeginPaintDC(HWND window) {
    TPaintTraits traits{window, {}};
    HDC dc = BeginPaint(window, &traits.Paint);
    return TPaintDC(dc, traits);
}

// An object selected into a device context; the one it replaced goes back in at the end.
struct TSelectionTraits {
    using Handle = HGDIOBJ; // the object that was selected before
    HDC Dc = nullptr;
    static Handle Invalid() { return nullptr; }
    void Close(Handle previous) const { SelectObject(Dc, previous); }
};
using TSelection = TUniqueHandle<TSelectionTraits>;
inline TSelection Select(HDC dc, HGDIOBJ object) {
    return TSelection(SelectObject(dc, object), {dc});
}

// A device context's saved state (selected objects, colours, clip, origin), put back at the
// end so that objects selected meanwhile can be freed.
struct TSavedDCTraits {
    using Handle = int; // the level SaveDC returned
    HDC Dc = nullptr;
    static Handle Invalid() { return 0; }
    void Close(Handle level) const { RestoreDC(Dc, level); }
};
using TSavedDC = TUniqueHandle<TSavedDCTraits>;
inline TSavedDC SaveDCState(HDC dc) {
    return TSavedDC(SaveDC(dc), {dc});
}

// A window this program made; it is destroyed with its owner. Whoever keeps an object in a
// window cuts it loose first (a form its slot, a list window its procedure), so that no message
// of the window's last moments reaches a half-destroyed object.
struct TWindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle window) { DestroyWindow(window); }
};
using TWindowHandle = TUniqueHandle<TWindowTraits>;

// The COM library on this thread, undone only when it was really initialised.
struct TComInitTraits {
    using Handle = bool; // initialised
    static Handle Invalid() { return false; }
    static void Close(Handle) { CoUninitialize(); }
};
using TComInit = TUniqueHandle<TComInitTraits>;
inline TComInit InitializeCom() {
    return TComInit(SUCCEEDED(CoInitialize(nullptr)));
}

} // namespace setup
