// The objects a page hands to screen readers, and the system functions they need. Built
// without unwinding tables: the objects are called from the system's frames, which no
// exception can cross.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include "win32/ComPtr.h"

namespace setup {

class TAccessibleServer;

extern const GUID AccessibleId;

// Child ids of child windows start after this; a windowless control's is its paint position + 1.
constexpr long WindowIds = 0x100;

// The system's functions a reader's questions need, found when first asked. The DLLs stay
// loaded for the life of the process: the system objects handed out live in them.
struct TAccessFunctions {
    LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, IUnknown*) = nullptr;
    HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    BSTR(WINAPI* SysAllocStringLen)(const OLECHAR*, UINT) = nullptr;
    int(WINAPI* MapWindowPoints)(HWND, HWND, POINT*, UINT) = nullptr;
    bool Tried = false;
};
// Loads them at the first call; null when any is missing (a bare Windows 95).
const TAccessFunctions* AccessFunctions();

// The object of window with one reference: the page's own when system is empty, else a child
// window's, which takes the reference to system and hands it all but its name. It holds server
// weakly until cut off. Null when memory ran out; system is kept then.
TComPtr<IAccessible> MakePageObject(TAccessibleServer& server, HWND window,
                                    TComPtr<IAccessible>&& system);
// From here on the object answers CO_E_OBJNOTCONNECTED and holds nothing.
void CutPageObject(IAccessible* object);

} // namespace setup
