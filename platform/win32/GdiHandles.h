// Owning wrappers for GDI handles: each frees its handle exactly once, on every path.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace setup {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

template <class Handle>
using UniqueGdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniquePen = UniqueGdiObject<HPEN>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueRegion = UniqueGdiObject<HRGN>;

struct MemoryDCDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

// A memory device context from CreateCompatibleDC.
using UniqueMemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDCDeleter>;

// The device context of a window, from GetDC, given back with ReleaseDC.
class UniqueWindowDC {
public:
    explicit UniqueWindowDC(HWND window) : Window(window), Dc(GetDC(window)) {}
    ~UniqueWindowDC() {
        if (Dc)
            ReleaseDC(Window, Dc);
    }
    UniqueWindowDC(const UniqueWindowDC&) = delete;
    UniqueWindowDC& operator=(const UniqueWindowDC&) = delete;
    HDC get() const { return Dc; }

private:
    HWND Window;
    HDC Dc;
};

// Keeps a device context's state (selected objects, colours, clip, origin) as it was when
// made and puts it back when destroyed, so that objects selected meanwhile can be freed.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) : Dc(dc), Level(SaveDC(dc)) {}
    ~SavedDCState() {
        if (Level)
            RestoreDC(Dc, Level);
    }
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;

private:
    HDC Dc;
    int Level;
};

// Selects an object into a device context for the length of a scope.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : Dc(dc), Previous(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (Previous)
            SelectObject(Dc, Previous);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC Dc;
    HGDIOBJ Previous;
};

} // namespace setup
