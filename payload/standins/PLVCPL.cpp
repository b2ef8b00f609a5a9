// Stand-in for the product's Control Panel extension: one applet that only shows a message.
#include <windows.h>

#include <cpl.h>

#include <cstring>

extern "C" LONG CALLBACK CPlApplet(HWND window, UINT message, LPARAM, LPARAM param2) {
    switch (message) {
    case CPL_INIT:
        return TRUE;
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE: {
        // No resources of its own: the names come from CPL_NEWINQUIRE instead.
        auto* info = reinterpret_cast<CPLINFO*>(param2);
        info->idIcon = CPL_DYNAMIC_RES;
        info->idName = CPL_DYNAMIC_RES;
        info->idInfo = CPL_DYNAMIC_RES;
        info->lData = 0;
        return 0;
    }
    case CPL_NEWINQUIRE: {
        auto* info = reinterpret_cast<NEWCPLINFOA*>(param2);
        std::memset(info, 0, sizeof *info);
        info->dwSize = sizeof *info;
        info->hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        std::strcpy(info->szName, "Palvorne Lumivary");
        std::strcpy(info->szInfo, "Stand-in Control Panel extension");
        return 0;
    }
    case CPL_DBLCLK:
        MessageBoxA(window, "This stand-in has no settings.", "Palvorne Lumivary", MB_OK);
        return 0;
    default:
        return 0;
    }
}
