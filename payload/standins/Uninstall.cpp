// Stand-in for the product's uninstaller: it only says what it would do.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "This stand-in removes nothing.", "Palvorne Lumivary Uninstall",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
